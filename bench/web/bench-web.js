// Times the web edition in headless Chromium beside the command line, on
// reports written by the conversion bench (FILE arguments, for example the
// 1,000-battle 5 MB "many" and the 20 MB "shared4000"): from choosing the file
// to the preview standing, median of three, with every long task the page's
// main thread ran meanwhile (PerformanceObserver 'longtask') and the worker's
// WebAssembly memory after it (which never shrinks). Then the share
// link's length for the samples and a typical 10-battle report, and the
// site's download size. Then storing, each in a browser profile on disk: the
// first report converted into a new archive by the command line and in the
// browser (in a new browser profile, in a freshly loaded page and in the same
// page), and one battle stored into an archive of 10,000 battles until it is
// on disk.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const zlib = require('node:zlib');
const { execFileSync } = require('node:child_process');
const s = require('../../tests/web/support');
const a = require('../../tests/web/archive-support');
const { largeReport } = require('../../tests/web/reports');

const RUNS = 3;
const LONG_TASK_BUDGET_MS = 200;
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const converterReady = (page) =>
  s.until(() => page.evaluate(() => document.body.dataset.converterReady === 'true'), 'the converter');

// Installed before the page's own scripts: the clock starts when a file is
// chosen and stops when the preview frame has loaded its page.
function watchPage() {
  window.benchLongTasks = [];
  new PerformanceObserver((list) => {
    for (const entry of list.getEntries()) window.benchLongTasks.push({ start: entry.startTime, duration: entry.duration });
  }).observe({ type: 'longtask', buffered: true });
  document.addEventListener('change', (event) => {
    if (event.target.id !== 'file') return;
    window.benchStart = performance.now();
    window.benchPreview = 0;
  }, true);
  document.addEventListener('DOMContentLoaded', () => {
    document.getElementById('preview').addEventListener('load', () => {
      if (window.benchStart && !window.benchPreview) window.benchPreview = performance.now();
    });
  });
}

function cliMilliseconds(file) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'skarnwald-bench-'));
  try {
    const started = process.hrtime.bigint();
    execFileSync(s.cliPath, ['convert', file, '-o', path.join(folder, 'page.htm')], { cwd: folder });
    return Number(process.hrtime.bigint() - started) / 1e6;
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

// `fresh`: each run in a newly loaded page, whose converter has not run yet.
async function timeInBrowser(page, file, fresh) {
  const times = [];
  const inWorker = [];
  const longest = [];
  const overBudget = [];
  const workerMemory = [];
  for (let run = 0; run < RUNS; run++) {
    if (fresh || run === 0) {
      await page.reload();
      // As a user would, the file comes after the converter has loaded.
      await converterReady(page);
    }
    await page.evaluate(() => {
      window.benchStart = 0;
      window.benchPreview = 0;
    });
    await page.setInputFiles('#file', file);
    await s.until(async () => (await page.evaluate(() => window.benchPreview)) > 0, 'the preview', 120000);
    const { start, end, tasks } = await page.evaluate(() => ({
      start: window.benchStart,
      end: window.benchPreview,
      tasks: window.benchLongTasks.filter((task) => task.start + task.duration >= window.benchStart),
    }));
    times.push(end - start);
    inWorker.push(Number(await page.evaluate(() => document.body.dataset.lastWorkerMs)));
    // The share texts and link follow in the worker; the next file waits for them as a user would.
    await s.until(async () => !(await page.locator('#share-link').isDisabled()), 'the share link', 120000);
    const worker = page.workers().find((each) => each.url().endsWith('/worker.js'));
    workerMemory.push(await worker.evaluate(() => self.moduleMemoryBytes()));
    longest.push(Math.max(0, ...tasks.map((task) => task.duration)));
    overBudget.push(tasks.filter((task) => task.duration > LONG_TASK_BUDGET_MS).length);
  }
  return { times, inWorker, longest, overBudget, workerMemory };
}

async function linkLength(page, name, bytes) {
  await s.convertFile(page, { name, mimeType: 'text/plain', buffer: bytes });
  await s.until(async () => !(await page.locator('#share-link').isDisabled()), 'the link');
  return page.locator('#share-link').getAttribute('data-length');
}

const OWN_COORDS = '1.1.1';
const STORED = /Im Archiv gespeichert: /;

// A new archive with storing and the personal record on.
function cliArchive(folder) {
  const file = path.join(folder, `Data${fs.readdirSync(folder).length}.dat`);
  execFileSync(s.cliPath, ['settings', '--store', '1', '--pers-stat', '1', '--coords', OWN_COORDS, '--db', file]);
  return file;
}

function cliStoringMilliseconds(folder, report, archive = cliArchive(folder)) {
  const started = process.hrtime.bigint();
  execFileSync(s.cliPath, ['convert', report, '-o', path.join(folder, 'page.htm'), '--db', archive], { maxBuffer: 1 << 28 });
  return Number(process.hrtime.bigint() - started) / 1e6;
}

// Installed before the page's own scripts: the clock starts when a file is
// chosen and stops when the page counts the conversion as ended, which it
// does once the archive is on disk; the page's own clock, so the driver's
// polling adds nothing.
function watchStoring() {
  document.addEventListener('change', (event) => {
    if (event.target.id === 'file') window.benchStart = performance.now();
  }, true);
  document.addEventListener('DOMContentLoaded', () => {
    new MutationObserver(() => {
      window.benchEnd = performance.now();
    }).observe(document.body, { attributes: true, attributeFilter: ['data-conversions'] });
  });
}

// From choosing the file to the finish message.
async function browserStoringMilliseconds(page, file) {
  await s.convertFile(page, file);
  if (!STORED.test(await s.inputMessage(page))) throw new Error(`not stored: ${await s.inputMessage(page)}`);
  return page.evaluate(() => window.benchEnd - window.benchStart);
}

// Storing runs in a browser of its own with a new profile on disk, whose
// private file system lies in files as a player's does.
async function inStoringProfile(act) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'skarnwald-bench-profile-'));
  const context = await s.launchProfile(folder);
  try {
    await context.addInitScript(watchStoring);
    return await act(context);
  } finally {
    await context.close();
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

// Each run in a new browser profile, so each stores into a new archive with
// nothing of the site cached yet, as on a first visit.
const storingInNewArchive = (origin, report) =>
  inStoringProfile(async (context) => {
    const page = await a.openArchiveTab(context, origin, { writable: true });
    await converterReady(page);
    await a.switchStoringOn(page, OWN_COORDS);
    return browserStoringMilliseconds(page, report);
  });

// A battle no archive holds yet.
const oneNewBattle = (run) => ({
  name: `neu${run}.txt`,
  mimeType: 'text/plain',
  buffer: Buffer.from(`2026-06-0${run + 1} 12:00:00 Uhr Battle at [9.9.${run + 1}] Neuland\n` +
    `Agility 22 Speed 3 [90/90] Frigate (Schild) from 9.9.${run + 1} Neu\n` +
    'Frigate (Schild) destroyed [6/40] Battleship (Axt) from 1.9.4 Grimm\n' +
    'Agility 9 Speed 2 [40/40] Battleship (Axt) from 1.9.4 Grimm\n'),
});

// Each run into a new archive loaded through "Archiv laden" first. In the
// same page the converter's code is warm, as for a player's second report;
// a freshly loaded page is that of a player who comes back to the site.
const storingInOnePage = (origin, report, emptyArchive, { reload }) =>
  inStoringProfile(async (context) => {
    const page = await a.openArchiveTab(context, origin, { writable: true });
    const times = [];
    const inWorker = [];
    for (let run = 0; run < RUNS; run++) {
      await a.loadArchiveFile(page, emptyArchive);
      if (reload) {
        await page.reload();
        await a.archiveSettingsShown(page);
        await converterReady(page);
      }
      await page.click('#tab-convert');
      times.push(await browserStoringMilliseconds(page, report));
      inWorker.push(Number(await page.evaluate(() => document.body.dataset.lastWorkerMs)));
    }
    return { times, inWorker };
  });

async function benchStoring(origin, report, fixed) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'skarnwald-bench-'));
  try {
    console.log(`storing ${path.basename(report)} into a new archive (storing and personal record on):`);
    const cli = Array.from({ length: RUNS }, () => cliStoringMilliseconds(folder, report));
    console.log(`  skarnwald-cli convert --db:                     median ${median(cli).toFixed(0)} ms (${fixed(cli)})`);
    const firstVisit = [];
    for (let run = 0; run < RUNS; run++) firstVisit.push(await storingInNewArchive(origin, report));
    const ratio = (times) => `${(median(times) / median(cli)).toFixed(1)}x the CLI`;
    const show = (what, times) => console.log(`  browser, file chosen to stored, ${what} median ${median(times).toFixed(0)} ms (${fixed(times)}), ${ratio(times)}`);
    show('new browser profile:', firstVisit);
    const emptyArchive = cliArchive(folder);
    for (const reload of [true, false]) {
      const runs = await storingInOnePage(origin, report, emptyArchive, { reload });
      show(reload ? 'fresh page:         ' : 'same page:          ', runs.times);
      console.log(`    of it converting, storing and saving in the worker: median ${median(runs.inWorker).toFixed(0)} ms (${fixed(runs.inWorker)}), ${ratio(runs.inWorker)}`);
    }

    const large = path.join(folder, 'zehntausend.txt');
    fs.writeFileSync(large, largeReport(10000));
    const archive = cliArchive(folder);
    const made = cliStoringMilliseconds(folder, large, archive);
    console.log(`archive of 10,000 battles: ${(fs.statSync(archive).size / 1e6).toFixed(1)} MB, stored by the CLI in ${made.toFixed(0)} ms`);
    await inStoringProfile(async (context) => {
      const page = await a.openArchiveTab(context, origin, { writable: true });
      const started = process.hrtime.bigint();
      const loaded = await a.loadArchiveFile(page, archive);
      console.log(`  "Archiv laden": ${loaded} (${(Number(process.hrtime.bigint() - started) / 1e6).toFixed(0)} ms with the question)`);
      await page.click('#tab-convert');
      const one = [];
      for (let run = 0; run < RUNS; run++) one.push(await browserStoringMilliseconds(page, oneNewBattle(run)));
      const cliOne = Array.from({ length: RUNS }, (_, run) => {
        const file = path.join(folder, `neu${run}.txt`);
        fs.writeFileSync(file, oneNewBattle(run).buffer);
        return cliStoringMilliseconds(folder, file, archive);
      });
      console.log(`  one battle stored until on disk, browser: median ${median(one).toFixed(0)} ms (${fixed(one)}); CLI: median ${median(cliOne).toFixed(0)} ms`);
    });
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

function siteSize() {
  let raw = 0;
  let gzipped = 0;
  // The catalogs and the card's fonts lie in folders of their own.
  for (const entry of fs.readdirSync(s.siteDir, { recursive: true, withFileTypes: true })) {
    if (!entry.isFile()) continue;
    const bytes = fs.readFileSync(path.join(entry.parentPath ?? entry.path, entry.name));
    raw += bytes.length;
    gzipped += zlib.gzipSync(bytes, { level: 9 }).length;
  }
  return { raw, gzipped };
}

(async () => {
  const files = process.argv.slice(2);
  const server = await new s.SiteServer().start();
  const browser = await s.launchBrowser();
  const fixed = (values) => values.map((value) => value.toFixed(0)).join(', ');
  let failed = false;
  try {
    const context = await browser.newContext();
    await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: server.origin });
    await context.addInitScript(watchPage);
    const page = await context.newPage();
    await page.goto(server.origin + '/');
    for (const file of files) {
      const cli = Array.from({ length: RUNS }, () => cliMilliseconds(file));
      console.log(`${path.basename(file)} (${(fs.statSync(file).size / 1e6).toFixed(1)} MB):`);
      console.log(`  skarnwald-cli convert:                  median ${median(cli).toFixed(0)} ms (${fixed(cli)})`);
      for (const fresh of [true, false]) {
        const web = await timeInBrowser(page, file, fresh);
        const ratio = median(web.times) / median(cli);
        console.log(`  browser, file chosen to preview, ${fresh ? 'fresh page' : 'same page '}: median ${median(web.times).toFixed(0)} ms (${fixed(web.times)}), ${ratio.toFixed(1)}x the CLI`);
        console.log(`    of it the page's conversion in the worker: median ${median(web.inWorker).toFixed(0)} ms (${fixed(web.inWorker)})`);
        console.log(`    the worker's WebAssembly memory afterwards: median ${(median(web.workerMemory) / 1048576).toFixed(1)} MB`);
        console.log(`    longest main-thread task: ${fixed(web.longest)} ms; tasks over ${LONG_TASK_BUDGET_MS} ms: ${web.overBudget.join(', ')}`);
        if (web.overBudget.some((count) => count > 0)) failed = true;
      }
    }

    console.log('share link lengths (characters):');
    const samples = path.join(s.root, 'samples');
    for (const name of fs.readdirSync(samples).filter((n) => n.endsWith('.txt') && n !== 'outgoings.txt'))
      console.log(`  ${name}: ${await linkLength(page, name, fs.readFileSync(path.join(samples, name)))}`);
    console.log(`  10 battles of 60 lines (${(largeReport(10).length / 1024).toFixed(0)} KB): ${await linkLength(page, 'zehn.txt', largeReport(10))}`);

    if (files.length) await benchStoring(server.origin, files[0], fixed);

    const size = siteSize();
    console.log(`site download: ${(size.raw / 1024).toFixed(0)} KiB, ${(size.gzipped / 1024).toFixed(0)} KiB gzip-compressed`);
  } finally {
    await browser.close();
    await server.stop();
  }
  if (failed) process.exitCode = 1;
})();
