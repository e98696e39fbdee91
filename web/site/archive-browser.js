// The stored battles: found as the player types, shown as a table whose rows
// are added in pages as it scrolls (ten thousand rows at once would hold the
// page up for a second), one battle opened as its stored page, downloaded or
// deleted, the whole archive emptied, the found battles written as CSV or
// passed on as an archive of their own.
import { isCancelled, newestOnly, run } from './converter.js';
import { confirmAction } from './confirm.js';
import { formatNumber, onLanguageChange, plural, t } from './i18n.js';
import { fittedPage } from './preview-fit.js';
import { onFirstShown } from './tabs.js';
import { decodeText, download, showMessage } from './text.js';

const $ = (id) => document.getElementById(id);
const ui = {
  section: $('archive-browser'),
  search: $('archive-search'),
  from: $('archive-from'),
  to: $('archive-to'),
  order: $('archive-order'),
  count: $('archive-count'),
  listBox: $('archive-list-box'),
  rows: $('archive-list').tBodies[0],
  more: $('archive-more'),
  csvTable: $('csv-table'),
  csvSeparator: $('csv-separator'),
  csv: $('archive-csv'),
  selection: $('archive-selection'),
  deleteAll: $('archive-delete-all'),
  message: $('archive-message'),
  shown: $('archive-shown'),
  shownTitle: $('archive-shown-title'),
  download: $('archive-page-download'),
  deleteOne: $('archive-delete'),
  preview: $('archive-preview'),
};

const ROWS_PER_PAGE = 200;
// Field positions in each listed battle (see findStoredBattles).
const DATE = 0;
const COORDS = 1;
const PLACE = 2;
const FILE_NAME = 3;

let built = false;
let listed = null;
let rendered = 0;
// A search waiting for its answer is cancelled by a newer one.
const searches = newestOnly();
let opened = null;

const currentFilter = () => ({
  search: ui.search.value,
  from: ui.from.value,
  to: ui.to.value,
  order: ui.order.value,
});

function field(row, index) {
  const at = row * listed.fields + index;
  return decodeText(listed.text.subarray(at === 0 ? 0 : listed.ends[at - 1], listed.ends[at]));
}

// The battle as the list shows it now, or nothing when it is not listed.
function listedBattle(id) {
  const row = listed ? listed.ids.indexOf(id) : -1;
  return row < 0 ? null : battleOf(row);
}

function battleOf(row) {
  return { id: listed.ids[row], date: field(row, DATE), coords: field(row, COORDS), place: field(row, PLACE), fileName: field(row, FILE_NAME) };
}

// Counts up after every change the page shows, for tests and benchmarks to wait on.
function countUp(name) {
  ui.section.dataset[name] = String(Number(ui.section.dataset[name] || 0) + 1);
}

function reportErrors(result) {
  if (result.errors) showMessage(ui.message, result.errors, 'error');
}

function rowOf(battle, index) {
  const row = document.createElement('tr');
  row.dataset.index = String(index);
  const cells = [String(battle.id), battle.date, battle.coords, battle.place];
  cells.forEach((text, column) => {
    const cell = document.createElement('td');
    if (column === 1) {
      // The date opens the battle: one button per row keeps Tab short.
      const open = document.createElement('button');
      open.type = 'button';
      open.className = 'link';
      open.textContent = text || '–';
      open.setAttribute('aria-label', t('archive.open', battle));
      cell.append(open);
    } else {
      cell.textContent = text;
    }
    row.append(cell);
  });
  return row;
}

function appendRows() {
  const end = Math.min(listed.ids.length, rendered + ROWS_PER_PAGE);
  const rows = document.createDocumentFragment();
  for (let index = rendered; index < end; index++) rows.append(rowOf(battleOf(index), index));
  ui.rows.append(rows);
  rendered = end;
  const left = listed.ids.length - rendered;
  ui.more.hidden = left === 0;
  ui.more.textContent = t('archive.more', { next: formatNumber(Math.min(left, ROWS_PER_PAGE)), left: formatNumber(left) });
}

function showList(found) {
  listed = found;
  rendered = 0;
  ui.rows.replaceChildren();
  ui.listBox.scrollTop = 0;
  appendRows();
  const shown = found.ids.length;
  ui.count.textContent = plural('archive.listed', shown);
  countUp('lists');
}

// Every key typed searches and cancels the search before it: the worker
// skips queries a newer one overtook, and only the newest answer reaches the
// table.
async function refresh() {
  try {
    const { result } = await run('findBattles', { filter: currentFilter() }, { signal: searches.next() });
    showList(result);
    reportErrors(result);
  } catch (error) {
    if (!isCancelled(error)) showMessage(ui.message, t('archive.unreadable', { reason: error.message }), 'error');
  }
}

// The frame keeps its page while undisplayed: one loaded into it then could
// leave it black once shown again.
function closeBattle() {
  opened = null;
  ui.shown.hidden = true;
}

// `focus`: keyboard and screen reader users land on the battle they opened.
async function openBattle(battle, { focus = true } = {}) {
  const { result } = await run('storedPage', { battleId: battle.id });
  reportErrors(result);
  if (result.page.length === 0) return;
  opened = { ...battle, page: result.page };
  ui.shownTitle.textContent = t('archive.shownTitle', battle);
  // Shown before its page comes in: a frame undisplayed while loading may
  // stay black, and the page is zoomed to the width the frame has.
  ui.shown.hidden = false;
  ui.preview.srcdoc = fittedPage(decodeText(result.page), ui.preview.parentElement);
  if (focus) ui.shownTitle.focus();
}

async function deleteOpened() {
  const { id } = opened;
  if (!(await confirmAction(t('archive.deleteQuestion', { id })))) return;
  const { result } = await run('deleteBattle', { battleId: id });
  reportErrors(result);
  if (result.outcome === 'failed') return;
  const deleted = result.outcome === 'deleted';
  showMessage(ui.message, deleted ? t('archive.deleted', { id }) : t('archive.noSuchBattle', { id }), deleted ? 'ok' : '');
  document.dispatchEvent(new Event('archive-changed'));
}

async function deleteAll() {
  const { result: stored } = await run('findBattles', { filter: {} });
  const count = stored.ids.length;
  if (count === 0) {
    showMessage(ui.message, t('archive.empty'));
    return;
  }
  if (!(await confirmAction(plural('archive.deleteAllQuestion', count)))) return;
  const { result } = await run('deleteAllBattles');
  reportErrors(result);
  if (!result.deleted) return;
  showMessage(ui.message, plural('archive.deletedAll', count), 'ok');
  document.dispatchEvent(new Event('archive-changed'));
}

async function exportCsv() {
  // Ten thousand battles take seconds: the button waits until they are written.
  ui.csv.disabled = true;
  showMessage(ui.message, t('archive.csvRunning'));
  const { result } = await run('exportCsv', {
    filter: currentFilter(),
    table: ui.csvTable.value,
    separator: ui.csvSeparator.value,
  }).finally(() => {
    ui.csv.disabled = false;
  });
  if (result.error) {
    showMessage(ui.message, result.error, 'error');
    return;
  }
  const written = plural('archive.csvWritten', result.battles);
  if (result.files.length === 1) {
    const [file] = result.files;
    downloadCsv(file);
    showMessage(ui.message, `${written} ${file.name}`, 'ok');
    return;
  }
  // Browsers ask before, or refuse, a second download from one click: each
  // of several files gets a button of its own.
  showMessage(ui.message, written, 'ok');
  ui.message.append(...result.files.map(csvButton));
}

// The battles the list shows go out as a small Data.dat of their own, with
// nothing of the player's settings or personal record; the download reads
// the file the worker wrote, not a copy of it.
async function saveSelection() {
  const ids = listed ? listed.ids : new Int32Array(0);
  if (ids.length === 0) {
    showMessage(ui.message, t('archive.nothingToSave'));
    return;
  }
  ui.selection.disabled = true;
  try {
    const { result } = await run('selectionArchive', { ids });
    reportErrors(result);
    const name = t('archive.selectionFile');
    download(result.file, name, 'application/octet-stream');
    showMessage(ui.message, plural('archive.selectionSaved', result.battles, { name }), 'ok');
  } finally {
    ui.selection.disabled = false;
    countUp('selections');
  }
}

const downloadCsv = (file) => download(file.bytes, file.name, 'text/csv;charset=utf-8');

function csvButton(file) {
  const button = document.createElement('button');
  button.type = 'button';
  button.className = 'button small';
  button.textContent = file.name;
  button.addEventListener('click', () => downloadCsv(file));
  return button;
}

// A failed job says why beside the list instead of vanishing.
const reporting = (action) => (...args) =>
  action(...args).catch((error) => showMessage(ui.message, error.message, 'error'));

function build() {
  built = true;
  ui.search.addEventListener('input', refresh);
  for (const field of [ui.from, ui.to]) field.addEventListener('input', refresh);
  ui.order.addEventListener('change', refresh);
  ui.rows.addEventListener('click', (event) => {
    const row = event.target.closest('tr');
    if (row) reporting(openBattle)(battleOf(Number(row.dataset.index)));
  });
  ui.more.addEventListener('click', appendRows);
  // Scrolling near the table's end adds the next page of rows by itself.
  new IntersectionObserver((entries) => {
    if (entries.some((entry) => entry.isIntersecting) && !ui.more.hidden) appendRows();
  }, { root: ui.listBox, rootMargin: '200px' }).observe(ui.more);
  ui.preview.addEventListener('load', () => {
    if (opened) countUp('opened');
  });
  ui.download.addEventListener('click', () => download(opened.page, `${opened.fileName}.htm`, 'text/html'));
  ui.deleteOne.addEventListener('click', reporting(deleteOpened));
  ui.deleteAll.addEventListener('click', reporting(deleteAll));
  ui.csv.addEventListener('click', reporting(exportCsv));
  ui.selection.addEventListener('click', reporting(saveSelection));
  refresh();
}

// Opening the archive takes the Web Lock, the file handles and SQLite's
// first look at the file; done while the page is idle, the list stands at
// once when the tab is first shown. The time taken is kept for the benchmark.
function openArchiveWhenIdle() {
  requestIdleCallback(async () => {
    const started = performance.now();
    await run('openArchive').catch(() => {});
    ui.section.dataset.archiveOpenedMs = String(Math.round(performance.now() - started));
  });
}

onFirstShown('tab-archive', build);
if (document.readyState === 'complete') openArchiveWhenIdle();
else window.addEventListener('load', openArchiveWhenIdle, { once: true });
// The list's texts and the battle shown (the core's page, its title and the
// name it downloads under) follow the language.
onLanguageChange(async () => {
  if (!built) return;
  await refresh();
  if (opened) reporting(openBattle)(listedBattle(opened.id) ?? opened, { focus: false });
});
// Another archive may have been loaded: the battle shown may be gone. A
// change another tab made leaves the battle this one shows open.
document.addEventListener('archive-changed', (event) => {
  if (!built) return;
  if (!event.detail?.elsewhere) closeBattle();
  refresh();
});
