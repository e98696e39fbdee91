// The page's side of the worker: each call is a job (named in worker.js's
// table) that resolves with {result, milliseconds}; progress of the running
// conversion goes to `onProgress`. A job given an AbortSignal rejects with an
// AbortError once it is aborted, and the worker neither runs it, when it has
// not begun, nor sends its result.
import { language, onLanguageChange } from './i18n.js';

const worker = new Worker('worker.js', { type: 'module' });
const pending = new Map();
let nextJob = 1;
let progressListener = () => {};
const eventListeners = [];

worker.onmessage = ({ data }) => {
  if (data.event) {
    eventListeners.forEach((listener) => listener(data));
    return;
  }
  const job = pending.get(data.id);
  if (!job) return;
  if ('progress' in data) {
    progressListener(data.progress);
    return;
  }
  pending.delete(data.id);
  if (data.error) job.reject(new Error(data.error));
  else job.resolve(data);
};

/**
 * @param {string} job
 * @param {object} [message]
 * @param {{signal?: AbortSignal}} [control]
 * @returns {Promise<{result: any, milliseconds: number}>}
 */
export function run(job, message = {}, { signal } = {}) {
  const id = nextJob++;
  return new Promise((resolve, reject) => {
    if (signal?.aborted) return reject(signal.reason);
    pending.set(id, { resolve, reject });
    signal?.addEventListener('abort', () => {
      if (!pending.delete(id)) return;
      worker.postMessage({ cancel: id });
      reject(signal.reason);
    }, { once: true });
    worker.postMessage({ id, job, ...message });
  });
}

// Everything the core writes (pages, posts, its messages) in the page's
// language: told before any other job, and again whenever it changes, ahead
// of the conversion that follows the change.
const tellLanguage = () => run('setLanguage', { tag: language() }).catch(() => {});
tellLanguage();
onLanguageChange(tellLanguage);

// Messages the worker sends on its own, such as the archive becoming writable.
export const onWorkerEvent = (listener) => eventListeners.push(listener);

export const onProgress = (listener) => {
  progressListener = listener;
};

// Jobs of a kind where only the newest counts, such as conversions or
// searches: `next` cancels the one before and gives the new one's signal.
export function newestOnly() {
  let current = null;
  const cancel = () => current?.abort(new DOMException('superseded', 'AbortError'));
  return {
    cancel,
    next: () => {
      cancel();
      return (current = new AbortController()).signal;
    },
  };
}
export const isCancelled = (error) => error?.name === 'AbortError';

const conversions = newestOnly();

// Reports this large never fit a link (compressed text runs at about a
// tenth of the report), so no text is written for them until asked.
export const LINK_REPORT_LIMIT = 512 * 1024;

// One walk gives everything the result section shows: the page (or its
// preview cut), the share texts and, for reports that may fit one, the link.
// A conversion starts by cancelling the one before it, which then rejects
// with an AbortError; `signal` says whether a newer one has started since.
// The bytes are copied, not handed over: the page keeps the report.
export function startConversion() {
  const signal = conversions.next();
  return {
    signal,
    convert: (bytes, options) =>
      run('convert', { bytes, options: { ...options, reportText: bytes.length <= LINK_REPORT_LIMIT } }, { signal }),
  };
}
export const cancelConversion = conversions.cancel;
// A large page stays in the worker until asked for.
export const wholePageOf = (result) =>
  result.html ? Promise.resolve(result.html) : run('wholePage', { conversion: result.conversion }).then(({ result: page }) => page);
// The link's text for a report the conversion made no link for.
export const linkFor = (bytes, options) => run('link', { bytes, options }).then(({ result }) => result);
export const constants = run('constants').then(({ result }) => result);
