// The archive when the tab dies or the browser's room runs out: SQLite's
// journal keeps every store whole, or leaves nothing of it, and a store the
// browser has no room for is refused in plain words.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const { test } = require('node:test');
const s = require('./support');
const a = require('./archive-support');
const { largeReport } = require('./reports');

const site = s.siteAndBrowser();
const OWN_COORDS = '1.1.1';
const KILLS = 20;
// About 5 MB of report.
const BATTLES = 1100;
const NO_ROOM = 'Der Browser gibt dieser Seite keinen Speicherplatz mehr; das Archiv bleibt, wie es war.';

// The large report moved to `year`, so none of its battles was stored before.
const reportOfYear = (year, battles = BATTLES) => ({
  name: `bericht${year}.txt`,
  mimeType: 'text/plain',
  buffer: Buffer.from(largeReport(battles).toString('latin1').replace(/\.2026 /g, `.${year} `), 'latin1'),
});

// SQLite's verdict on a downloaded archive, and its battles.
function checked(folder, bytes) {
  const file = path.join(folder, 'geladen.dat');
  fs.writeFileSync(file, bytes);
  const query = (sql) => execFileSync('sqlite3', ['-readonly', file, sql]).toString().trim();
  return { integrity: query('PRAGMA integrity_check'), battles: Number(query('SELECT COUNT(*) FROM Battles')) };
}

// Chooses a report and resolves once it is chosen, with the page's counter
// of finished conversions before it.
async function startConverting(page, report) {
  const before = Number(await a.bodyData(page, 'conversions'));
  await page.setInputFiles('#file', report, { timeout: 120000 });
  return before;
}

// Kills the page's renderer process, its worker and all, as a crash would.
async function killRenderer(page) {
  const crashed = new Promise((resolve) => page.once('crash', resolve));
  const devtools = await page.context().newCDPSession(page);
  devtools.send('Page.crash').catch(() => {});
  await crashed;
}

test('a renderer killed while storing leaves the archive whole, with all of the report or none of it', async () => {
  const folder = s.tempFolder();
  // A profile on disk: the files lie where a player's do.
  const context = await s.launchProfile(path.join(folder, 'profil'));
  try {
    let page = await a.openArchiveTab(context, site.server.origin, { writable: true });
    await a.switchStoringOn(page, OWN_COORDS);
    // One store to its end, timed: the kills fall evenly over such a one,
    // its commit and the moment after it included.
    const finished = await startConverting(page, reportOfYear(1999));
    const started = Date.now();
    await s.until(async () => Number(await a.bodyData(page, 'conversions')) > finished, 'the store', 600000);
    const storing = Date.now() - started;
    assert.match(await s.inputMessage(page), /Im Archiv gespeichert: 1\.100 Kämpfe\./);
    let { battles } = checked(folder, await a.downloadArchive(page));

    for (let kill = 0; kill < KILLS; kill++) {
      await startConverting(page, reportOfYear(2000 + kill));
      await new Promise((resolve) => setTimeout(resolve, (storing * 1.2 * (kill + 0.5)) / KILLS));
      await killRenderer(page);
      page = await a.openArchiveTab(context, site.server.origin, { writable: true });
      const after = checked(folder, await a.downloadArchive(page));
      assert.equal(after.integrity, 'ok', `kill ${kill + 1}`);
      assert.ok([battles, battles + BATTLES].includes(after.battles), `kill ${kill + 1}: ${battles} before, ${after.battles} after`);
      battles = after.battles;
    }
  } finally {
    await context.close();
    fs.rmSync(folder, { recursive: true, force: true });
  }
});

test('a storage without room refuses storing and loading in plain words and leaves the archive as it was', async () => {
  const folder = s.tempFolder();
  const context = await site.browser.newContext({ acceptDownloads: true });
  try {
    const page = await a.openArchiveTab(context, site.server.origin, { writable: true });
    await a.switchStoringOn(page, OWN_COORDS);
    await s.convertFile(page, reportOfYear(1999, 5));
    const before = await a.downloadArchive(page);
    const other = path.join(folder, 'Data.dat');
    execFileSync(s.cliPath, ['settings', '--store', '1', '--db', other]);
    const report = path.join(folder, 'gross.txt');
    fs.writeFileSync(report, reportOfYear(2001, 300).buffer);
    execFileSync(s.cliPath, ['convert', report, '-o', path.join(folder, 'gross.htm'), '--db', other]);

    // Room for little more than what the site keeps now.
    const devtools = await context.newCDPSession(page);
    const usage = await page.evaluate(async () => (await navigator.storage.estimate()).usage);
    await devtools.send('Storage.overrideQuotaForOrigin', { origin: site.server.origin, quotaSize: usage + 256 * 1024 });
    const refusals = [
      async () => {
        await page.click('#tab-convert');
        await s.convertFile(page, reportOfYear(2000, 300));
        return s.inputMessage(page);
      },
      () => a.loadArchiveFile(page, other, { confirm: false }),
    ];
    for (const refuse of refusals) {
      const message = await refuse();
      assert.ok(message.endsWith(NO_ROOM), message);
      assert.doesNotMatch(message, /Im Archiv gespeichert|Archiv geladen/);
      assert.deepEqual(await a.downloadArchive(page), before);
    }
    await devtools.send('Storage.overrideQuotaForOrigin', { origin: site.server.origin });
    assert.deepEqual(await a.downloadArchive(page), before);
  } finally {
    await context.close();
    fs.rmSync(folder, { recursive: true, force: true });
  }
});
