// The report section: the text field, "Datei öffnen", dropped files, and
// what is to be converted. A file is converted from its own bytes; a large
// one never goes into the field, which shows its name and size instead.
import { onLanguageChange, t } from './i18n.js';
import { decodeText, formatSize, showMessage } from './text.js';

const $ = (id) => document.getElementById(id);
const ui = {
  report: $('report'),
  dropZone: $('drop-zone'),
  file: $('file'),
  openFile: $('open-file'),
  clear: $('clear-input'),
  fileName: $('file-name'),
  message: $('input-message'),
};

// Above this a file's text is not put into the field: laying it out would
// freeze the page for seconds.
const FIELD_LIMIT = 1024 * 1024;

// {name, bytes} for a file or a history entry, with fromLink and the
// sender's switches for a link; null while the field's own text is the report.
let loaded = null;

export const message = (text, kind) => showMessage(ui.message, text, kind);

function showLoaded(source) {
  loaded = source;
  const large = source.bytes.length > FIELD_LIMIT;
  ui.report.readOnly = large;
  ui.report.value = large
    ? `${source.name} – ${formatSize(source.bytes.length)}\n\n${t('input.fileTooLarge')}`
    : decodeText(source.bytes);
  ui.clear.hidden = false;
  ui.fileName.textContent = source.name;
}

function forgetLoaded() {
  loaded = null;
  ui.report.readOnly = false;
  ui.clear.hidden = true;
  ui.fileName.textContent = '';
}

// What "Umwandeln" converts: {name, bytes, fromLink?, switches?}, or {error} to show.
export function currentSource() {
  if (loaded) {
    if (loaded.bytes.length === 0) return { error: t('input.fileEmpty', { file: loaded.name }) };
    return loaded;
  }
  if (ui.report.value.trim() === '')
    return { error: t('input.fieldEmpty') };
  return { name: '', bytes: new TextEncoder().encode(ui.report.value) };
}

// `onLoaded(source)` converts whatever was opened.
export function initSource({ onLoaded, onFailed }) {
  async function readFile(file) {
    if (!file) return;
    let bytes;
    try {
      bytes = new Uint8Array(await file.arrayBuffer());
    } catch {
      forgetLoaded();
      onFailed(t('input.fileUnreadable', { file: file.name }));
      return;
    }
    load({ name: file.name, bytes });
  }
  function load(source) {
    showLoaded(source);
    onLoaded(currentSource());
  }

  ui.openFile.addEventListener('click', () => ui.file.click());
  ui.file.addEventListener('change', () => {
    readFile(ui.file.files[0]);
    ui.file.value = '';
  });
  ui.clear.addEventListener('click', () => {
    forgetLoaded();
    ui.report.value = '';
    ui.report.focus();
  });
  // Typing goes back to the field's own text.
  ui.report.addEventListener('input', () => {
    if (loaded && !ui.report.readOnly) forgetLoaded();
  });
  // A large file's line in the field follows the language.
  onLanguageChange(() => {
    if (loaded && ui.report.readOnly) showLoaded(loaded);
  });

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

  // An entry of the history: shown and converted by the caller.
  return { load, readFile, display: showLoaded };
}
