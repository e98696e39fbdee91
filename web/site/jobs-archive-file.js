// The archive file in the browser. Data.dat lives in the origin-private file
// system; the worker copies it into the module's memory file system, where
// SQLite opens it, and after every change writes the whole file back: first
// beside the old one, then moved over it, so a tab killed at any moment leaves
// either the old archive or the new one, never a mix.
//
// Only one tab may write: the first holds a Web Lock as long as it lives.
// Another tab opens a read-only copy, says so, and takes over as soon as the
// first one closes.
'use strict';

const ARCHIVE_FILE = '/archive/Data.dat';
const STORED_NAME = 'Data.dat';
const STORING_NAME = 'Data.dat.neu';
const LOCK_NAME = 'skarnwald-archive';

let writable = false;
let loaded = null;

async function readStoredArchive() {
  const root = await navigator.storage.getDirectory();
  try {
    const file = await (await root.getFileHandle(STORED_NAME)).getFile();
    return new Uint8Array(await file.arrayBuffer());
  } catch (error) {
    if (error.name === 'NotFoundError') return null;
    throw error;
  }
}

// The stored copy into the memory file system, then opened.
async function loadArchive(module) {
  const bytes = await readStoredArchive();
  module.closeArchive();
  const FS = module.FS;
  if (!FS.analyzePath('/archive').exists) FS.mkdir('/archive');
  for (const name of ['Data.dat', 'Data.dat-journal']) {
    if (FS.analyzePath(`/archive/${name}`).exists) FS.unlink(`/archive/${name}`);
  }
  if (bytes) FS.writeFile(ARCHIVE_FILE, bytes);
  const error = module.openArchive();
  if (error) throw new Error(error);
  // A new archive is written at once, so a second tab finds it.
  if (!bytes && writable) await saveArchive(module);
}

// Writes the archive back and returns once the browser has it on disk. Saves
// run one after the other: two at once would both open the same file.
let lastSave = Promise.resolve();
function saveArchive(module) {
  const save = lastSave.then(() => writeArchive(module));
  lastSave = save.catch(() => {});
  return save;
}

async function writeArchive(module) {
  if (!writable) throw new Error('Das Archiv ist in einem anderen Tab geöffnet; dort kann gespeichert werden.');
  const bytes = module.FS.readFile(ARCHIVE_FILE);
  const root = await navigator.storage.getDirectory();
  const storing = await root.getFileHandle(STORING_NAME, { create: true });
  const access = await storing.createSyncAccessHandle();
  try {
    access.truncate(0);
    access.write(bytes, { at: 0 });
    access.flush();
  } finally {
    access.close();
  }
  await storing.move(STORED_NAME);
}

// Resolves once it is known whether this tab writes; when another tab holds
// the lock, this one waits in the background and loads the archive afresh
// when it gets it.
function takeWriterLock(module) {
  return new Promise((decided) => {
    navigator.locks.request(LOCK_NAME, { ifAvailable: true }, async (lock) => {
      if (lock) {
        writable = true;
        decided();
        return new Promise(() => {});
      }
      decided();
      navigator.locks.request(LOCK_NAME, async () => {
        writable = true;
        loaded = loadArchive(module);
        await loaded.catch(() => {});
        self.postMessage({ event: 'archive-writable' });
        return new Promise(() => {});
      });
      return undefined;
    });
  });
}

async function openArchiveFile(module) {
  await takeWriterLock(module);
  loaded = loadArchive(module);
  return loaded;
}

// Other job files wait for the archive and save through this.
self.archiveFile = {
  // Jobs that arrive together share one opening: a second one would ask
  // for the lock again and load the file twice.
  ready: (module) => (loaded ||= openArchiveFile(module)),
  save: saveArchive,
  get writable() {
    return writable;
  },
  reload: loadArchive,
};

Object.assign(self.workerJobs, {
  async archiveState(module) {
    await self.archiveFile.ready(module);
    const { usage, quota } = await navigator.storage.estimate();
    return [{ writable, usage, quota, errors: module.archiveErrors() }, []];
  },
});
