// Storing in the browser: conversions stored into the archive, the storing
// settings, and the archive file handed out or replaced by another one. SQLite
// commits every change to disk before the job answers, so what the page
// reports as stored is there.
import { archiveFile } from './jobs-archive-file.js';
import { opfsFiles } from './opfs-files.js';

// The archive's errors since the last job, thrown: the page shows them.
function throwArchiveErrors(module) {
  const errors = module.archiveErrors();
  if (errors) throw new Error(module.archiveMessage('errors', errors));
}

// Why this tab stores nothing, or empty text.
async function whyNotStored(module) {
  try {
    await archiveFile.ready(module);
    return archiveFile.writable ? '' : module.archiveMessage('storedElsewhere', '');
  } catch (error) {
    return module.archiveMessage('unavailable', error.message);
  }
}

// Runs `store` (a call that stores into the open archive) in turn with the
// archive's other jobs. When the browser had no room for it, SQLite took all
// of it back and `archive` says so.
function storeInTurn(module, store) {
  return archiveFile.serially(() => {
    const refused = module.roomRefusals();
    const result = store();
    const errors = module.archiveErrors();
    if (module.roomRefusals() !== refused)
      return { ...result, archive: archiveFile.noRoom, storedBattles: false, keptRecord: false, skippedNote: '' };
    if (result.storedBattles || result.keptRecord) archiveFile.changed();
    return { ...result, archive: '', archiveErrors: errors };
  });
}

// The page as module.convert makes it; when this tab writes, the same walk
// stores as the archive's settings say. Otherwise, or when the browser had no
// room for it, `archive` says why nothing was stored.
export const storingConversion = async (module, bytes, options, onProgress) => {
  const why = await whyNotStored(module);
  if (why) return { ...module.convert(bytes, { ...options, store: false }, onProgress), archive: why };
  return storeInTurn(module, () => module.convert(bytes, { ...options, store: true }, onProgress));
};

archiveFile.addReads({
  settings: (module) => module.archiveSettings(),
  // The size of Data.dat as it lies on disk, and its battles.
  facts: (module) => ({ size: opfsFiles.handleOf(archiveFile.names().archive).getSize(), battles: module.archiveBattles() }),
  copy: async () => ({ file: await archiveFile.copyOfArchive() }),
  // The battles `ids` as an archive of their own, handed out as the File
  // the download reads; {file, battles, error}.
  selection: async (module, { ids }) => {
    const { selection } = archiveFile.names();
    const files = [selection, archiveFile.journalOf(selection)];
    await opfsFiles.remove(files);
    try {
      await opfsFiles.open(files);
      const refused = module.roomRefusals();
      const written = module.writeSelectionArchive(ids);
      if (module.roomRefusals() !== refused) throw new Error(archiveFile.noRoom);
      if (written.error) throw new Error(written.error);
      opfsFiles.close(files);
      return { ...written, file: await (await navigator.storage.getDirectory()).getFileHandle(selection).then((handle) => handle.getFile()) };
    } catch (error) {
      await opfsFiles.remove(files);
      throw opfsFiles.isNoRoom(error) ? new Error(archiveFile.noRoom) : error;
    }
  },
});

// The files "Archiv laden" works with: the chosen file as it came, and the
// archive made from it with its journal.
const loadingFiles = () => {
  const { chosen, takenIn } = archiveFile.names();
  return { chosen, made: [takenIn, archiveFile.journalOf(takenIn)] };
};

export const storeJobs = {
  async archiveSettings(module) {
    await archiveFile.ready(module);
    return [{ ...(await archiveFile.read(module, 'settings')), writable: archiveFile.writable }, []];
  },
  // changes: {store, persStat, ownCoords}, each optional.
  async writeArchiveSettings(module, { changes }) {
    await archiveFile.ready(module);
    const settings = await archiveFile.change(module, () => {
      module.writeArchiveSettings(changes);
      throwArchiveErrors(module);
      return module.archiveSettings();
    });
    return [settings, []];
  },
  // What the archive file section shows: the size of the archive file, its
  // battles and whether this tab writes.
  async archiveFacts(module) {
    await archiveFile.ready(module);
    return [{ ...(await archiveFile.read(module, 'facts')), writable: archiveFile.writable }, []];
  },
  // The archive file as it stands, as a File the page downloads.
  async archiveCopy(module) {
    await archiveFile.ready(module);
    return [(await archiveFile.read(module, 'copy')).file, []];
  },
  // Reads the chosen File into the private file system as it comes, checks
  // it and prepares the archive it becomes: {error, battles, dropped}.
  async checkArchiveFile(module, { file, name }) {
    await archiveFile.ready(module);
    archiveFile.requireWritable(module);
    const { chosen, made } = loadingFiles();
    return archiveFile.serially(async () => {
      await opfsFiles.remove([chosen, ...made]);
      try {
        await opfsFiles.open([chosen, ...made]);
        if (!(await opfsFiles.fill(chosen, file))) throw new Error(archiveFile.noRoom);
        const refused = module.roomRefusals();
        const checked = module.checkChosenArchive(name);
        module.archiveErrors();
        if (module.roomRefusals() !== refused) throw new Error(archiveFile.noRoom);
        if (checked.error) await opfsFiles.remove(made);
        return [checked, []];
      } catch (error) {
        await opfsFiles.remove(made);
        throw opfsFiles.isNoRoom(error) ? new Error(archiveFile.noRoom) : error;
      } finally {
        await opfsFiles.remove([chosen]);
      }
    });
  },
  // Adds the battles of the chosen File not stored yet, read into the
  // private file system as it comes: {error, added, alreadyThere, dropped}.
  async mergeArchiveFile(module, { file, name }) {
    await archiveFile.ready(module);
    const { chosen, made } = loadingFiles();
    const merged = await archiveFile.change(module, async () => {
      await opfsFiles.remove([chosen, ...made]);
      try {
        await opfsFiles.open([chosen, ...made]);
        if (!(await opfsFiles.fill(chosen, file))) throw new Error(archiveFile.noRoom);
        return await archiveFile.whileClosed(module, () => module.mergeChosenArchive(name));
      } catch (error) {
        throw opfsFiles.isNoRoom(error) ? new Error(archiveFile.noRoom) : error;
      } finally {
        await opfsFiles.remove([chosen, ...made]);
      }
    });
    module.archiveErrors();
    return [merged, []];
  },
  async selectionArchive(module, { ids }) {
    await archiveFile.ready(module);
    return [await archiveFile.read(module, 'selection', { ids }), []];
  },
  // A shared report's battles stored as if the player had converted it; the
  // finish line's facts, without the page.
  async takeInReport(module, { bytes, ownCoords }) {
    const why = await whyNotStored(module);
    if (why) return [{ archive: why }, []];
    return [await storeInTurn(module, () => module.takeInReport(bytes, ownCoords)), []];
  },
  async dropArchiveFile() {
    await archiveFile.serially(() => opfsFiles.remove(loadingFiles().made));
    return [true, []];
  },
  // The checked file replaces the archive.
  async replaceArchive(module) {
    const [made] = loadingFiles().made;
    const battles = await archiveFile.change(module, async () => {
      if (opfsFiles.slotOf(made) < 0) throw new Error(module.archiveMessage('noCheckedFile', ''));
      await archiveFile.replaceArchive(module, made);
      return module.archiveBattles();
    });
    return [{ battles }, []];
  },
};
