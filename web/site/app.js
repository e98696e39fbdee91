// The page: the report section hands a report over, the worker converts it
// with the switches as they stand, the result section shows it, the history
// keeps it. Only the newest conversion ever reaches the page; changing a
// switch takes the old outputs away before converting again.
import { initArchiveFile } from './archive-file.js';
import { initArchiveSettings, storingNote, storingOn } from './archive-settings.js';
import { cancelConversion, constants, isCancelled, onProgress, startConversion } from './converter.js';
import { entryName, initHistory, remember } from './history.js';
import { onLanguageChange, plural, t } from './i18n.js';
import { initIncoming } from './incoming.js';
import { readLink } from './link.js';
import * as output from './output.js';
import './planning.js';
import './movements.js';
import { anyHidden, currentOptions, initSettings } from './settings.js';
import { currentSource, initSource, message } from './source.js';
import { initTabs } from './tabs.js';
import { formatDuration } from './text.js';

const $ = (id) => document.getElementById(id);
initTabs();
const convertButton = $('convert');
const progress = $('progress');

onProgress((fraction) => {
  progress.value = fraction;
});

// The report the outputs came from, so changed switches can convert it again.
let lastSource = null;

function fail(text) {
  cancelConversion();
  output.clear();
  progress.hidden = true;
  message(text, 'error');
  document.body.dataset.conversions = String(Number(document.body.dataset.conversions || 0) + 1);
}

// The player's own switches and Koords. A link's report keeps what its sender
// hid (its text no longer holds it, and the sender's own fleets stand at
// placeholder coordinates) and hides whatever the player's switches hide on
// top. Someone else's shared report is never stored.
async function optionsFor(source) {
  const options = currentOptions();
  if (source.fromLink) {
    // The sender's fleets are replaced in the text itself: the player's own,
    // when hidden too, are still found by the player's Koords.
    const playerHidesOwn = options.hideOwn && options.ownCoords !== '';
    for (const [name, on] of Object.entries(source.switches)) options[name] = options[name] || on;
    if (source.switches.hideOwn && !playerHidesOwn) options.ownCoords = (await constants).standInOwnCoords;
  }
  options.store = storingOn() && !source.fromLink;
  return options;
}

async function convert(source, { addToHistory = true } = {}) {
  const started = performance.now();
  const conversion = startConversion();
  output.clear();
  if (source.error) return fail(source.error);
  progress.hidden = false;
  progress.value = 0;
  message(t('convert.running'));
  let result;
  let options;
  let workerMs = 0;
  try {
    options = await optionsFor(source);
    if (conversion.signal.aborted) return;
    ({ result, milliseconds: workerMs } = await conversion.convert(source.bytes, options));
  } catch (error) {
    if (!isCancelled(error)) fail(t('convert.failed', { reason: error.message }));
    return;
  }
  progress.hidden = true;
  if (result.battles === 0) {
    lastSource = null;
    return fail(t('convert.noBattle'));
  }
  lastSource = source;
  output.show(result, source, options);
  const milliseconds = performance.now() - started;
  // For scripts that drive the page: how many conversions ended, the last one's time.
  document.body.dataset.conversions = String(Number(document.body.dataset.conversions || 0) + 1);
  document.body.dataset.lastConversionMs = milliseconds.toFixed(1);
  document.body.dataset.lastWorkerMs = workerMs.toFixed(1);
  const duration = formatDuration(milliseconds);
  const done = anyHidden(options)
    ? plural('convert.doneHidden', result.battles, { duration })
    : plural('convert.done', result.battles, { duration });
  const stored = storingNote(result, options);
  message(`${done}${stored.text}`, stored.error ? 'error' : 'ok');
  output.scrollIntoViewOnPhones();
  if (addToHistory) remember(source, result);
}

const convertCurrent = () => convert(currentSource());

// Changed switches never leave outputs of the old setting behind, and a
// change of language converts again too, so the page and the posts follow.
const convertAgain = () => {
  if (lastSource) convert(lastSource, { addToHistory: false });
  else output.clear();
};
initSettings(convertAgain);
onLanguageChange(convertAgain);
initArchiveSettings();
initArchiveFile();
const source = initSource({ onLoaded: (loaded) => convert(loaded), onFailed: fail });
output.initOutput();
// An entry of a link opens as the link did, with its sender's switches.
initHistory((entry, bytes) => {
  const loaded = { name: entry.fileName || entryName(entry), bytes };
  if (entry.linkSwitches) Object.assign(loaded, { fromLink: true, switches: entry.linkSwitches });
  source.display(loaded);
  convert(loaded, { addToHistory: false });
});

// The click converts even while a change of Koords converts: the newest wins.
convertButton.addEventListener('click', convertCurrent);
document.addEventListener('keydown', (event) => {
  if (event.key === 'Enter' && (event.ctrlKey || event.metaKey)) {
    event.preventDefault();
    convertCurrent();
  }
});

// A shared link: its report converts at once with its switches; the
// player's own stay as they are for the next report of their own.
async function openLink() {
  let link;
  try {
    link = await readLink(location.hash);
  } catch {
    fail(t('link.damaged'));
    return;
  }
  if (!link) return;
  source.load({ name: t('link.name'), bytes: link.bytes, fromLink: true, switches: link.switches });
}
openLink();
initIncoming(source);
window.addEventListener('hashchange', openLink);
// For scripts that drive the page: the converter has loaded.
constants.then(() => {
  document.body.dataset.converterReady = 'true';
});

if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});
