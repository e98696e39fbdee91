// Runs the converter off the page's thread, so the page stays responsive and
// the progress bar moves while a large report converts. The same walk writes
// the share texts and the share link's text, which is compressed here too, so
// none of that work touches the page.
//
// Every job the page can ask for is named in the table at the end of this
// file; the sections' jobs come from their modules.
import { cancelledJobs, jobBegan, jobEnded, warmUpMayGoOn } from './job-state.js';
import { storeJobs, storingConversion } from './jobs-archive-store.js';
import { viewJobs } from './jobs-archive-views.js';
import { planningJobs } from './jobs-planning.js';
import createSkarnwald from './skarnwald.js';

// A first conversion runs on the engine's baseline code; a small report
// converted, and stored into a throwaway archive, while the worker is idle
// after loading lets the hot code be optimised before the player's report
// arrives. In rounds: the engine swaps optimised code in only between calls,
// and the browser keeps the code optimised by then for the next visit. The
// rounds give way to every other job and end when a conversion comes (see
// job-state.js); no job waits for them.
const WARM_UP_ROUNDS = 3;
const moduleLoaded = createSkarnwald();
moduleLoaded.then(async (module) => {
  const report = new TextEncoder().encode(warmUpReport());
  for (let round = 0; round < WARM_UP_ROUNDS; round++) {
    if (!(await warmUpMayGoOn())) return;
    module.warmUp(report, '1.2.1');
  }
});

function warmUpReport() {
  const lines = [];
  for (let battle = 1; battle <= 40; ++battle) {
    lines.push(`01.01.2026 10:${String(battle % 60).padStart(2, '0')}:00 Uhr Battle at [${battle}.1.1] Ort`);
    for (let fleet = 1; fleet <= 6; ++fleet) {
      lines.push(`Agility 20 Speed 6 [50/50] Frigate (F${fleet}) from ${fleet}.2.${battle} Spieler${fleet}`);
      lines.push(`Frigate (F${fleet}) destroyed [3/40] Fighter (G) from ${battle}.1.1 Gegner`);
      lines.push(`Frigate (F${fleet}) lamed [2/40] Corvette (H) from ${battle}.1.1 Gegner`);
    }
    lines.push(`Roid-Capture : [1.2.${battle}] Spieler1 has captured 3 Roids`);
  }
  return lines.join('\n');
}

// For scripts that measure the worker: the module's memory in bytes, which
// never shrinks and so is its highest so far.
self.moduleMemoryBytes = async () => (await moduleLoaded).HEAPU8.length;

// Every byte array in a result, however deep, is handed over, not copied.
function transferablesOf(value, buffers = []) {
  if (value instanceof Uint8Array) buffers.push(value.buffer);
  else if (value && typeof value === 'object') Object.values(value).forEach((part) => transferablesOf(part, buffers));
  return buffers;
}

async function deflate(bytes) {
  const stream = new Blob([bytes]).stream().pipeThrough(new CompressionStream('deflate'));
  return new Uint8Array(await new Response(stream).arrayBuffer());
}

function base64url(bytes) {
  let binary = '';
  for (let at = 0; at < bytes.length; at += 0x8000) binary += String.fromCharCode(...bytes.subarray(at, at + 0x8000));
  return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}

// The conversion (its job number) whose cut page the module keeps (see wholePage).
let keptPageOf = 0;

// The report text a share link carries, with its compressed fragment.
async function linkOf(text) {
  return { text, fragment: base64url(await deflate(text)) };
}

const conversionJobs = {
  // One walk makes everything the page shows: the page, the share texts and,
  // with options.reportText, the link. With options.store the archive's
  // settings decide what the same walk stores.
  async convert(module, { bytes, options }, id) {
    const onProgress = (fraction) => self.postMessage({ id, progress: fraction });
    // The module frees the last cut page as it begins.
    keptPageOf = 0;
    const result = options.store
      ? await storingConversion(module, bytes, options, onProgress)
      : module.convert(bytes, options, onProgress);
    if (result.reportText) result.link = await linkOf(result.reportText);
    delete result.reportText;
    // Its number asks for a cut page's whole later.
    result.conversion = id;
    keptPageOf = result.html ? 0 : id;
    return [result, transferablesOf(result)];
  },
  // A cut page's whole, asked for by the conversion that made it.
  async wholePage(module, { conversion }) {
    if (conversion !== keptPageOf) throw new Error('superseded');
    const page = module.wholePage();
    return [page, [page.buffer]];
  },
  // The report as text with what the switches hide replaced, and that text
  // compressed for a link's fragment: for a report the conversion made no
  // link for, when the player saves its text instead.
  async link(module, { bytes, options }) {
    const link = await linkOf(module.reportText(bytes, options));
    return [link, [link.text.buffer]];
  },
  async constants(module) {
    return [{ discordSeparator: module.discordSeparator(), standInOwnCoords: module.standInOwnCoords() }, []];
  },
  // The language of every text the core writes from now on, planning
  // messages and converted pages alike; the page sends it before any other job.
  async setLanguage(module, { tag }) {
    return [module.setLanguage(tag), []];
  },
};

// Every job: job(module, message, id) resolves with [result, transferables].
const jobs = { ...conversionJobs, ...storeJobs, ...viewJobs, ...planningJobs };

// Opening the archive is one long synchronous call into SQLite, which on a
// slow disk takes seconds on a new archive, and taking over an old one
// longer. Conversions that store nothing, and the pages and links asked of
// them, go before it: the player waits for those, not for the archive. A
// storing conversion needs the archive and is not held back by it.
const walkingJobs = new Set(['convert', 'wholePage', 'link']);
const holdsArchiveBack = (data) => walkingJobs.has(data.job) && !(data.job === 'convert' && data.options?.store);

self.onmessage = ({ data }) => {
  if (data.cancel) {
    cancelledJobs.add(data.cancel);
    return;
  }
  if (!(data.job in jobs)) {
    self.postMessage({ id: data.id, error: `unknown job ${data.job}` });
    return;
  }
  const holdsBack = holdsArchiveBack(data);
  jobBegan(data.job, holdsBack);
  runJob(data, holdsBack);
};

async function runJob(data, holdsBack) {
  try {
    await answer(data);
  } finally {
    cancelledJobs.delete(data.id);
    jobEnded(holdsBack);
  }
}

// Runs the job and posts its result or error.
async function answer(data) {
  const { id, job } = data;
  try {
    const module = await moduleLoaded;
    if (cancelledJobs.has(id)) return;
    const started = performance.now();
    const [result, transfer] = await jobs[job](module, data, id);
    if (cancelledJobs.has(id)) return;
    self.postMessage({ id, result, milliseconds: performance.now() - started }, transfer);
  } catch (error) {
    self.postMessage({ id, error: String(error && error.message ? error.message : error) });
  }
}
