// The archive file section: how large Data.dat is, how many battles it holds,
// whether the browser keeps it for good, and the file downloaded as it is
// stored, replaced by another archive file after a check and a question, or
// joined by the battles of another archive file that it does not hold yet.
import { ELSEWHERE, loadArchiveSettings, persistence } from './archive-settings.js';
import { onWorkerEvent, run } from './converter.js';
import { confirmAction } from './confirm.js';
import { onFirstShown } from './tabs.js';
import { formatNumber, plural, t } from './i18n.js';
import { battlesText, download, formatSize, showMessage } from './text.js';

const $ = (id) => document.getElementById(id);
const ui = {
  battles: $('archive-battles'),
  size: $('archive-size'),
  persisted: $('archive-persisted'),
  elsewhere: $('archive-elsewhere'),
  download: $('archive-download'),
  load: $('archive-load'),
  file: $('archive-load-file'),
  merge: $('archive-merge'),
  mergeFile: $('archive-merge-file'),
  message: $('archive-file-message'),
};

const message = (text, kind) => showMessage(ui.message, text, kind);

async function showPersistence() {
  try {
    ui.persisted.textContent = await persistence();
  } catch {
    ui.persisted.textContent = 'unbekannt';
  }
}

async function refresh() {
  try {
    const { result: facts } = await run('archiveFacts');
    ui.battles.textContent = formatNumber(facts.battles);
    ui.size.textContent = formatSize(facts.size);
    ui.elsewhere.hidden = facts.writable;
    ui.elsewhere.textContent = facts.writable ? '' : ELSEWHERE;
    ui.load.disabled = !facts.writable;
    ui.merge.disabled = !facts.writable;
  } catch (error) {
    message(t('archiveFile.unavailable', { reason: error.message }), 'error');
  }
  // For scripts that drive the page: how often the figures were shown.
  document.body.dataset.archiveFacts = String(Number(document.body.dataset.archiveFacts || 0) + 1);
}

// The worker hands out a copy on disk, which the download reads from there.
async function downloadArchive() {
  try {
    const { result: file } = await run('archiveCopy');
    download(file, 'Data.dat', 'application/octet-stream');
  } catch (error) {
    message(t('archiveFile.notSaved', { reason: error.message }), 'error');
  }
}

// `checked.dropped` names what of the file stays behind (its triggers, views
// and the like), as the core words it; empty when nothing does.
async function replaceQuestion(checked) {
  const { result: facts } = await run('archiveFacts');
  const question = t('archiveFile.replaceQuestion', {
    file: battlesText(checked.battles),
    archive: battlesText(facts.battles),
  });
  return question + (checked.dropped ? ` ${checked.dropped}` : '');
}

// Says the file is being checked; the returned function shows the outcome and
// counts it in the page's data attribute `counter`, which tests wait on.
function startChecking(file, counter) {
  message(t('archiveFile.checking', { name: file.name }));
  return (text, kind) => {
    message(text, kind);
    document.body.dataset[counter] = String(Number(document.body.dataset[counter] || 0) + 1);
  };
}

export async function loadChosen(file) {
  const done = startChecking(file, 'archiveLoads');
  try {
    // The File itself: the worker reads it into the browser's storage as it goes.
    const { result: checked } = await run('checkArchiveFile', { file, name: file.name });
    if (checked.error) return done(t('archiveFile.refused', { reason: checked.error }), 'error');
    if (!(await confirmAction(await replaceQuestion(checked), t('archiveFile.replace')))) {
      await run('dropArchiveFile');
      return done(t('archiveFile.notLoaded'));
    }
    const { result } = await run('replaceArchive');
    await loadArchiveSettings({ fromFile: true });
    document.dispatchEvent(new CustomEvent('archive-changed'));
    done(t('archiveFile.loaded', { battles: battlesText(result.battles) }) + (checked.dropped ? ` ${checked.dropped}` : ''), 'ok');
  } catch (error) {
    done(t('archiveFile.failed', { reason: error.message }), 'error');
  }
}

// Nothing is asked first: the archive only gains battles, and its settings
// and personal record stay as they are.
async function mergeChosen(file) {
  const done = startChecking(file, 'archiveMerges');
  try {
    const { result: merged } = await run('mergeArchiveFile', { file, name: file.name });
    if (merged.error) return done(t('archiveFile.mergeRefused', { reason: merged.error }), 'error');
    document.dispatchEvent(new CustomEvent('archive-changed'));
    const counts = `${plural('archiveFile.added', merged.added)}, ${plural('archiveFile.alreadyThere', merged.alreadyThere)}`;
    done(counts + (merged.dropped ? ` ${merged.dropped}` : ''), 'ok');
  } catch (error) {
    done(t('archiveFile.mergeFailed', { reason: error.message }), 'error');
  }
}

// A button opens its hidden file field; the file chosen goes to `take`.
function offerFile(button, field, take) {
  button.addEventListener('click', () => field.click());
  field.addEventListener('change', () => {
    const [file] = field.files;
    field.value = '';
    if (file) take(file);
  });
}

function build() {
  ui.download.addEventListener('click', downloadArchive);
  offerFile(ui.load, ui.file, loadChosen);
  offerFile(ui.merge, ui.mergeFile, mergeChosen);
  document.addEventListener('archive-changed', refresh);
  onWorkerEvent((event) => {
    if (event.event === 'archive-writable') refresh();
  });
  refresh();
  showPersistence();
}

export function initArchiveFile() {
  onFirstShown('tab-archive', build);
}
