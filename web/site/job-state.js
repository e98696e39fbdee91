// What the worker's jobs know of each other. Conversions that store nothing
// go before the archive's opening (see worker.js): the archive waits here
// until none is running.
let running = 0;
const quietWaiters = [];
let wakeWarmUp = () => {};

export function conversionStarted() {
  running++;
  wakeWarmUp();
}

export function conversionFinished() {
  running--;
  if (running === 0) quietWaiters.splice(0).forEach((wake) => wake());
}

// Resolves once no conversion is running here.
export const conversionsDone = () => (running === 0 ? Promise.resolve() : new Promise((wake) => quietWaiters.push(wake)));

// Jobs the page gave up on before their answer came (see converter.js): one
// not yet begun is not run, and no answer is posted for one that ran. A long
// job may look between its steps.
export const cancelledJobs = new Set();

// The archive's opening while it runs. Warming the converter up waits for
// it: on a page just loaded the warm-up's rounds, on code not yet optimised,
// would otherwise hold the list back by more than half a second. A player's
// conversion does not wait, and the archive waits for it (see
// conversionsDone), so the warm-up goes on as soon as one arrives.
let opening = Promise.resolve();
export function whileArchiveOpens(promise) {
  opening = promise.catch(() => {});
  return promise;
}
export const archiveOpenedOrConversion = () =>
  running > 0 ? Promise.resolve() : Promise.race([opening, new Promise((wake) => (wakeWarmUp = wake))]);
