// Times "Archiv zusammenführen…" in headless Chromium: an archive of 10,000
// battles merged into another of 10,000, half of them in common, beside
// `skarnwald-cli import-archive --merge` of the same files. Both archives are
// stored by the command line from the large report of the browser tests (60
// lines a battle), the second one from its second half on. Each run starts
// from a fresh profile on disk holding the second archive, and counts from
// the file chosen to the message: reading the file into the private file
// system, checking and copying it, and the merge. Then the tab's memory
// after the merge: the JavaScript heaps of page and worker and the module's
// WebAssembly memory (whose buffer never shrinks, so it is its highest).
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const s = require('../../tests/web/support');
const a = require('../../tests/web/archive-support');
const { largeReport } = require('../../tests/web/reports');
const { tabMemory } = require('./archive');

const RUNS = 3;
const BATTLES = 10000;
const BUDGET_MS = 30000;
const LINES_PER_BATTLE = 61;
const median = (values) => [...values].sort((x, y) => x - y)[Math.floor(values.length / 2)];

// Battles [first, first + BATTLES) of the large report, stored by the command line.
function cliArchive(folder, name, lines, first) {
  const report = path.join(folder, `${name}.txt`);
  fs.writeFileSync(report, lines.slice(first * LINES_PER_BATTLE, (first + BATTLES) * LINES_PER_BATTLE).join('\n') + '\n', 'latin1');
  const file = path.join(folder, `${name}.dat`);
  execFileSync(s.cliPath, ['settings', '--store', '1', '--pers-stat', '1', '--coords', '1.1.1', '--db', file]);
  execFileSync(s.cliPath, ['convert', report, '-o', path.join(folder, 'page.htm'), '--db', file], { maxBuffer: 1 << 30 });
  fs.rmSync(report);
  return file;
}

function cliMerge(theirs, ours, folder) {
  const target = path.join(folder, 'target.dat');
  fs.copyFileSync(ours, target);
  const started = process.hrtime.bigint();
  const said = execFileSync(s.cliPath, ['import-archive', '--merge', theirs, '--db', target]).toString();
  const milliseconds = Number(process.hrtime.bigint() - started) / 1e6;
  fs.rmSync(target);
  return { milliseconds, said: said.trim().replace(/\n/g, ' ') };
}

async function browserMerge(server, theirs, ours, folder) {
  const profile = fs.mkdtempSync(path.join(folder, 'profil-'));
  const context = await s.launchProfile(profile);
  try {
    const page = await s.siteWithFiles(context, server, { 'Data.dat': fs.readFileSync(ours) });
    await a.archiveSettingsShown(page);
    await page.click('#tab-archive');
    const [chooser] = await Promise.all([page.waitForEvent('filechooser'), page.click('#archive-merge')]);
    const before = await page.evaluate(() => Number(document.body.dataset.archiveMerges || 0));
    const started = Date.now();
    await chooser.setFiles(theirs);
    await s.until(async () => (await page.evaluate(() => Number(document.body.dataset.archiveMerges || 0))) > before, 'the merge', 600000);
    const milliseconds = Date.now() - started;
    const said = await page.locator('#archive-file-message').textContent();
    return { milliseconds, said, memory: await tabMemory(page) };
  } finally {
    await context.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

async function main() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'skarnwald-merge-bench-'));
  const server = await new s.SiteServer().start();
  try {
    const lines = largeReport(BATTLES * 1.5).toString('latin1').split('\n');
    const theirs = cliArchive(folder, 'theirs', lines, 0);
    const ours = cliArchive(folder, 'ours', lines, BATTLES / 2);
    const mb = (bytes) => (bytes / 1024 / 1024).toFixed(1);
    console.log(`Archives: ${BATTLES} battles each, ${BATTLES / 2} in common; ${mb(fs.statSync(theirs).size)} MB merged into ${mb(fs.statSync(ours).size)} MB`);
    const cli = Array.from({ length: RUNS }, () => cliMerge(theirs, ours, folder));
    const browser = [];
    for (let run = 0; run < RUNS; run++) browser.push(await browserMerge(server, theirs, ours, folder));
    const times = (runs) => runs.map((run) => run.milliseconds.toFixed(0)).join(', ');
    const browserMedian = median(browser.map((run) => run.milliseconds));
    console.log(`browser merge        median ${browserMedian.toFixed(0).padStart(6)} ms  (runs ${times(browser)}; budget ${BUDGET_MS} ms): ${browser[0].said}`);
    console.log(`cli import --merge   median ${median(cli.map((run) => run.milliseconds)).toFixed(0).padStart(6)} ms  (runs ${times(cli)}): ${cli[0].said}`);
    const highest = browser.map((run) => run.memory).reduce((most, each) => (each.total > most.total ? each : most));
    console.log(`tab memory after the merge, highest of the runs: ${mb(highest.total)} MB (page heap ${mb(highest.pageHeap)}, ` +
      `worker heap ${mb(highest.workerHeap)}, WebAssembly ${mb(highest.wasm)})`);
    const missing = [...new Set(browser.flatMap((run) => run.memory.missing))];
    if (missing.length) console.log(`not measured, counted as 0: ${missing.join('; ')}`);
    process.exitCode = browserMedian > BUDGET_MS ? 1 : 0;
  } finally {
    await server.stop();
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
