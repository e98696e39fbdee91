// What the worker's jobs know of each other. Conversions that store nothing
// go before the archive's opening (see worker.js): the archive waits here
// until none is running. The warm-up waits until no job at all is under way
// (below).
let conversionsRunning = 0;
const quietWaiters = [];
let jobsUnderWay = 0;
let lastJobEnded = -Infinity;
let conversionCame = false;

// `holdsArchiveBack`: a conversion the archive's opening waits for.
export function jobBegan(job, holdsArchiveBack) {
  jobsUnderWay++;
  if (job === 'convert') conversionCame = true;
  if (holdsArchiveBack) conversionsRunning++;
}

export function jobEnded(holdsArchiveBack) {
  jobsUnderWay--;
  lastJobEnded = performance.now();
  if (holdsArchiveBack && --conversionsRunning === 0) quietWaiters.splice(0).forEach((wake) => wake());
}

// Resolves once no conversion is running here.
export const conversionsDone = () =>
  (conversionsRunning === 0 ? Promise.resolve() : new Promise((wake) => quietWaiters.push(wake)));

// Jobs the page gave up on before their answer came (see converter.js): one
// not yet begun is not run, and no answer is posted for one that ran. A long
// job may look between its steps.
export const cancelledJobs = new Set();

// Warming the converter up is for a worker with nothing else to do: it waits
// while the archive opens, while any job is under way (one may be waiting
// for the opening) and for a second after the last one ended. On a page just
// loaded a round, on code not yet optimised, takes a few hundred
// milliseconds, and the list asked for with the opening would otherwise wait
// behind it. The second keeps it from a page the player reloads or leaves as
// soon as the list stands: a round under way, and the optimising it sets
// off, then compete with loading the next page, which on two cores took half
// a second longer. Once a player's conversion has come it warms the code
// itself, and the warm-up ends.
const QUIET_MS = 1000;
let opening = Promise.resolve();
export function whileArchiveOpens(promise) {
  opening = promise.catch(() => {});
  return promise;
}

// Resolves with true once the archive is open and the worker has been
// without jobs for a moment, with false as soon as the warm-up is over.
export async function warmUpMayGoOn() {
  for (;;) {
    await opening;
    if (conversionCame) return false;
    const wait = jobsUnderWay > 0 ? QUIET_MS : lastJobEnded + QUIET_MS - performance.now();
    if (wait <= 0) return true;
    await new Promise((resolve) => setTimeout(resolve, wait + 1));
  }
}
