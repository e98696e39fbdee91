// Times the web edition in headless Chromium beside the command line, on
// reports written by the conversion bench (FILE arguments, for example the
// 1,000-battle 5 MB "many" and the 20 MB "shared4000"): from choosing the file
// to the preview standing, median of three, with every long task the page's
// main thread ran meanwhile (PerformanceObserver 'longtask'). Then the share
// link's length for the samples and a typical 10-battle report, and the
// site's download size.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const zlib = require('node:zlib');
const { execFileSync } = require('node:child_process');
const s = require('../../tests/web/support');
const { largeReport } = require('../../tests/web/reports');

const RUNS = 3;
const LONG_TASK_BUDGET_MS = 200;
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

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
  for (let run = 0; run < RUNS; run++) {
    if (fresh || run === 0) {
      await page.reload();
      // As a user would, the file comes after the converter has loaded.
      await s.until(() => page.evaluate(() => document.body.dataset.converterReady === 'true'), 'the converter');
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
    longest.push(Math.max(0, ...tasks.map((task) => task.duration)));
    overBudget.push(tasks.filter((task) => task.duration > LONG_TASK_BUDGET_MS).length);
  }
  return { times, inWorker, longest, overBudget };
}

async function linkLength(page, name, bytes) {
  await s.convertFile(page, { name, mimeType: 'text/plain', buffer: bytes });
  await s.until(async () => !(await page.locator('#share-link').isDisabled()), 'the link');
  return page.locator('#share-link').getAttribute('data-length');
}

function siteSize() {
  let raw = 0;
  let gzipped = 0;
  for (const name of fs.readdirSync(s.siteDir)) {
    const bytes = fs.readFileSync(path.join(s.siteDir, name));
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
        console.log(`    longest main-thread task: ${fixed(web.longest)} ms; tasks over ${LONG_TASK_BUDGET_MS} ms: ${web.overBudget.join(', ')}`);
        if (web.overBudget.some((count) => count > 0)) failed = true;
      }
    }

    console.log('share link lengths (characters):');
    const samples = path.join(s.root, 'samples');
    for (const name of fs.readdirSync(samples).filter((n) => n.endsWith('.txt') && n !== 'outgoings.txt'))
      console.log(`  ${name}: ${await linkLength(page, name, fs.readFileSync(path.join(samples, name)))}`);
    console.log(`  10 battles of 60 lines (${(largeReport(10).length / 1024).toFixed(0)} KB): ${await linkLength(page, 'zehn.txt', largeReport(10))}`);

    const size = siteSize();
    console.log(`site download: ${(size.raw / 1024).toFixed(0)} KiB, ${(size.gzipped / 1024).toFixed(0)} KiB gzip-compressed`);
  } finally {
    await browser.close();
    await server.stop();
  }
  if (failed) process.exitCode = 1;
})();
