// The storing switches ("Kämpfe speichern", "Persönliche Statistik führen")
// and the Koords field, kept in the archive's settings table like the
// desktop program's, each change saved before it counts. A tab that does not
// hold the archive shows them locked and converts without storing.
import { onWorkerEvent, run } from './converter.js';
import { onLanguageChange, plural, t } from './i18n.js';
import { anyHidden, normalizeCoords } from './settings.js';
import { showMessage } from './text.js';

const $ = (id) => document.getElementById(id);
const switches = { store: $('store-battles'), persStat: $('keep-record') };
const ownCoords = $('own-coords');
const message = $('archive-settings-message');
// In the language the page opened in (the archive file section shows it too).
export const ELSEWHERE = t('storing.elsewhere');

const PERSIST_ASKED = 'skarnwald.persistAsked';

let writable = false;
let settingsRead = false;
// Koords as the archive holds them, so an unchanged field writes nothing.
let storedCoords = '';

// Whether a conversion asks the worker to store at all: with both switches
// off it runs exactly as without an archive.
export const storingOn = () => switches.store.checked || switches.persStat.checked;

function lock() {
  for (const box of Object.values(switches)) box.disabled = !writable;
}

// The field shows the archive's Koords as the converter reads them.
function showCoords(coords) {
  if (ownCoords.value.trim() === coords) return;
  ownCoords.value = coords;
  ownCoords.dispatchEvent(new Event('change'));
}

function show(settings) {
  switches.store.checked = settings.store;
  switches.persStat.checked = settings.persStat;
  storedCoords = normalizeCoords(settings.ownCoords || '') || '';
}

// The switches keep what the player set: an answer to an earlier change
// must not undo a later one still under way.
async function write(changes) {
  const { result } = await run('writeArchiveSettings', { changes });
  storedCoords = normalizeCoords(result.ownCoords || '') || '';
  // For scripts that drive the page: how many settings changes are saved.
  document.body.dataset.archiveWrites = String(Number(document.body.dataset.archiveWrites || 0) + 1);
}

// Reads the settings; `fromFile` after another archive came in, whose Koords
// then replace the field's. Otherwise Koords kept only in this browser so
// far move into an archive that has none.
export async function loadArchiveSettings({ fromFile = false } = {}) {
  let settings;
  try {
    ({ result: settings } = await run('archiveSettings'));
  } catch (error) {
    showMessage(message, t('storing.unavailable', { reason: error.message }), 'error');
    return;
  }
  writable = settings.writable;
  settingsRead = true;
  show(settings);
  lock();
  showNote();
  const fieldCoords = normalizeCoords(ownCoords.value) || '';
  if (storedCoords || fromFile) showCoords(storedCoords);
  else if (fieldCoords && writable) await write({ ownCoords: fieldCoords }).catch(() => {});
  // For scripts that drive the page: the switches show the archive's settings.
  document.body.dataset.archiveSettings = writable ? 'writable' : 'elsewhere';
}

// The browser is asked once to keep the site's storage for good; the text
// says what it answered.
export async function persistence() {
  if (!navigator.storage || !navigator.storage.persist) return t('storing.persistUnsupported');
  let persisted = await navigator.storage.persisted();
  if (!persisted && !localStorage.getItem(PERSIST_ASKED)) {
    localStorage.setItem(PERSIST_ASKED, '1');
    persisted = await navigator.storage.persist();
  }
  return persisted ? t('storing.persistent') : t('storing.notPersistent');
}

// The personal record follows the fleet at Koords; without them it stays empty.
function coordsHint() {
  const missing = writable && switches.persStat.checked && !normalizeCoords(ownCoords.value);
  showMessage(message, missing ? t('storing.coordsMissing') : '');
}

// What the line under the switches says once the settings are read.
function showNote() {
  if (!settingsRead) return;
  if (writable) coordsHint();
  else showMessage(message, t('storing.elsewhere'));
}

async function switchChanged(name, box) {
  box.disabled = true;
  try {
    await write({ [name]: box.checked });
    coordsHint();
    // What is stored from now on should last: the browser is asked then.
    if (box.checked) persistence().catch(() => {});
  } catch (error) {
    box.checked = !box.checked;
    showMessage(message, error.message, 'error');
  }
  lock();
}

async function coordsChanged() {
  const text = ownCoords.value.trim();
  const coords = text === '' ? '' : normalizeCoords(text);
  coordsHint();
  if (coords === null || coords === storedCoords || !writable) return;
  try {
    await write({ ownCoords: coords });
  } catch (error) {
    showMessage(message, t('storing.coordsNotStored', { reason: error.message }), 'error');
  }
}

// The line the finish message ends with, and the news for the archive's
// list. `keptRecord` is true only when the record's figures changed: a battle
// counted before, or one without the own fleet, adds nothing to say.
export function storingNote(result, options) {
  if (result.archive) return { text: ` ${t('storing.notStored', { reason: result.archive })}`, error: false };
  if (!('storedBattles' in result)) return { text: '', error: false };
  const parts = [];
  const fresh = result.battles - result.skipped;
  if (result.storedBattles && fresh > 0) parts.push(plural('storing.stored', fresh));
  if (result.keptRecord) parts.push(t('storing.recordKept'));
  if (anyHidden(options)) parts.push(t('storing.hiddenNotStored'));
  if (result.skippedNote) parts.push(result.skippedNote);
  if (result.archiveErrors) parts.push(t('storing.errors', { errors: result.archiveErrors }));
  if (result.storedBattles || result.keptRecord) document.dispatchEvent(new CustomEvent('archive-changed'));
  return { text: parts.length ? ` ${parts.join(' ')}` : '', error: Boolean(result.archiveErrors) };
}

export function initArchiveSettings() {
  for (const [name, box] of Object.entries(switches)) box.addEventListener('change', () => switchChanged(name, box));
  ownCoords.addEventListener('change', coordsChanged);
  onWorkerEvent((event) => {
    if (event.event === 'archive-writable') loadArchiveSettings();
    // The tab that holds the archive changed it: this one shows it anew.
    if (event.event === 'archive-changed') {
      loadArchiveSettings();
      document.dispatchEvent(new CustomEvent('archive-changed', { detail: { elsewhere: true } }));
    }
  });
  onLanguageChange(showNote);
  return loadArchiveSettings();
}
