// The history: the last reports converted, kept in this browser's IndexedDB
// (never on a server). An entry keeps only the report; opening it converts it
// again with the switches as they stand, so nothing hidden comes back. A
// shared link's report also keeps the switches its sender hid with. One
// report keeps one entry, the newest.
import { formatDateTime, onLanguageChange, plural, t } from './i18n.js';
import { battlePlace, battlesText, showMessage } from './text.js';

export const HISTORY_LIMIT = 20;

const $ = (id) => document.getElementById(id);
const ui = {
  list: $('history-list'),
  empty: $('history-empty'),
  note: $('history-note'),
  message: $('history-message'),
  clearAll: $('clear-history'),
};

const store = (() => {
  let opened = null;
  function database() {
    opened =
      opened ||
      new Promise((resolve, reject) => {
        const request = indexedDB.open('skarnwald', 2);
        request.onupgradeneeded = () => {
          // Entries of the first version kept every output, shown as they were made: gone.
          if (request.result.objectStoreNames.contains('conversions')) request.result.deleteObjectStore('conversions');
          request.result.createObjectStore('reports', { keyPath: 'id', autoIncrement: true });
        };
        request.onsuccess = () => resolve(request.result);
        request.onerror = () => reject(request.error);
      });
    return opened;
  }
  async function run(mode, work) {
    const db = await database();
    return new Promise((resolve, reject) => {
      const transaction = db.transaction('reports', mode);
      const result = work(transaction.objectStore('reports'));
      transaction.oncomplete = () => resolve(result && 'result' in result ? result.result : undefined);
      transaction.onerror = () => reject(transaction.error);
    });
  }
  return {
    all: () => run('readonly', (reports) => reports.getAll()),
    put: (entry) => run('readwrite', (reports) => reports.put(entry)),
    remove: (ids) => run('readwrite', (reports) => ids.forEach((id) => reports.delete(id))),
  };
})();

// "3 Kämpfe · [11.7.8] Sector Nine"
export function entryName(entry) {
  const place = battlePlace(entry.first);
  return place ? `${battlesText(entry.battles)} · ${place}` : battlesText(entry.battles);
}

let openEntry = () => {};
let entries = [];

function entryItem(entry) {
  const name = entryName(entry);
  const item = document.createElement('li');
  const text = document.createElement('div');
  text.className = 'entry';
  const title = document.createElement('div');
  title.className = 'entry-title';
  title.textContent = name;
  title.title = name;
  const date = document.createElement('div');
  date.className = 'muted';
  const when = formatDateTime(new Date(entry.date));
  date.textContent = entry.linkSwitches ? `${when} · ${t('history.sharedLink')}` : when;
  text.append(title, date);

  const button = (label, action, className) => {
    const element = document.createElement('button');
    element.className = `button small ${className}`;
    element.type = 'button';
    element.textContent = label;
    element.setAttribute('aria-label', t('history.entryAction', { action: label, entry: name }));
    element.addEventListener('click', action);
    return element;
  };
  item.append(
    text,
    button(t('history.open'), async () => openEntry(entry, new Uint8Array(await entry.report.arrayBuffer())), ''),
    button(t('history.delete'), () => removeWithUndo([entry], t('history.deleted', { entry: name })), 'danger'),
  );
  return item;
}

async function render() {
  try {
    entries = await store.all();
  } catch {
    entries = [];
  }
  ui.list.replaceChildren(...[...entries].reverse().map(entryItem));
  ui.empty.hidden = entries.length > 0;
  ui.clearAll.hidden = entries.length === 0;
}

// Deleting is undone from the message beside the list until the next deletion.
async function removeWithUndo(removed, text) {
  await store.remove(removed.map((entry) => entry.id));
  await render();
  const undo = document.createElement('button');
  undo.className = 'button small';
  undo.type = 'button';
  undo.textContent = t('history.undo');
  undo.addEventListener('click', async () => {
    for (const entry of removed) await store.put(entry);
    showMessage(ui.message, t('history.restored'), 'ok');
    await render();
  });
  showMessage(ui.message, `${text} `, 'ok');
  ui.message.append(undo);
}

// The report's SHA-256 in hex, which tells the same report opened again;
// empty where the browser offers no digest (outside a secure context).
async function digestOf(bytes) {
  if (!crypto.subtle) return '';
  const digest = new Uint8Array(await crypto.subtle.digest('SHA-256', bytes));
  return Array.from(digest, (byte) => byte.toString(16).padStart(2, '0')).join('');
}

// Adds a converted report in place of an entry of the same report; the
// oldest beyond the limit drop out.
export async function remember({ bytes, name, fromLink, switches }, result) {
  try {
    const digest = await digestOf(bytes);
    await store.put({
      report: new Blob([bytes]),
      fileName: name,
      battles: result.battles,
      first: result.first,
      date: new Date(),
      digest,
      ...(fromLink ? { linkSwitches: switches } : {}),
    });
    const all = await store.all();
    const newest = all[all.length - 1].id;
    const same = all.filter((entry) => digest && entry.digest === digest && entry.id !== newest);
    const kept = all.filter((entry) => !same.includes(entry));
    const old = [...same, ...kept.slice(0, Math.max(0, kept.length - HISTORY_LIMIT))];
    if (old.length) await store.remove(old.map((entry) => entry.id));
  } catch {
    showMessage(ui.message, t('history.unavailable'), 'error');
  }
  await render();
}

// `onOpen(entry, bytes)` converts an entry's report again.
export function initHistory(onOpen) {
  openEntry = onOpen;
  const showNote = () => {
    ui.note.textContent = plural('history.note', HISTORY_LIMIT);
  };
  showNote();
  ui.clearAll.addEventListener('click', () => removeWithUndo([...entries], t('history.cleared')));
  onLanguageChange(() => {
    showNote();
    render();
  });
  render();
}
