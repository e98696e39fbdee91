// The page's side of the worker: each call is a job that resolves with its
// result; progress of the running conversion goes to `onProgress`.
import { language, onLanguageChange } from './i18n.js';

const worker = new Worker('worker.js');
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

export function run(job, message = {}) {
  const id = nextJob++;
  return new Promise((resolve, reject) => {
    pending.set(id, { resolve, reject });
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

// Numbers the conversions, so a cut page's whole is asked of the one that made it.
let conversion = 0;

// Reports this large never fit a link (compressed text runs at about a
// tenth of the report), so no text is written for them until asked.
export const LINK_REPORT_LIMIT = 512 * 1024;

// One walk gives everything the result section shows: the page (or its
// preview cut), the share texts and, for reports that may fit one, the link.
// The bytes are copied, not handed over: the page keeps the report.
export const convertReport = (bytes, options) =>
  run('convert', { bytes, options: { ...options, reportText: bytes.length <= LINK_REPORT_LIMIT }, conversion: ++conversion });
// A large page stays in the worker until asked for.
export const wholePageOf = (result) =>
  result.html ? Promise.resolve(result.html) : run('wholePage', { conversion: result.conversion }).then(({ result: page }) => page);
// The link's text for a report the conversion made no link for.
export const linkFor = (bytes, options) => run('link', { bytes, options }).then(({ result }) => result);
export const constants = run('constants').then(({ result }) => result);
