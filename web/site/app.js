// The page: reads the report as bytes, has the worker convert it, shows the
// page in a sandboxed preview and offers the downloads, copies and history.
'use strict';

const $ = (id) => document.getElementById(id);
const ui = {
  report: $('report'),
  dropZone: $('drop-zone'),
  file: $('file'),
  fileName: $('file-name'),
  convert: $('convert'),
  progress: $('progress'),
  message: $('message'),
  preview: $('preview'),
  titleLine: $('title-line'),
  downloadPage: $('download-page'),
  copyBbcode: $('copy-bbcode'),
  copyDiscord: $('copy-discord'),
  copyTitle: $('copy-title'),
  downloadJson: $('download-json'),
  historyList: $('history-list'),
  historyEmpty: $('history-empty'),
  ownCoords: $('own-coords'),
  switches: { hideOwn: $('hide-own'), hideNames: $('hide-names'), hideCoords: $('hide-coords') },
};

const HISTORY_LIMIT = 20;
const utf8 = new TextDecoder('utf-8', { fatal: true });
const windows1252 = new TextDecoder('windows-1252');

// Pages keep the report's bytes; reports that are not UTF-8 are read the way
// the game's old pages were written.
function decodeText(bytes) {
  try {
    return utf8.decode(bytes);
  } catch {
    return windows1252.decode(bytes);
  }
}

function showMessage(text, kind = '') {
  ui.message.textContent = text;
  ui.message.className = 'message' + (kind ? ' ' + kind : '');
}

// ---- Settings: the redaction switches and the own coordinates -------------

const SETTINGS_KEY = 'skarnwald.settings';

function loadSettings() {
  let stored = {};
  try {
    stored = JSON.parse(localStorage.getItem(SETTINGS_KEY) || '{}');
  } catch {
    stored = {};
  }
  ui.ownCoords.value = typeof stored.ownCoords === 'string' ? stored.ownCoords : '';
  for (const [name, box] of Object.entries(ui.switches)) box.checked = stored[name] === true;
}

function currentOptions() {
  const options = { ownCoords: ui.ownCoords.value.trim() };
  for (const [name, box] of Object.entries(ui.switches)) options[name] = box.checked;
  return options;
}

function saveSettings() {
  localStorage.setItem(SETTINGS_KEY, JSON.stringify(currentOptions()));
}

// ---- The input: the report field or a file's own bytes ---------------------

// A file's bytes are converted as they are, so the page equals the desktop's
// for the same file; typing in the field goes back to the field's text.
let fileInput = null;

async function readFile(file) {
  if (!file) return;
  let bytes;
  try {
    bytes = new Uint8Array(await file.arrayBuffer());
  } catch {
    fileInput = null;
    ui.fileName.textContent = '';
    showMessage(`Die Datei „${file.name}“ konnte nicht gelesen werden.`, 'error');
    return;
  }
  fileInput = { name: file.name, bytes };
  ui.fileName.textContent = file.name;
  ui.report.value = decodeText(bytes);
  await convert();
}

function inputBytes() {
  if (fileInput) return fileInput.bytes;
  return new TextEncoder().encode(ui.report.value);
}

// ---- Conversion in the worker ---------------------------------------------

const worker = new Worker('worker.js');
const pending = new Map();
let nextJob = 1;

worker.onmessage = ({ data }) => {
  const job = pending.get(data.id);
  if (!job) return;
  if ('progress' in data) {
    ui.progress.value = data.progress;
    return;
  }
  pending.delete(data.id);
  if (data.error) job.reject(new Error(data.error));
  else job.resolve(data);
};

function runConversion(bytes, options) {
  const id = nextJob++;
  return new Promise((resolve, reject) => {
    pending.set(id, { resolve, reject });
    worker.postMessage({ id, bytes, options });
  });
}

function formatDuration(milliseconds) {
  if (milliseconds < 1000) return `${Math.max(1, Math.round(milliseconds))} ms`;
  return `${(milliseconds / 1000).toLocaleString('de-DE', { maximumFractionDigits: 1 })} s`;
}

// The current conversion: what the buttons download and copy.
let current = null;
let discordNext = 0;

// A new conversion goes into the history; one redone for changed switches does not.
async function convert({ remember = true } = {}) {
  const bytes = inputBytes();
  if (fileInput && bytes.length === 0) {
    showMessage(`Die Datei „${fileInput.name}“ ist leer.`, 'error');
    return;
  }
  if (!fileInput && ui.report.value.trim() === '') {
    showMessage('Das Berichtsfeld ist leer. Bitte einen Kampfbericht einfügen oder eine Datei öffnen.', 'error');
    return;
  }
  ui.convert.disabled = true;
  ui.progress.hidden = false;
  ui.progress.value = 0;
  showMessage('Wird umgewandelt …');
  try {
    const { result, milliseconds } = await runConversion(bytes, currentOptions());
    const report = fileInput ? fileInput.bytes : bytes;
    current = { ...result, report, date: new Date() };
    show(current);
    // For scripts that drive the page: how many conversions ended, the last one's time.
    document.body.dataset.conversions = String(Number(document.body.dataset.conversions || 0) + 1);
    document.body.dataset.lastConversionMs = milliseconds.toFixed(1);
    showMessage(`Fertig (${formatDuration(milliseconds)}).`, 'ok');
    if (remember) addToHistory(current);
  } catch (error) {
    current = null;
    showMessage(`Die Umwandlung ist fehlgeschlagen: ${error.message}`, 'error');
  } finally {
    ui.convert.disabled = false;
    ui.progress.hidden = true;
  }
}

// The history names a conversion by its first title line (the first battle).
function titleOf(conversion) {
  const firstLine = conversion.title ? decodeText(conversion.title).split('\n')[0].trim() : '';
  return firstLine || 'Kampfbericht';
}

function show(conversion) {
  conversion.titleText = conversion.titleText || titleOf(conversion);
  ui.preview.srcdoc = decodeText(conversion.html);
  ui.titleLine.textContent = conversion.titleText;
  ui.titleLine.title = conversion.titleText;
  discordNext = 0;
  ui.downloadPage.disabled = false;
  ui.copyBbcode.disabled = !conversion.bbcode;
  ui.copyTitle.disabled = !conversion.title;
  ui.downloadJson.disabled = !conversion.json;
  ui.copyDiscord.disabled = !(conversion.discord && conversion.discord.length);
  updateDiscordLabel();
}

// ---- Downloads and copies -------------------------------------------------

function fileStamp(date) {
  const pad = (n) => String(n).padStart(2, '0');
  return `${date.getFullYear()}-${pad(date.getMonth() + 1)}-${pad(date.getDate())}-${pad(date.getHours())}${pad(date.getMinutes())}`;
}

function download(bytes, name, type) {
  const url = URL.createObjectURL(new Blob([bytes], { type }));
  const link = document.createElement('a');
  link.href = url;
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 1000);
}

async function copyText(text, done) {
  try {
    await navigator.clipboard.writeText(text);
    showMessage(done, 'ok');
  } catch {
    showMessage('Die Zwischenablage ist nicht erreichbar; bitte die Berechtigung erlauben.', 'error');
  }
}

function updateDiscordLabel() {
  const count = current && current.discord ? current.discord.length : 0;
  ui.copyDiscord.textContent =
    count > 1 ? `Für Discord kopieren (${discordNext + 1}/${count})` : 'Für Discord kopieren';
}

ui.downloadPage.addEventListener('click', () => {
  if (current) download(current.html, `Kampfbericht-${fileStamp(current.date)}.htm`, 'text/html');
});
ui.downloadJson.addEventListener('click', () => {
  if (current && current.json) download(current.json, `Kampfbericht-${fileStamp(current.date)}.json`, 'application/json');
});
ui.copyBbcode.addEventListener('click', () => {
  if (current && current.bbcode) copyText(decodeText(current.bbcode), 'BBCode kopiert.');
});
ui.copyTitle.addEventListener('click', () => {
  if (current && current.title) copyText(decodeText(current.title).trimEnd(), 'Titelzeile kopiert.');
});
// Each press copies the next message; after the last it starts again.
ui.copyDiscord.addEventListener('click', async () => {
  if (!current || !current.discord || !current.discord.length) return;
  const count = current.discord.length;
  const index = discordNext;
  await copyText(decodeText(current.discord[index]), `Discord-Nachricht ${index + 1} von ${count} kopiert.`);
  discordNext = (index + 1) % count;
  updateDiscordLabel();
});

// ---- History in IndexedDB -------------------------------------------------

const history = (() => {
  let opened = null;
  function database() {
    opened = opened || new Promise((resolve, reject) => {
      const request = indexedDB.open('skarnwald', 1);
      request.onupgradeneeded = () => request.result.createObjectStore('conversions', { keyPath: 'id', autoIncrement: true });
      request.onsuccess = () => resolve(request.result);
      request.onerror = () => reject(request.error);
    });
    return opened;
  }
  async function run(mode, work) {
    const db = await database();
    return new Promise((resolve, reject) => {
      const transaction = db.transaction('conversions', mode);
      const result = work(transaction.objectStore('conversions'));
      transaction.oncomplete = () => resolve(result && 'result' in result ? result.result : undefined);
      transaction.onerror = () => reject(transaction.error);
    });
  }
  return {
    all: () => run('readonly', (store) => store.getAll()),
    add: (entry) => run('readwrite', (store) => store.add(entry)),
    remove: (id) => run('readwrite', (store) => store.delete(id)),
  };
})();

// The bytes go in as Blobs, which the browser keeps on disk and reads only
// when an entry is opened: a large report's page runs to tens of megabytes.
const BYTE_FIELDS = ['report', 'html', 'bbcode', 'title', 'json'];

function toStored(conversion) {
  const entry = { titleText: conversion.titleText, date: conversion.date };
  for (const field of BYTE_FIELDS) if (conversion[field]) entry[field] = new Blob([conversion[field]]);
  if (conversion.discord) entry.discord = conversion.discord.map((message) => new Blob([message]));
  return entry;
}

async function fromStored(entry) {
  const bytesOf = async (blob) => new Uint8Array(await blob.arrayBuffer());
  const conversion = { titleText: entry.titleText, date: new Date(entry.date) };
  for (const field of BYTE_FIELDS) if (entry[field]) conversion[field] = await bytesOf(entry[field]);
  if (entry.discord) conversion.discord = await Promise.all(entry.discord.map(bytesOf));
  return conversion;
}

async function addToHistory(conversion) {
  try {
    await history.add(toStored(conversion));
    const entries = await history.all();
    for (const old of entries.slice(0, Math.max(0, entries.length - HISTORY_LIMIT))) await history.remove(old.id);
  } catch {
    showMessage('Fertig; der Verlauf ist in diesem Browser nicht verfügbar.', 'ok');
  }
  await renderHistory();
}

async function renderHistory() {
  let entries = [];
  try {
    entries = await history.all();
  } catch {
    entries = [];
  }
  ui.historyList.replaceChildren(...entries.reverse().map(historyItem));
  ui.historyEmpty.hidden = entries.length > 0;
}

function historyItem(entry) {
  const item = document.createElement('li');
  const text = document.createElement('div');
  text.className = 'entry';
  const title = document.createElement('div');
  title.className = 'entry-title';
  title.textContent = entry.titleText;
  title.title = entry.titleText;
  const date = document.createElement('div');
  date.className = 'muted';
  date.textContent = new Date(entry.date).toLocaleString('de-DE');
  text.append(title, date);

  const open = document.createElement('button');
  open.className = 'button small';
  open.type = 'button';
  open.textContent = 'Öffnen';
  open.addEventListener('click', async () => {
    current = await fromStored(entry);
    // The stored bytes, so converting again gives the same page.
    fileInput = { name: entry.titleText, bytes: current.report };
    ui.fileName.textContent = '';
    ui.report.value = decodeText(current.report);
    show(current);
    showMessage('Aus dem Verlauf geöffnet.', 'ok');
  });
  const remove = document.createElement('button');
  remove.className = 'button small danger';
  remove.type = 'button';
  remove.textContent = 'Löschen';
  remove.addEventListener('click', async () => {
    await history.remove(entry.id);
    await renderHistory();
  });
  item.append(text, open, remove);
  return item;
}

// ---- Wiring ---------------------------------------------------------------

ui.convert.addEventListener('click', () => convert());
ui.report.addEventListener('input', () => {
  fileInput = null;
  ui.fileName.textContent = '';
});
ui.file.addEventListener('change', () => {
  readFile(ui.file.files[0]);
  ui.file.value = '';
});
for (const box of [...Object.values(ui.switches), ui.ownCoords]) {
  box.addEventListener('change', () => {
    saveSettings();
    if (current) convert({ remember: false });
  });
}

// A file dropped anywhere on the page is opened (rather than the browser
// leaving the page to show it); dropped text goes into the field as usual.
const carriesFiles = (event) => event.dataTransfer && [...event.dataTransfer.types].includes('Files');
for (const type of ['dragenter', 'dragover']) {
  document.addEventListener(type, (event) => {
    if (!carriesFiles(event)) return;
    event.preventDefault();
    ui.dropZone.classList.add('dragging');
  });
}
document.addEventListener('dragleave', (event) => {
  if (!event.relatedTarget) ui.dropZone.classList.remove('dragging');
});
document.addEventListener('drop', (event) => {
  ui.dropZone.classList.remove('dragging');
  if (!carriesFiles(event)) return;
  event.preventDefault();
  readFile(event.dataTransfer.files[0]);
});

loadSettings();
renderHistory();
if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});
