// The archive file in the browser. Data.dat lives in the origin-private file
// system; the worker copies it into the module's memory file system, where
// SQLite opens it, and after every change writes it back. A tab killed at any
// moment leaves either the old archive or the new one, never a mix: the whole
// file is written beside the old one and then moved over it; or, when SQLite
// changed only some of its pages, as in storing a few battles into a large
// archive, those pages go first into a journal file and only then into
// Data.dat, and a journal found complete on opening is written in once more.
//
// Only one tab may write: the first holds a Web Lock as long as it lives.
// Another tab opens a read-only copy, says so, and takes over as soon as the
// first one closes.
'use strict';

const ARCHIVE_FILE = '/archive/Data.dat';
const STORED_NAME = 'Data.dat';
const STORING_NAME = 'Data.dat.neu';
const JOURNAL_NAME = 'Data.dat.seiten';
const LOCK_NAME = 'skarnwald-archive';
const JOURNAL_MAGIC = 0x534b4a31;

let writable = false;
let loaded = null;

// The parts of the memory file written since it last equalled the stored
// file, as [start, end) byte ranges; `node` is that file, null when the
// stored file is to be written whole.
const changes = { node: null, ranges: [] };

// The memory file system doubles a file's room up to a megabyte, then grows
// it by an eighth at a time, copying all of it each time: a large report
// stored into the archive copied it dozens of times. Past a megabyte a file
// here grows by at least 16 MB (or an eighth, when that is more).
const DOUBLING_LIMIT = 1024 * 1024;
const GROWTH = 16 * 1024 * 1024;
function makeRoom(node, end) {
  const contents = node.contents;
  if (!(contents instanceof Uint8Array) || contents.length < DOUBLING_LIMIT || contents.length >= end) return;
  const grown = new Uint8Array(Math.max(end, contents.length + Math.max(GROWTH, contents.length / 8)));
  grown.set(contents.subarray(0, node.usedBytes));
  node.contents = grown;
}

// Every write into the memory file system passes here (the file operations
// are shared by all its files); those into the watched archive are noted.
function watchWrites(node) {
  const operations = node.stream_ops;
  if (operations.archiveWatched) return;
  const write = operations.write;
  operations.write = function (stream, buffer, offset, length, position, canOwn) {
    if (stream.node === changes.node) changes.ranges.push([position, position + length]);
    makeRoom(stream.node, position + length);
    return write.call(this, stream, buffer, offset, length, position, canOwn);
  };
  operations.archiveWatched = true;
}

function watchArchive(module) {
  changes.node = module.FS.lookupPath(ARCHIVE_FILE).node;
  changes.ranges = [];
  watchWrites(changes.node);
}

// Another tab may be writing the file in place just now; it is read once
// that tab has let go of it.
async function readStoredArchive() {
  const root = await navigator.storage.getDirectory();
  for (let attempt = 0; ; attempt++) {
    try {
      const file = await (await root.getFileHandle(STORED_NAME)).getFile();
      return new Uint8Array(await file.arrayBuffer());
    } catch (error) {
      if (error.name === 'NotFoundError') return null;
      const busy = error.name === 'NoModificationAllowedError' || error.name === 'InvalidStateError';
      if (!busy || attempt === 50) throw error;
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
  }
}

// The stored copy into the memory file system, then opened.
async function loadArchive(module) {
  if (writable) await finishInterruptedSave();
  const bytes = await readStoredArchive();
  module.closeArchive();
  const FS = module.FS;
  if (!FS.analyzePath('/archive').exists) FS.mkdir('/archive');
  for (const name of ['Data.dat', 'Data.dat-journal']) {
    if (FS.analyzePath(`/archive/${name}`).exists) FS.unlink(`/archive/${name}`);
  }
  changes.node = null;
  if (bytes) {
    FS.writeFile(ARCHIVE_FILE, bytes);
    watchArchive(module);
  }
  const error = module.openArchive();
  if (error) throw new Error(error);
  // A new archive is written at once, so a second tab finds it.
  if (!bytes && writable) await saveArchive(module);
}

// FNV-1a over the journal's bytes, so a journal cut short is never applied.
function checksum(bytes) {
  let hash = 0x811c9dc5;
  for (let i = 0; i < bytes.length; i++) hash = Math.imul(hash ^ bytes[i], 0x01000193);
  return hash >>> 0;
}

// The ranges within `size`, sorted, touching ones joined.
function mergedRanges(ranges, size) {
  const sorted = ranges.map(([start, end]) => [start, Math.min(end, size)]).filter(([start, end]) => start < end);
  sorted.sort((a, b) => a[0] - b[0]);
  const merged = [];
  for (const range of sorted) {
    const last = merged[merged.length - 1];
    if (last && range[0] <= last[1]) last[1] = Math.max(last[1], range[1]);
    else merged.push(range);
  }
  return merged;
}

// magic, file size, count, then per range its start, length and bytes, and
// the checksum of all that.
function journalOf(node, ranges) {
  const total = ranges.reduce((sum, [start, end]) => sum + 12 + end - start, 16) + 4;
  const bytes = new Uint8Array(total);
  const view = new DataView(bytes.buffer);
  view.setUint32(0, JOURNAL_MAGIC);
  view.setFloat64(4, node.usedBytes);
  view.setUint32(12, ranges.length);
  let at = 16;
  for (const [start, end] of ranges) {
    view.setFloat64(at, start);
    view.setUint32(at + 8, end - start);
    bytes.set(node.contents.subarray(start, end), at + 12);
    at += 12 + end - start;
  }
  view.setUint32(at, checksum(bytes.subarray(0, at)));
  return bytes;
}

// {size, pages: [{at, bytes}]}, or null for a journal that is not whole.
function readJournal(bytes) {
  if (bytes.length < 20) return null;
  const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.length);
  const end = bytes.length - 4;
  if (view.getUint32(0) !== JOURNAL_MAGIC || view.getUint32(end) !== checksum(bytes.subarray(0, end))) return null;
  const pages = [];
  let at = 16;
  for (let count = view.getUint32(12); count > 0; count--) {
    const length = view.getUint32(at + 8);
    pages.push({ at: view.getFloat64(at), bytes: bytes.subarray(at + 12, at + 12 + length) });
    at += 12 + length;
  }
  return { size: view.getFloat64(4), pages };
}

async function writeWhole(handle, bytes) {
  const access = await handle.createSyncAccessHandle();
  try {
    access.truncate(0);
    access.write(bytes, { at: 0 });
    access.flush();
  } finally {
    access.close();
  }
}

async function applyJournal(root, journal) {
  const access = await (await root.getFileHandle(STORED_NAME)).createSyncAccessHandle();
  try {
    for (const page of journal.pages) access.write(page.bytes, { at: page.at });
    access.truncate(journal.size);
    access.flush();
  } finally {
    access.close();
  }
}

// A journal that was written whole goes into Data.dat (again); one that was
// not is dropped, Data.dat being still untouched then.
async function finishInterruptedSave() {
  const root = await navigator.storage.getDirectory();
  let file;
  try {
    file = await (await root.getFileHandle(JOURNAL_NAME)).getFile();
  } catch (error) {
    if (error.name === 'NotFoundError') return;
    throw error;
  }
  const journal = readJournal(new Uint8Array(await file.arrayBuffer()));
  if (journal) await applyJournal(root, journal);
  await root.removeEntry(JOURNAL_NAME);
}

async function writeChangedPages(root, bytes) {
  await writeWhole(await root.getFileHandle(JOURNAL_NAME, { create: true }), bytes);
  await applyJournal(root, readJournal(bytes));
  await root.removeEntry(JOURNAL_NAME);
}

async function writeWholeArchive(root, bytes) {
  const storing = await root.getFileHandle(STORING_NAME, { create: true });
  await writeWhole(storing, bytes);
  await storing.move(STORED_NAME);
}

// Writes the archive back and returns once the browser has it on disk. Saves
// run one after the other: two at once would both open the same file.
let lastSave = Promise.resolve();
function saveArchive(module) {
  const save = lastSave.then(() => writeArchive(module));
  lastSave = save.catch(() => {});
  return save;
}

// What is to be written is taken at once, before anything is awaited: the
// archive may change meanwhile, and those changes are noted for the next save.
async function writeArchive(module) {
  requireWritable();
  const node = module.FS.lookupPath(ARCHIVE_FILE).node;
  const ranges = node === changes.node ? mergedRanges(changes.ranges, node.usedBytes) : null;
  const changed = ranges && ranges.reduce((sum, [start, end]) => sum + end - start, 0);
  // Past a quarter of the file the whole of it is as quick to write.
  const journal = ranges && changed < node.usedBytes / 4 ? journalOf(node, ranges) : null;
  const whole = journal ? null : module.FS.readFile(ARCHIVE_FILE);
  watchArchive(module);
  try {
    const root = await navigator.storage.getDirectory();
    if (journal) await writeChangedPages(root, journal);
    else await writeWholeArchive(root, whole);
  } catch (error) {
    // What the stored file holds is unknown now: the next save writes all.
    changes.node = null;
    throw error;
  }
}

// Every change first asks this: only the tab holding the lock may write.
function requireWritable() {
  if (!writable) throw new Error('Das Archiv ist in einem anderen Tab geöffnet; nur dort kann es geändert werden.');
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
  // The stored file's bytes once the saves under way are done; null when
  // there is none yet.
  storedBytes: () => lastSave.then(readStoredArchive),
  get writable() {
    return writable;
  },
  requireWritable,
  // Where SQLite has the archive open, in the memory file system.
  path: ARCHIVE_FILE,
};
