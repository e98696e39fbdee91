// What the worker's jobs know of each other. Conversions that store nothing
// go before the archive's opening (see worker.js): the archive waits here
// until none is running.
let running = 0;
const quietWaiters = [];

export function conversionStarted() {
  running++;
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
