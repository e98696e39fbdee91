// Storing in the browser: conversions stored into the archive, the storing
// settings, and the archive file handed out or replaced by another one. Every
// change is written back (self.archiveFile.save) before the job answers, so
// what the page reports as stored is on disk.
'use strict';

const CHOSEN_FOLDER = '/import';
const CHOSEN_FILE = '/import/Data.dat';
const ELSEWHERE = 'Das Archiv ist in einem anderen Tab geöffnet; dort wird gespeichert.';

// The archive's errors since the last job, thrown: the page shows them.
function throwArchiveErrors(module) {
  const errors = module.archiveErrors();
  if (errors) throw new Error(`Fehler im Archiv: ${errors}`);
}

// The page as module.convert makes it; when this tab writes, the same walk
// stores as the archive's settings say and the archive is saved before the
// answer. Otherwise `archive` says why nothing was stored.
self.storingConversion = async (module, bytes, options, onProgress) => {
  let why = '';
  try {
    await self.archiveFile.ready(module);
    if (!self.archiveFile.writable) why = ELSEWHERE;
  } catch (error) {
    why = `Das Archiv ist nicht verfügbar: ${error.message}`;
  }
  const result = module.convert(bytes, { ...options, store: why === '' }, onProgress);
  result.archive = why;
  if (result.storedBattles || result.keptRecord) await self.archiveFile.save(module);
  result.archiveErrors = module.archiveErrors();
  return result;
};

Object.assign(self.workerJobs, {
  async archiveSettings(module) {
    await self.archiveFile.ready(module);
    return [{ ...module.archiveSettings(), writable: self.archiveFile.writable }, []];
  },
  // changes: {store, persStat, ownCoords}, each optional.
  async writeArchiveSettings(module, { changes }) {
    await self.archiveFile.ready(module);
    self.archiveFile.requireWritable();
    module.writeArchiveSettings(changes);
    throwArchiveErrors(module);
    await self.archiveFile.save(module);
    return [module.archiveSettings(), []];
  },
  // What the archive file section shows: the size of the archive file, its
  // battles, whether this tab writes, and the origin's share of the disk.
  async archiveFacts(module) {
    await self.archiveFile.ready(module);
    const { size } = module.FS.stat(self.archiveFile.path);
    const { usage, quota } = await navigator.storage.estimate();
    return [{ size, battles: module.archiveBattles(), writable: self.archiveFile.writable, usage, quota }, []];
  },
  // The archive file exactly as stored.
  async archiveBytes(module) {
    await self.archiveFile.ready(module);
    const bytes = (await self.archiveFile.storedBytes()) || module.FS.readFile(self.archiveFile.path);
    return [bytes, [bytes.buffer]];
  },
  // Checks a chosen file and prepares the archive it becomes: {error, battles}.
  async checkArchiveFile(module, { bytes, name }) {
    await self.archiveFile.ready(module);
    self.archiveFile.requireWritable();
    const FS = module.FS;
    if (!FS.analyzePath(CHOSEN_FOLDER).exists) FS.mkdir(CHOSEN_FOLDER);
    FS.writeFile(CHOSEN_FILE, bytes);
    const checked = module.checkChosenArchive(name);
    module.archiveErrors();
    if (checked.error) module.dropChosenArchive();
    return [checked, []];
  },
  async dropArchiveFile(module) {
    module.dropChosenArchive();
    return [true, []];
  },
  // The checked file replaces the archive, saved before the answer.
  async replaceArchive(module) {
    self.archiveFile.requireWritable();
    const error = module.replaceArchive();
    if (error) throw new Error(error);
    await self.archiveFile.save(module);
    return [{ battles: module.archiveBattles() }, []];
  },
});
