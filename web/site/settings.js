// The switches that hide details and the own coordinates (Koords): kept in
// this browser, read in the forms the game writes, refused inline otherwise.
// They are the player's own: a shared link brings its switches along with
// its report and never changes these.
import { onLanguageChange, t } from './i18n.js';
import { showMessage } from './text.js';

const KEY = 'skarnwald.settings';
const $ = (id) => document.getElementById(id);
const boxes = { hideOwn: $('hide-own'), hideNames: $('hide-names'), hideCoords: $('hide-coords') };
const ownCoords = $('own-coords');
const coordsMessage = $('own-coords-message');
const hideOwnMessage = $('hide-own-message');

// "11.7.8", "11. 7. 8", "[11.7.8]", with blanks around: "11.7.8"; anything else null.
export function normalizeCoords(text) {
  const match = /^\s*\[?\s*(\d{1,4})\s*\.\s*(\d{1,4})\s*\.\s*(\d{1,4})\s*\]?\s*$/.exec(text);
  return match ? `${Number(match[1])}.${Number(match[2])}.${Number(match[3])}` : null;
}

function coordsState() {
  const text = ownCoords.value;
  if (text.trim() === '') return { coords: '', valid: true };
  const coords = normalizeCoords(text);
  return { coords: coords || '', valid: coords !== null };
}

// Says what is wrong beside the field concerned; true when all is usable.
function check() {
  const { coords, valid } = coordsState();
  showMessage(coordsMessage, valid ? '' : t('coords.invalid'), valid ? '' : 'error');
  const ownMissing = boxes.hideOwn.checked && coords === '';
  showMessage(
    hideOwnMessage,
    ownMissing ? (valid ? t('coords.missingForHideOwn') : t('coords.invalidForHideOwn')) : '',
    ownMissing ? 'error' : '',
  );
  ownCoords.setAttribute('aria-invalid', String(!valid));
  return valid;
}

// What a conversion is run with: invalid Koords are not used.
export function currentOptions() {
  const options = { ownCoords: coordsState().coords };
  for (const [name, box] of Object.entries(boxes)) options[name] = box.checked;
  return options;
}

export function anyHidden(options) {
  return options.hideOwn || options.hideNames || options.hideCoords;
}

function save() {
  const stored = { ownCoords: ownCoords.value.trim() };
  for (const [name, box] of Object.entries(boxes)) stored[name] = box.checked;
  localStorage.setItem(KEY, JSON.stringify(stored));
}

// "Namen, Koordinaten": what `options` hide, in the order of the switches,
// or '' when nothing is hidden. `own` names the fleets hidden as own.
export function hiddenList(options, own = t('hidden.ownFleets')) {
  const names = { hideOwn: own, hideNames: t('hidden.names'), hideCoords: t('hidden.coords') };
  return Object.keys(boxes)
    .filter((name) => options[name])
    .map((name) => names[name])
    .join(', ');
}

// `onChange` runs at once when a switch or Koords changes, before anything else.
export function initSettings(onChange) {
  let stored = {};
  try {
    stored = JSON.parse(localStorage.getItem(KEY) || '{}');
  } catch {
    stored = {};
  }
  ownCoords.value = typeof stored.ownCoords === 'string' ? stored.ownCoords : '';
  for (const [name, box] of Object.entries(boxes)) box.checked = stored[name] === true;
  check();

  for (const box of Object.values(boxes)) {
    box.addEventListener('change', () => {
      check();
      save();
      onChange();
    });
  }
  ownCoords.addEventListener('input', () => check());
  onLanguageChange(check);
  ownCoords.addEventListener('change', () => {
    const normal = normalizeCoords(ownCoords.value);
    if (normal) ownCoords.value = normal;
    check();
    save();
    onChange();
  });
}
