// The archive in the browser: conversions stored exactly as the command line
// stores them, the file kept across reloads and tabs, handed out and
// replaced, and refused when it is not an archive.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const { test } = require('node:test');
const s = require('./support');
const { largeReport } = require('./reports');
const a = require('./archive-support');

const site = s.siteAndBrowser();
const OWN_COORDS = '8.8.1';
// Battles of the archive loaded first: enough that storing changes only some of its pages.
const LOADED = 150;
const TABLES = { Battles: 'rowid', Agility: 'rowid', Battle_Details: 'rowid', Statistik: 'rowid', Einstellungen: 'Einstellung', PersStat: 'Typ' };
const reports = fs.readdirSync(path.join(s.root, 'samples')).sort()
  .map((name) => path.join(s.root, 'samples', name))
  .filter((file) => fs.readFileSync(file, 'latin1').includes('Battle at'));
// A battle none of the reports holds.
const NEW_BATTLE = '2026-06-01 12:00:00 Uhr Battle at [9.9.1] Neuland\nAgility 22 Speed 3 [90/90] Frigate (Schild) from 9.9.1 Neu\n' +
  'Frigate (Schild) destroyed [6/40] Battleship (Axt) from 1.9.4 Grimm\nAgility 9 Speed 2 [40/40] Battleship (Axt) from 1.9.4 Grimm\n';
// The first report again: its battles are left out as stored before.
const storedInOrder = [...reports, reports[0]];

const cli = (...args) => execFileSync(s.cliPath, args, { env: s.cliEnv, maxBuffer: 1 << 28 });
// Every column of a table with its type (quoted text, bare numbers, NULL).
const rows = (file, table) => execFileSync('sqlite3', ['-readonly', '-quote', file, `SELECT * FROM ${table} ORDER BY ${TABLES[table]}`], { maxBuffer: 1 << 28 }).toString();
const convertInto = (file, folder, reports) => reports.forEach((report) => cli('convert', report, '-o', path.join(folder, 'page.htm'), '--db', file));

// An archive the command line filled with `battles` large battles.
function cliArchive(folder, battles) {
  const file = path.join(folder, `cli${battles}.dat`);
  const report = path.join(folder, 'gross.txt');
  fs.writeFileSync(report, largeReport(battles));
  cli('settings', '--store', '1', '--pers-stat', '1', '--coords', OWN_COORDS, '--db', file);
  convertInto(file, folder, [report]);
  return file;
}

// A fresh browser profile (its own private file system) with one tab that
// stores, and a scratch folder.
async function inNewProfile(act) {
  const folder = s.tempFolder();
  const context = await site.browser.newContext({ acceptDownloads: true });
  try {
    const page = await a.openArchiveTab(context, site.server.origin);
    await a.switchStoringOn(page, OWN_COORDS);
    await act({ folder, context, page });
  } finally {
    await context.close();
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

test('stored conversions equal the command line, survive reloads, closed tabs and a second tab', () =>
  inNewProfile(async ({ folder, context, page }) => {
    // Into an archive large enough that a conversion changes only some of
    // its pages, which are then written back on their own.
    const cliFile = cliArchive(folder, LOADED);
    await a.loadArchiveFile(page, cliFile);
    convertInto(cliFile, folder, storedInOrder);
    await page.click('#tab-convert');
    for (const report of storedInOrder) {
      await s.convertFile(page, report);
      assert.match(await s.inputMessage(page), /Im Archiv gespeichert: |schon gespeichert/);
    }
    assert.match(await s.inputMessage(page), /schon gespeichert und wurden? nicht erneut gespeichert\.$/);
    const stored = await a.downloadArchive(page);
    const browserFile = path.join(folder, 'browser.dat');
    fs.writeFileSync(browserFile, stored);
    for (const table of Object.keys(TABLES)) assert.equal(rows(browserFile, table), rows(cliFile, table), table);
    const battles = Number(execFileSync('sqlite3', [browserFile, 'SELECT COUNT(*) FROM Battles']).toString());
    assert.ok(battles > LOADED + reports.length);
    for (let id = LOADED + 1; id <= battles; ++id) assert.deepEqual(cli('export', String(id), '--db', browserFile), cli('export', String(id), '--db', cliFile));

    await page.reload();
    await a.archiveSettingsShown(page);
    assert.ok(await page.getByLabel('Kämpfe speichern').isChecked());
    assert.equal(await page.inputValue('#own-coords'), OWN_COORDS);
    assert.deepEqual(await a.downloadArchive(page), stored);

    // Closed while a long report is being stored: nothing of it arrives.
    await page.click('#tab-convert');
    await page.setInputFiles('#file', { name: 'lang.txt', mimeType: 'text/plain', buffer: largeReport(3000) }, { timeout: 120000 });
    await s.until(async () => Number(await page.getAttribute('#progress', 'value')) > 0.05, 'the conversion under way');
    await page.close();

    page = await a.openArchiveTab(context, site.server.origin, { writable: true });
    const second = await a.openArchiveTab(context, site.server.origin);
    assert.equal(await a.bodyData(second, 'archiveSettings'), 'elsewhere');
    assert.ok(await second.getByLabel('Kämpfe speichern').isDisabled());
    await s.convertFile(second, reports[0]);
    assert.match(await s.inputMessage(second), /Nicht gespeichert: Das Archiv ist in einem anderen Tab geöffnet/);
    assert.deepEqual(await a.downloadArchive(page), stored);

    await page.close();
    await a.archiveSettingsShown(second);
    assert.ok(await second.getByLabel('Kämpfe speichern').isEnabled());
    assert.deepEqual(await a.downloadArchive(second), stored);

    // A tab that only reads lists what the writing one holds, and follows it.
    const third = await a.openArchiveTab(context, site.server.origin);
    const listedCount = () => third.locator('#archive-count').textContent();
    await third.click('#tab-archive');
    await s.until(async () => (await listedCount()) === `${battles.toLocaleString('de-DE')} Kämpfe angezeigt`, 'the list read from the other tab', 60000);
    await s.convertFile(second, { name: 'neu.txt', mimeType: 'text/plain', buffer: Buffer.from(NEW_BATTLE) });
    assert.match(await s.inputMessage(second), /Im Archiv gespeichert: 1 Kampf\./);
    await s.until(async () => (await listedCount()) === `${(battles + 1).toLocaleString('de-DE')} Kämpfe angezeigt`, 'the list after the other tab stored', 60000);
  }));

// Bytes `to` as a journal of the archive's first format, which held the pages
// of Data.dat a save changed: magic, size, count, each page's place, length
// and bytes, then the checksum (FNV-1a) of all that.
function firstFormatJournal(from, to) {
  const pages = [];
  for (let at = 0; at < to.length; at += 4096) {
    const page = to.subarray(at, at + 4096);
    if (!page.equals(from.subarray(at, at + 4096))) pages.push([at, page]);
  }
  const head = Buffer.alloc(16);
  head.writeUInt32BE(0x534b4a31, 0);
  head.writeDoubleBE(to.length, 4);
  head.writeUInt32BE(pages.length, 12);
  const parts = [head];
  for (const [at, page] of pages) {
    const entry = Buffer.alloc(12);
    entry.writeDoubleBE(at, 0);
    entry.writeUInt32BE(page.length, 8);
    parts.push(entry, page);
  }
  const body = Buffer.concat(parts);
  let hash = 0x811c9dc5;
  for (const byte of body) hash = Math.imul(hash ^ byte, 0x01000193);
  const sum = Buffer.alloc(4);
  sum.writeUInt32BE(hash >>> 0);
  return Buffer.concat([body, sum]);
}

test('an archive of the first format comes over with what its last save left beside it', async () => {
  const folder = s.tempFolder();
  try {
    const before = cliArchive(folder, 20);
    const after = path.join(folder, 'after.dat');
    fs.copyFileSync(before, after);
    convertInto(after, folder, reports.slice(0, 2));
    const [older, newer] = [fs.readFileSync(before), fs.readFileSync(after)];
    const journal = firstFormatJournal(older, newer);
    // [what lies beside Data.dat, the archive it makes]
    const cases = [
      [{ 'Data.dat.seiten': journal }, newer],
      [{ 'Data.dat.seiten': journal.subarray(0, journal.length - 1) }, older],
      [{ 'Data.dat.neu': newer }, older],
    ];
    for (const [beside, expected] of cases) {
      const context = await site.browser.newContext({ acceptDownloads: true });
      const page = await s.siteWithFiles(context, site.server, { 'Data.dat': older, ...beside });
      await a.archiveSettingsShown(page);
      const names = await page.evaluate(async () => {
        const found = [];
        for await (const name of (await navigator.storage.getDirectory()).keys()) found.push(name);
        return found.sort();
      });
      assert.deepEqual(names, ['Data.dat', 'Data.dat-journal'], Object.keys(beside)[0]);
      assert.ok((await a.downloadArchive(page)).equals(expected), Object.keys(beside)[0]);
      await context.close();
    }
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
});

test('a save of the first format the browser has no room to finish stays beside Data.dat until a start that has', async () => {
  const folder = s.tempFolder();
  const context = await site.browser.newContext({ acceptDownloads: true });
  try {
    const older = fs.readFileSync(cliArchive(folder, 20));
    const after = path.join(folder, 'after.dat');
    fs.writeFileSync(after, older);
    convertInto(after, folder, reports);
    const newer = fs.readFileSync(after);
    assert.ok(newer.length > older.length);
    let devtools = null;
    const page = await s.siteWithFiles(context, site.server, { 'Data.dat': older, 'Data.dat.seiten': firstFormatJournal(older, newer) },
      async (blank) => {
        devtools = await context.newCDPSession(blank);
        const usage = await blank.evaluate(async () => (await navigator.storage.estimate()).usage);
        await devtools.send('Storage.overrideQuotaForOrigin', { origin: site.server.origin, quotaSize: usage });
      });
    await s.until(async () => /nicht verfügbar/.test(await page.locator('#archive-settings-message').textContent()), 'the refusal', 60000);
    assert.match(await page.locator('#archive-settings-message').textContent(), /keinen Speicherplatz mehr/);
    await devtools.send('Storage.overrideQuotaForOrigin', { origin: site.server.origin });
    await page.reload();
    await a.archiveSettingsShown(page);
    assert.ok((await a.downloadArchive(page)).equals(newer));
  } finally {
    await context.close();
    fs.rmSync(folder, { recursive: true, force: true });
  }
});

test('"Archiv laden" refuses what is no archive and takes a desktop archive in with its settings', () =>
  inNewProfile(async ({ folder, page }) => {
    await s.convertFile(page, reports[0]);
    const before = await a.downloadArchive(page);
    const otherSchema = path.join(folder, 'other.db');
    execFileSync('sqlite3', [otherSchema, 'CREATE TABLE Kunden (ID INTEGER, Name TEXT); INSERT INTO Kunden VALUES (1, \'x\');']);
    const garbage = Buffer.concat([before.subarray(0, 100), Buffer.alloc(before.length - 100, 0xa5)]);
    const bad = {
      'kein SQLite': Buffer.from('Das ist kein Archiv.\n'.repeat(200)),
      'abgeschnitten': before.subarray(0, Math.floor(before.length / 2)),
      'anderes Schema': fs.readFileSync(otherSchema),
      'Müll nach dem Kopf': garbage,
      '0 Bytes': Buffer.alloc(0),
    };
    // Each refused in one plain German sentence, without SQLite's English.
    for (const [what, buffer] of Object.entries(bad)) {
      const text = await a.loadArchiveFile(page, { name: `${what}.dat`, mimeType: 'application/octet-stream', buffer }, { confirm: false });
      assert.match(text, new RegExp(`nicht geladen; das Archiv bleibt unverändert\\. Die (Datei|Datenbank) „${what}\\.dat“ ` +
        '(ist leer|ist keine Skarnwald-Datenbank|ist beschädigt)\\.$'), what);
    }
    assert.match(await a.loadArchiveFile(page, { name: '0.dat', mimeType: 'application/octet-stream', buffer: bad['0 Bytes'] }, { confirm: false }), /„0\.dat“ ist leer\.$/);
    assert.deepEqual(await a.downloadArchive(page), before);

    const desktopFile = path.join(folder, 'Data.dat');
    cli('settings', '--store', '0', '--pers-stat', '1', '--coords', '9.9.9', '--db', desktopFile);
    for (const report of reports) cli('convert', report, '-o', path.join(folder, 'page.htm'), '--db', desktopFile);
    // Brought along by someone else's tool: a trigger and a view stay behind, named.
    const foreignFile = path.join(folder, 'Fremd.dat');
    fs.copyFileSync(desktopFile, foreignFile);
    execFileSync('sqlite3', [foreignFile, 'CREATE TRIGGER wipe AFTER INSERT ON Battles BEGIN DELETE FROM Agility; END; CREATE VIEW v AS SELECT * FROM Battles;']);
    const text = await a.loadArchiveFile(page, foreignFile);
    assert.match(text, /^Archiv geladen: \d+ Kämpfe\. Nicht übernommen: Trigger wipe, View v\.$/);
    await s.until(async () => (await page.inputValue('#own-coords')) === '9.9.9', 'the loaded Koords');
    assert.equal(await page.getByLabel('Kämpfe speichern').isChecked(), false);
    const loaded = path.join(folder, 'loaded.dat');
    fs.writeFileSync(loaded, await a.downloadArchive(page));
    for (const table of Object.keys(TABLES)) assert.equal(rows(loaded, table), rows(desktopFile, table), table);
  }));

test('the finish message tells only what went into the archive and the record; a link’s switches stay with the link', () =>
  inNewProfile(async ({ context, page }) => {
    await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: site.server.origin });
    const sample = (name) => path.join(s.root, 'samples', name);
    const record = /Persönliche Statistik fortgeschrieben/;
    // [report, the message says, it does not say]
    const rows = [
      ['own-planet.txt', [/Im Archiv gespeichert: 2 Kämpfe\./, record], [/verborgen/]],
      ['one-battle.txt', [/Im Archiv gespeichert: 1 Kampf\./], [record]],
      ['own-planet.txt', [/schon gespeichert/], [record, /Im Archiv gespeichert/]],
    ];
    for (const [report, says, never] of rows) {
      await s.convertFile(page, sample(report));
      const text = await s.inputMessage(page);
      for (const expected of says) assert.match(text, expected, report);
      for (const unexpected of never) assert.doesNotMatch(text, unexpected, report);
    }

    await s.converted(page, () => page.check('#hide-names'));
    assert.match(await s.inputMessage(page), /Mit verborgenen Details wird nichts im Archiv gespeichert\./);
    const link = await s.sharedLink(page);
    await s.converted(page, () => page.uncheck('#hide-names'));
    await s.converted(page, () => page.goto(link));
    assert.match(await page.locator('#link-note').textContent(), /Namen verborgen\)\. Mit verborgenen Details lässt er sich nicht ins Archiv übernehmen\./);
    assert.doesNotMatch(await s.inputMessage(page), /verborgenen Details/);
    // Opened again, it keeps one history entry, the newer one.
    const reopened = Date.now();
    await page.reload();
    const linkEntries = () => page.evaluate(() => new Promise((resolve) => {
      indexedDB.open('skarnwald').onsuccess = ({ target }) => {
        const all = target.result.transaction('reports').objectStore('reports').getAll();
        all.onsuccess = () => resolve(all.result.filter((entry) => entry.linkSwitches).map((entry) => entry.date.getTime()));
      };
    }));
    await s.until(async () => {
      const dates = await linkEntries();
      return dates.length === 1 && dates[0] >= reopened;
    }, 'one history entry of the link opened twice');
    assert.equal(await page.isChecked('#hide-names'), false);

    await a.archiveSettingsShown(page);
    await page.click('#clear-input');
    await s.convertText(page, fs.readFileSync(sample('roids-and-salvage.txt'), 'latin1'));
    assert.match(await s.inputMessage(page), /^Fertig: 1 Kampf umgewandelt \(.*\)\. Im Archiv gespeichert: 1 Kampf\./);
    assert.ok(await page.locator('#link-note').isHidden());
    assert.ok(await page.locator('#share-hidden').isHidden(), 'nothing hidden beside the share buttons');
  }));
