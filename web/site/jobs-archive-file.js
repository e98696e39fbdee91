// The archive file in the browser. Data.dat and SQLite's journal beside it
// are files of the origin-private file system, which SQLite reads and writes
// page by page through the module's file layer (web/OpfsVfs.c, with
// opfs-files.js): nothing of the archive is held in memory but SQLite's page
// cache, and SQLite's journal makes every change all or nothing, whenever
// the tab is closed or killed.
//
// Only one tab may open the files: the first holds a Web Lock as long as it
// lives and keeps their handles open. Another tab asks that one for what it
// shows (over a BroadcastChannel), hears from it when the archive changed,
// says that it cannot store, and takes over as soon as the first one closes.
import { conversionsDone, whileArchiveOpens } from './job-state.js';
import { opfsFiles } from './opfs-files.js';

const LOCK_NAME = 'skarnwald-archive';
const journalOf = (name) => `${name}-journal`;
// The copy "Archiv sichern" hands out: the download reads it after the job
// has answered, while the archive may change again.
const BACKUP_NAME = 'Data.dat.sicherung';
// What the archive's first format kept beside Data.dat while saving: a file
// written whole before it replaced Data.dat, and changed pages with a
// checksum before they went into it.
const OLD_STORING_NAME = 'Data.dat.neu';
const OLD_JOURNAL_NAME = 'Data.dat.seiten';
const OLD_JOURNAL_MAGIC = 0x534b4a31;
const NO_ROOM = 'Der Browser gibt dieser Seite keinen Speicherplatz mehr; das Archiv bleibt, wie es war.';

let writable = false;
let opened = false;
let loaded = null;
let names = null;

// One archive job at a time: a job that closes the files to move or copy
// them must not meet one that reads through them.
let queue = Promise.resolve();
function serially(work) {
  const running = queue.then(work);
  queue = running.catch(() => {});
  return running;
}

// FNV-1a, as the first format summed its journal, continued over `bytes`.
function summed(hash, bytes) {
  for (let i = 0; i < bytes.length; i++) hash = Math.imul(hash ^ bytes[i], 0x01000193);
  return hash >>> 0;
}

// The pages a journal of the first format holds, when it was written whole:
// {size, pages: [{at, from, length}]} with `from` its place in the journal;
// null otherwise. Read a megabyte at a time.
function readOldJournal(journal) {
  const total = journal.getSize();
  if (total < 20) return null;
  const head = new DataView(new ArrayBuffer(16));
  journal.read(head, { at: 0 });
  if (head.getUint32(0) !== OLD_JOURNAL_MAGIC) return null;
  const chunk = new Uint8Array(1024 * 1024);
  let hash = 0x811c9dc5;
  for (let at = 0; at < total - 4; at += chunk.length) {
    const part = chunk.subarray(0, Math.min(chunk.length, total - 4 - at));
    hash = summed(hash, part.subarray(0, journal.read(part, { at })));
  }
  const stored = new DataView(new ArrayBuffer(4));
  journal.read(stored, { at: total - 4 });
  if (stored.getUint32(0) !== hash) return null;
  const pages = [];
  const entry = new DataView(new ArrayBuffer(12));
  for (let count = head.getUint32(12), at = 16; count > 0; count--) {
    journal.read(entry, { at });
    pages.push({ at: entry.getFloat64(0), from: at + 12, length: entry.getUint32(8) });
    at += 12 + entry.getUint32(8);
  }
  return { size: head.getFloat64(4), pages };
}

// A write the browser cut short throws: the old journal must stay until all
// of it is in Data.dat, to be written in again at the next start.
function copyRange(from, fromAt, to, toAt, length) {
  const chunk = new Uint8Array(Math.min(length, 1024 * 1024));
  for (let done = 0; done < length; done += chunk.length) {
    const part = chunk.subarray(0, Math.min(chunk.length, length - done));
    if (from.read(part, { at: fromAt + done }) !== part.length || to.write(part, { at: toAt + done }) !== part.length)
      throw new Error(NO_ROOM);
  }
}

// An archive of the first format becomes one of this: a journal written
// whole goes into Data.dat (again), one that was not is dropped, as is a
// file never moved over Data.dat; each only once Data.dat is whole on disk.
async function takeOverOldFormat() {
  if (await opfsFiles.exists(OLD_JOURNAL_NAME)) {
    await opfsFiles.open([names.archive, OLD_JOURNAL_NAME]);
    const archive = opfsFiles.handleOf(names.archive);
    const journal = opfsFiles.handleOf(OLD_JOURNAL_NAME);
    const whole = readOldJournal(journal);
    try {
      if (whole) {
        for (const page of whole.pages) copyRange(journal, page.from, archive, page.at, page.length);
        archive.truncate(whole.size);
        if (archive.getSize() !== whole.size) throw new Error(NO_ROOM);
        archive.flush();
      }
    } catch (error) {
      throw opfsFiles.isNoRoom(error) ? new Error(NO_ROOM) : error;
    }
  }
  await opfsFiles.remove([OLD_JOURNAL_NAME, OLD_STORING_NAME]);
}

// What a tab left behind when it was closed during "Archiv laden" or
// "Archiv zusammenführen…", or after "Archiv sichern" or "Auswahl als Archiv
// speichern…".
const leftovers = () => [names.chosen, names.takenIn, journalOf(names.takenIn), BACKUP_NAME,
  names.selection, journalOf(names.selection)];

async function openArchive(module) {
  await opfsFiles.open([names.archive, journalOf(names.archive)]);
  const error = module.openArchive();
  if (error) throw new Error(error);
  opened = true;
}

async function becomeWriter(module) {
  writable = true;
  await conversionsDone();
  await takeOverOldFormat();
  await opfsFiles.remove(leftovers());
  await openArchive(module);
  channel.postMessage({ kind: 'writer' });
  answerOwnQuestions(module);
}

// Resolves once it is known whether this tab writes; when another tab holds
// the lock, this one waits in the background and takes the archive over
// when it gets it.
function takeWriterLock(module) {
  return new Promise((decided, failed) => {
    navigator.locks.request(LOCK_NAME, { ifAvailable: true }, async (lock) => {
      if (lock) {
        await serially(() => becomeWriter(module)).then(decided, failed);
        return new Promise(() => {});
      }
      decided();
      navigator.locks.request(LOCK_NAME, async () => {
        await serially(() => becomeWriter(module)).catch(() => {});
        self.postMessage({ event: 'archive-writable' });
        return new Promise(() => {});
      });
      return undefined;
    });
  });
}

// Every change first asks this: only the tab holding the lock may write.
function requireWritable(module) {
  if (!writable) throw new Error(module.archiveMessage('changedElsewhere', ''));
}

// What a tab asks the archive: name → (module, args) => result, run in the
// tab that holds it. The archive's errors travel with the result.
const reads = {};
function readHere(module, name, args) {
  return serially(async () => {
    if (!opened) throw new Error(module.archiveMessage('notOpen', ''));
    return { ...(await reads[name](module, args)), errors: module.archiveErrors() };
  });
}

// Tabs that only read ask the writing tab; questions still open when a new
// one takes over go to it (or are answered here, when this tab takes over).
const channel = new BroadcastChannel(LOCK_NAME);
const tab = `${Date.now()}-${Math.random()}`;
const questions = new Map();
let nextQuestion = 1;
let moduleHere = null;

function ask(name, args) {
  const id = nextQuestion++;
  return new Promise((resolve, reject) => {
    const question = { kind: 'ask', from: tab, id, name, args };
    questions.set(id, { question, resolve, reject });
    channel.postMessage(question);
  });
}

function settle(id, run) {
  const open = questions.get(id);
  if (!open) return;
  questions.delete(id);
  run(open);
}

function answerOwnQuestions(module) {
  for (const [id, { question }] of questions) {
    readHere(module, question.name, question.args).then(
      (result) => settle(id, ({ resolve }) => resolve(result)),
      (error) => settle(id, ({ reject }) => reject(error)));
  }
}

channel.onmessage = ({ data }) => {
  if (data.kind === 'ask' && writable && moduleHere) {
    readHere(moduleHere, data.name, data.args).then(
      (result) => channel.postMessage({ kind: 'answer', to: data.from, id: data.id, result }),
      (error) => channel.postMessage({ kind: 'answer', to: data.from, id: data.id, error: error.message }));
  } else if (data.kind === 'answer' && data.to === tab) {
    settle(data.id, ({ resolve, reject }) => (data.error ? reject(new Error(data.error)) : resolve(data.result)));
  } else if (data.kind === 'writer') {
    for (const { question } of questions.values()) channel.postMessage(question);
  } else if (data.kind === 'changed') {
    self.postMessage({ event: 'archive-changed' });
  }
};

// A change made here, under the lock: `work` runs against the open archive,
// and a change the browser had no room for is refused (SQLite has rolled it
// back) with that reason. The other tabs hear of every change.
function change(module, work) {
  requireWritable(module);
  return serially(async () => {
    const refused = module.roomRefusals();
    const result = await work();
    if (module.roomRefusals() !== refused) {
      module.archiveErrors();
      throw new Error(NO_ROOM);
    }
    channel.postMessage({ kind: 'changed' });
    return result;
  });
}

// A copy of the archive as it stands between two changes, for the download;
// without room for the copy, the archive file itself.
async function copyOfArchive() {
  const copy = await opfsFiles.copy(names.archive, BACKUP_NAME);
  if (copy) return copy;
  return (await (await navigator.storage.getDirectory()).getFileHandle(names.archive)).getFile();
}

// Runs `work` with the archive closed, for the core's calls that open the
// file themselves: one connection to it at a time. It is opened again
// afterwards, whatever `work` did.
async function whileClosed(module, work) {
  module.closeArchive();
  opened = false;
  try {
    return await work();
  } finally {
    await openArchive(module);
  }
}

// The checked archive `name` (open, as "Archiv laden" made it) takes the
// place of Data.dat. SQLite closed the archive cleanly, so its journal holds
// nothing that belongs to the old file; it is emptied all the same before
// the new file arrives, which it must never be played into.
function replaceArchive(module, name) {
  return whileClosed(module, async () => {
    try {
      const journal = opfsFiles.handleOf(journalOf(names.archive));
      journal.truncate(0);
      journal.flush();
      await opfsFiles.remove([journalOf(name)]);
      await opfsFiles.move(name, names.archive);
    } catch (error) {
      throw new Error(`Das Archiv kann nicht ersetzt werden (${error.message}).`);
    }
  });
}

async function openArchiveFile(module) {
  moduleHere = module;
  module.opfsFiles = opfsFiles;
  names = module.archiveFileNames();
  await takeWriterLock(module);
}

// Other job files reach the archive through this.
export const archiveFile = {
  // Jobs that arrive together share one opening: a second one would ask
  // for the lock again.
  ready: (module) => (loaded ||= whileArchiveOpens(openArchiveFile(module))),
  get writable() {
    return writable;
  },
  requireWritable,
  serially,
  change,
  noRoom: NO_ROOM,
  // Adds what tabs may ask (see reads).
  addReads: (table) => Object.assign(reads, table),
  // The answer to a question, from this tab's archive or the writing tab's.
  read: (module, name, args = {}) => (writable ? readHere(module, name, args) : ask(name, args)),
  names: () => names,
  changed: () => channel.postMessage({ kind: 'changed' }),
  copyOfArchive,
  replaceArchive,
  whileClosed,
  journalOf,
};
