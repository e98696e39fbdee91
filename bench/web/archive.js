// Times the stored battles list in headless Chromium on an archive of 10,000
// battles: the command line stores ten variants of a 1,000-battle report (FILE,
// the conversion bench's "many"), each moved to another month so no battle is
// a copy of one stored before. Medians of three, each against its budget:
//   archive opened - copied out of the browser's storage and opened, which
//                  the page does while idle after loading (no budget: it
//                  grows with the file, and nobody waits for it);
//   list shown   - from the "Archiv" tab's click to the first rows drawn;
//   list again   - the whole list queried and drawn anew (sort changed);
//   search       - from a typed text to its rows drawn;
//   open         - from a click on a battle to its stored page loaded.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const s = require('../../tests/web/support');

const RUNS = 3;
const VARIANTS = 10;
const BUDGET_MS = { 'archive opened': Infinity, 'list shown': 500, 'list again': 500, search: 200, open: 100 };
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

function makeArchive(report, folder) {
  const database = path.join(folder, 'Data.dat');
  const cli = (...args) => execFileSync(s.cliPath, [...args, '--db', database], { cwd: folder, maxBuffer: 1 << 30 });
  cli('settings', '--store', '1', '--pers-stat', '1', '--coords', '1.4.2');
  const text = fs.readFileSync(report, 'utf8');
  for (let variant = 1; variant <= VARIANTS; variant++) {
    const month = String(variant).padStart(2, '0');
    const file = path.join(folder, `variant${variant}.txt`);
    fs.writeFileSync(file, text.replace(/^2026-05-/gm, `2026-${month}-`));
    cli('convert', file, '-o', path.join(folder, 'page.htm'));
  }
  const battles = cli('battles').toString().trim().split('\n').length;
  return { database, battles };
}

// In the page: runs `act` and resolves with the milliseconds until the
// element's counter `name` moves and the next frame has been drawn.
function timeUntilCounted([selector, name, act]) {
  return new Promise((resolve) => {
    const element = document.querySelector(selector);
    const started = performance.now();
    new MutationObserver((_, observer) => {
      observer.disconnect();
      requestAnimationFrame(() => setTimeout(() => resolve(performance.now() - started)));
    }).observe(element, { attributes: true, attributeFilter: [`data-${name}`] });
    const [kind, target, value] = act;
    const control = document.querySelector(target);
    if (kind === 'click') control.click();
    else {
      control.value = value;
      control.dispatchEvent(new Event(kind === 'select' ? 'change' : 'input', { bubbles: true }));
    }
  });
}

const timed = (page, selector, name, act) => page.evaluate(timeUntilCounted, [selector, name, act]);
const LIST = ['#archive-browser', 'lists'];

async function measure(page) {
  const times = { 'archive opened': [], 'list shown': [], 'list again': [], search: [], open: [] };
  let rows = 0;
  for (let run = 0; run < RUNS; run++) {
    await page.reload();
    // As a player would, the tab is opened once the page has loaded its
    // converter and, in the background, the archive.
    await s.until(() => page.evaluate(() => Boolean(document.getElementById('archive-browser').dataset.archiveOpenedMs)), 'the archive');
    times['archive opened'].push(await page.evaluate(() => Number(document.getElementById('archive-browser').dataset.archiveOpenedMs)));
    times['list shown'].push(await timed(page, ...LIST, ['click', '#tab-archive']));
    rows = await page.locator('#archive-list tbody tr').count();
    times['list again'].push(await timed(page, ...LIST, ['select', '#archive-order', run % 2 ? 'oldest' : 'newest']));
    times.search.push(await timed(page, ...LIST, ['input', '#archive-search', `Feld ${run + 7}`]));
    times.open.push(await timed(page, '#archive-browser', 'opened', ['click', '#archive-list tbody tr:nth-child(2) button']));
  }
  return { times, rows };
}

async function main() {
  const report = process.argv[2];
  if (!report) throw new Error('usage: node archive.js MANY-REPORT');
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'skarnwald-archive-bench-'));
  const server = await new s.SiteServer().start();
  const browser = await s.launchBrowser();
  try {
    const { database, battles } = makeArchive(report, folder);
    console.log(`Archive: ${battles} battles, ${(fs.statSync(database).size / 1e6).toFixed(1)} MB`);
    const { context, page } = await s.pageWithArchive(browser, server, fs.readFileSync(database));
    const { times, rows } = await measure(page);
    console.log(`Rows drawn at first: ${rows} (the rest as the list scrolls)`);
    let over = 0;
    for (const [name, values] of Object.entries(times)) {
      const value = median(values);
      over += value > BUDGET_MS[name] ? 1 : 0;
      const budget = Number.isFinite(BUDGET_MS[name]) ? `budget ${BUDGET_MS[name]} ms` : 'no budget';
      console.log(`${name.padEnd(14)} median ${value.toFixed(0).padStart(5)} ms  (runs ${values.map((v) => v.toFixed(0)).join(', ')}; ${budget})`);
    }
    await context.close();
    process.exitCode = over ? 1 : 0;
  } finally {
    await browser.close();
    await server.stop();
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
