// "Angriffsplanung": the desktop's attack organisation in a tab. Every change
// goes to the core in the worker, which returns the plan file's bytes and the
// rows to show; this module keeps those bytes and shows the rows, so "Plan
// speichern" downloads exactly what the desktop writes.
import { onLanguageChange, t, textId, translate } from './i18n.js';
import { call, countUpdate, fileBytes, tableRow, utf8 } from './planning-lists.js';
import { onFirstShown } from './tabs.js';
import { download, showMessage } from './text.js';

// Each class: the key of its field, the ids of its short and its full name.
const CLASSES = [
  ['Sh', textId('plan.short.shuttle'), textId('plan.class.shuttle')],
  ['Fi', textId('plan.short.fighter'), textId('plan.class.fighter')],
  ['Fr', textId('plan.short.frigate'), textId('plan.class.frigate')],
  ['Co', textId('plan.short.corvette'), textId('plan.class.corvette')],
  ['Sc', textId('plan.short.starcruiser'), textId('plan.class.starcruiser')],
  ['Bs', textId('plan.short.battleship'), textId('plan.class.battleship')],
  ['Do', textId('plan.short.doomstar'), textId('plan.class.doomstar')],
];
// Ziel, ETA, the classes and Summe; the row markers behind them stay hidden.
const SHOWN_COLUMNS = 10;
const FIRST_CLASS = 2;
const SUM_MARKER_COLUMN = 10;
const PASTE_LIMIT = 100000;

const markup = `
<section class="card plan-card" aria-labelledby="plan-title">
  <div class="row">
    <h2 id="plan-title" data-i18n="plan.title"></h2>
    <span class="spacer"></span>
    <span class="row">
      <button id="plan-save" class="button" type="button" data-i18n="plan.save"></button>
      <button id="plan-load" class="button" type="button" data-i18n="plan.load"></button>
      <input id="plan-file" type="file" accept=".json,application/json" hidden>
    </span>
  </div>
  <p id="plan-message" class="message plan-message" role="status" aria-live="polite"></p>
  <div class="plan-scroll" role="region" data-i18n-aria-label="plan.table">
    <table id="plan-table" class="plan-list" role="treegrid" aria-labelledby="plan-title">
      <thead><tr><th scope="col" data-i18n="plan.target"></th><th scope="col" data-i18n="plan.eta"></th>${CLASSES.map(
        ([, short, name]) => `<th scope="col"><abbr data-i18n-title="${name}" data-i18n="${short}"></abbr></th>`).join('')}<th scope="col" data-i18n="plan.sum"></th></tr></thead>
      <tbody></tbody>
    </table>
    <p id="plan-empty" class="plan-empty" data-i18n="plan.empty"></p>
  </div>
  <div class="row plan-actions">
    <button id="plan-edit" class="button" type="button" disabled aria-keyshortcuts="Enter" data-i18n="plan.edit"></button>
    <button id="plan-remove" class="button" type="button" disabled aria-keyshortcuts="Delete" data-i18n="plan.remove"></button>
    <span class="spacer"></span>
    <button id="plan-sums" class="button primary" type="button" data-i18n="plan.sums"></button>
  </div>
  <label for="plan-paste" class="plan-label" data-i18n="plan.outgoings"></label>
  <textarea id="plan-paste" class="plan-paste" spellcheck="false" autocomplete="off" maxlength="${PASTE_LIMIT}"
            data-i18n-placeholder="plan.pastePlaceholder"></textarea>
  <div class="row plan-actions">
    <button id="plan-import" class="button" type="button" data-i18n="plan.import"></button>
    <button id="plan-open-outgoings" class="button secondary" type="button" data-i18n="plan.importFile"></button>
    <input id="plan-outgoings-file" type="file" accept=".txt,text/plain" hidden>
  </div>
</section>
<dialog id="fleet-edit" class="fleet-edit" aria-labelledby="fleet-edit-title">
  <h2 id="fleet-edit-title" data-i18n="plan.edit"></h2>
  <div class="fleet-edit-grid">
    <span class="fleet-edit-label planet" data-i18n="plan.planet"></span><span id="fleet-edit-planet" class="fleet-edit-coords">1.1.1</span>
    ${CLASSES.map(([key, , name]) =>
      `<label class="fleet-edit-label" for="fleet-edit-${key}"><span data-i18n="${name}"></span>:</label><input id="fleet-edit-${key}" type="text" inputmode="numeric" autocomplete="off">`).join('\n    ')}
  </div>
  <p id="fleet-edit-message" class="message plan-message" role="alert"></p>
  <div class="row fleet-edit-buttons">
    <button id="fleet-edit-ok" class="button primary" type="button" data-i18n="dialog.ok"></button>
    <button id="fleet-edit-cancel" class="button" type="button" data-i18n="dialog.cancel"></button>
  </div>
</dialog>`;

let ui;
// The plan file's bytes (none yet: an empty plan) and its rows as shown.
let plan = new Uint8Array();
let rows = [];
let selected = '';
let unsaved = false;
// Changes run one after the other, each on the plan the one before left.
let queue = Promise.resolve();

const message = (text, kind) => showMessage(ui.message, text, kind);
const pathOf = (key) => (key === '' ? [] : key.split('.').map(Number));
function rowAt(path) {
  let row = null;
  for (const index of path) row = (row ? row.children : rows)[index] || null;
  return row;
}
const shownRows = () => [...ui.body.rows];

// Runs `job` with `fields` on the current plan; a result without a plan (null,
// or a refusal) changes nothing.
function change(job, fields = {}, { marksUnsaved = true } = {}) {
  queue = queue.then(async () => {
    const result = await call(job, { plan, ...fields });
    if (result?.plan) show(result, marksUnsaved);
    return result;
  }).catch((error) => {
    message(t('plan.changeFailed', { reason: error.message }), 'error');
    return null;
  });
  return queue;
}

function show(result, marksUnsaved) {
  plan = result.plan;
  rows = result.rows;
  if (marksUnsaved) unsaved = true;
  render();
}

function render() {
  const hadFocus = ui.table.contains(document.activeElement);
  ui.body.replaceChildren();
  addRows(rows, [], 1);
  ui.empty.hidden = rows.length > 0;
  if (!shownRows().some((row) => row.dataset.path === selected)) selected = '';
  select(selected || shownRows()[0]?.dataset.path || '', { focus: hadFocus });
  countUpdate(ui.panel);
}

function addRows(list, parent, level) {
  list.forEach((row, index) => {
    const path = [...parent, index];
    const shown = tableRow(row.cells.slice(0, SHOWN_COLUMNS),
      { textSlot: row.textSlot, backgroundSlot: row.backgroundSlot, firstOnly: true });
    shown.dataset.path = path.join('.');
    shown.tabIndex = -1;
    shown.setAttribute('aria-level', String(level));
    shown.cells[0].style.paddingLeft = `${0.4 + 1.2 * (level - 1)}em`;
    if (row.children.length > 0) {
      shown.setAttribute('aria-expanded', String(row.expanded));
      shown.cells[0].prepend(toggleButton(row, path));
    }
    ui.body.append(shown);
    if (row.expanded) addRows(row.children, path, level + 1);
  });
}

function toggleButton(row, path) {
  const button = document.createElement('button');
  button.type = 'button';
  button.className = 'plan-toggle';
  button.tabIndex = -1; // the arrow keys expand and collapse from the row
  button.textContent = row.expanded ? '▾' : '▸';
  const target = row.cells[0];
  button.setAttribute('aria-label', row.expanded ? t('plan.collapse', { target }) : t('plan.expand', { target }));
  button.addEventListener('click', () => setExpanded(path, !row.expanded));
  return button;
}

// Which targets show their fleets goes into the plan file but is no unsaved change.
const setExpanded = (path, expanded) =>
  change('planExpand', { path, expanded }, { marksUnsaved: false });

function select(key, { focus = false } = {}) {
  selected = key;
  for (const row of shownRows()) {
    const mine = row.dataset.path === key;
    row.setAttribute('aria-selected', String(mine));
    row.tabIndex = mine || (key === '' && row === ui.body.rows[0]) ? 0 : -1;
    if (mine && focus) row.focus();
  }
  const path = pathOf(key);
  ui.edit.disabled = key === '';
  ui.remove.disabled = path.length !== 2;
}

// The fleet edit form for the selected row; OK writes the seven class cells.
function openEdit() {
  const path = pathOf(selected);
  const row = rowAt(path);
  if (!row) return;
  // Sum rows name their side in the first cell; their planet is the target's.
  const sumRow = row.cells[SUM_MARKER_COLUMN] === 'SUM' && path.length > 1;
  ui.planet.textContent = (sumRow ? rowAt(path.slice(0, -1)) : row).cells[0];
  ui.classEdits.forEach((edit, k) => {
    edit.value = row.cells[FIRST_CLASS + k];
  });
  ui.dialog.dataset.path = selected;
  showMessage(ui.editMessage, '');
  ui.dialog.showModal();
  ui.classEdits[0].select();
}

// More ships than the fleet has are told in the form, which stays open for a correction.
async function acceptEdit() {
  const key = ui.dialog.dataset.path;
  const result = await change('planEdit', { path: pathOf(key), classes: ui.classEdits.map((edit) => edit.value) });
  if (result?.refusal) {
    showMessage(ui.editMessage, result.refusal, 'error');
    return;
  }
  ui.dialog.close();
  select(key, { focus: true });
}

async function removeSelected() {
  const path = pathOf(selected);
  if (path.length !== 2) return;
  const [target, child] = path;
  if (!(await change('planRemove', { target, child }))) return;
  // The next row takes the selection, so Entf can go on removing.
  const fleets = rows[target].children.length;
  select(fleets > 0 ? `${target}.${Math.min(child, fleets - 1)}` : String(target), { focus: true });
}

// Lines that are no attack are named above the table, brought into view from
// the paste field below it on a phone; the earlier word goes once all are read.
async function importOutgoings(text, fromFile) {
  const result = await change('planImport', { text, fromFile });
  ui.paste.value = '';
  if (!result) return;
  message(result.refusal, result.refusal ? 'error' : '');
  if (result.refusal) ui.message.scrollIntoView({ block: 'nearest' });
}

function savePlan() {
  download(plan, t('plan.fileName'), 'application/json');
  unsaved = false;
  message(t('plan.saved'), 'ok');
}

async function loadPlan(file) {
  let result;
  try {
    result = await call('planLoad', { bytes: await fileBytes(file) });
  } catch (error) {
    result = { error: error.message };
  }
  if (result.error) {
    message(t('plan.loadFailed', { file: file.name, reason: result.error }), 'error');
    countUpdate(ui.panel);
    return;
  }
  selected = '';
  show(result, false);
  unsaved = false;
  message(t('plan.loaded', { file: file.name }), 'ok');
}

// Arrows move between the rows and open or close a target, Enter edits, Entf removes.
function onKey(event) {
  const shown = shownRows();
  const at = shown.findIndex((row) => row.dataset.path === selected);
  const path = pathOf(selected);
  const row = rowAt(path);
  const moveTo = (index) => shown[index] && select(shown[index].dataset.path, { focus: true });
  const keys = {
    ArrowDown: () => moveTo(at + 1),
    ArrowUp: () => moveTo(Math.max(0, at - 1)),
    Home: () => moveTo(0),
    End: () => moveTo(shown.length - 1),
    ArrowRight: () => row?.children.length && !row.expanded && setExpanded(path, true),
    ArrowLeft: () => (row?.expanded ? setExpanded(path, false)
      : path.length > 1 && select(path.slice(0, -1).join('.'), { focus: true })),
    Enter: openEdit,
    F2: openEdit,
    Delete: removeSelected,
  };
  if (!(event.key in keys) || event.target.closest('button')) return;
  event.preventDefault();
  keys[event.key]();
}

function build(panel) {
  panel.innerHTML = markup;
  translate(panel);
  const $ = (id) => panel.querySelector(`#${id}`);
  ui = {
    panel,
    message: $('plan-message'),
    table: $('plan-table'),
    body: $('plan-table').tBodies[0],
    empty: $('plan-empty'),
    edit: $('plan-edit'),
    remove: $('plan-remove'),
    paste: $('plan-paste'),
    dialog: $('fleet-edit'),
    planet: $('fleet-edit-planet'),
    classEdits: CLASSES.map(([key]) => $(`fleet-edit-${key}`)),
    editMessage: $('fleet-edit-message'),
  };

  ui.body.addEventListener('click', (event) => {
    const row = event.target.closest('tr');
    if (row) select(row.dataset.path, { focus: true });
  });
  // A double-click anywhere in the list, below the rows too, edits the selected row.
  $('plan-table').parentElement.addEventListener('dblclick', (event) => {
    if (event.target.closest('thead, .plan-toggle')) return;
    const row = event.target.closest('tr');
    if (row) select(row.dataset.path);
    openEdit();
  });
  ui.body.addEventListener('keydown', onKey);
  ui.edit.addEventListener('click', openEdit);
  ui.remove.addEventListener('click', removeSelected);
  $('plan-sums').addEventListener('click', () => change('planSums'));

  $('plan-import').addEventListener('click', () => importOutgoings(utf8(ui.paste.value), false));
  $('plan-open-outgoings').addEventListener('click', () => $('plan-outgoings-file').click());
  $('plan-outgoings-file').addEventListener('change', async (event) => {
    const [file] = event.target.files;
    event.target.value = '';
    if (!file) return;
    try {
      await importOutgoings(await fileBytes(file), true);
    } catch (error) {
      message(t('plan.fileUnreadable', { file: file.name, reason: error.message }), 'error');
    }
  });

  $('plan-save').addEventListener('click', savePlan);
  $('plan-load').addEventListener('click', () => {
    if (!unsaved || confirm(t('plan.unsavedQuestion')))
      $('plan-file').click();
  });
  $('plan-file').addEventListener('change', (event) => {
    const [file] = event.target.files;
    event.target.value = '';
    if (file) loadPlan(file);
  });

  $('fleet-edit-ok').addEventListener('click', acceptEdit);
  $('fleet-edit-cancel').addEventListener('click', () => ui.dialog.close());
  ui.dialog.addEventListener('keydown', (event) => {
    if (event.key === 'Enter' && event.target.matches('input')) {
      event.preventDefault();
      acceptEdit();
    }
  });
  window.addEventListener('beforeunload', (event) => {
    if (unsaved) event.preventDefault();
  });
  render();
}

onFirstShown('tab-planning', build);
// The markup follows by itself; the rows' buttons are made anew.
onLanguageChange(() => {
  if (ui) render();
});
