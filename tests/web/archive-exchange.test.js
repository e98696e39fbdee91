// Battles passed between players and devices without a server: another
// archive merged in, the listed battles saved as an archive of their own, a
// shared link's battles taken into the archive, each exactly as the command
// line stores them.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const { test } = require('node:test');
const s = require('./support');
const a = require('./archive-support');

const site = s.siteAndBrowser();
const OWN_COORDS = '8.8.1';
const sample = (name) => path.join(s.root, 'samples', name);
const cli = (...args) => execFileSync(s.cliPath, args, { env: s.cliEnv }).toString();
const query = (file, sql) => execFileSync('sqlite3', ['-readonly', '-quote', file, sql]).toString();
const battles = (file) => Number(query(file, 'SELECT COUNT(*) FROM Battles'));
// The rows a battle is recognised and counted by, in storing order.
const STORED = ['Battles', 'Agility', 'Battle_Details', 'Statistik', 'BattleDigest'].map((table) => `SELECT * FROM ${table} ORDER BY rowid`);
const KEPT = ['SELECT * FROM Einstellungen ORDER BY Einstellung', 'SELECT * FROM PersStat ORDER BY Typ', 'SELECT * FROM PersStatCounted ORDER BY Digest'];
const rowsOf = (file, statements) => statements.map((sql) => query(file, sql));

// An archive the command line stored `reports` into, with storing on.
function cliArchive(file, reports) {
  cli('settings', '--store', '1', '--pers-stat', '1', '--coords', OWN_COORDS, '--db', file);
  for (const report of reports) cli('convert', report, '-o', `${file}.htm`, '--db', file);
  return file;
}

async function inNewProfile(act) {
  const folder = s.tempFolder();
  const context = await site.browser.newContext({ acceptDownloads: true });
  try {
    await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: site.server.origin });
    const page = await a.openArchiveTab(context, site.server.origin);
    await a.switchStoringOn(page, OWN_COORDS);
    await act({ folder, page });
  } finally {
    await context.close();
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

async function mergeFile(page, file) {
  await page.click('#tab-archive');
  await a.counted(page, 'archiveMerges', async () => {
    const [chooser] = await Promise.all([page.waitForEvent('filechooser'), page.getByRole('button', { name: 'Archiv zusammenführen…' }).click()]);
    await chooser.setFiles(file);
  }, 300000);
  return page.locator('#archive-file-message').textContent();
}

async function savedArchive(page, folder, name) {
  const file = path.join(folder, name);
  fs.writeFileSync(file, await a.downloadArchive(page));
  return file;
}

test('a merged archive adds only its new battles, and a saved selection merges back on the command line', () =>
  inNewProfile(async ({ folder, page }) => {
    const reports = ['several-battles.txt', 'own-planet.txt', 'roids-and-salvage.txt'].map(sample);
    const theirs = cliArchive(path.join(folder, 'theirs.dat'), reports);
    await s.convertFile(page, reports[0]);
    await s.convertFile(page, sample('one-battle.txt'));
    const before = await savedArchive(page, folder, 'before.dat');
    const common = battles(cliArchive(path.join(folder, 'common.dat'), [reports[0]]));

    // [what is chosen, the message]: a merge repeated adds nothing, a file that is no archive is refused.
    const notAnArchive = { name: 'kein.dat', mimeType: 'application/octet-stream', buffer: Buffer.from('Kein Archiv.\n'.repeat(100)) };
    const rows = [
      [theirs, `${battles(theirs) - common} Kämpfe hinzugefügt, ${common} schon vorhanden.`],
      [theirs, `0 Kämpfe hinzugefügt, ${battles(theirs)} schon vorhanden.`],
      [notAnArchive, 'Die Datei wurde nicht zusammengeführt; das Archiv bleibt unverändert. Die Datei „kein.dat“ ist keine Skarnwald-Datenbank.'],
    ];
    for (const [file, message] of rows) assert.equal(await mergeFile(page, file), message);
    const merged = await savedArchive(page, folder, 'merged.dat');
    assert.equal(battles(merged), battles(before) + battles(theirs) - common);
    assert.equal(query(merged, 'SELECT COUNT(DISTINCT Digest) = COUNT(*) FROM BattleDigest'), '1\n');
    assert.deepEqual(rowsOf(merged, KEPT), rowsOf(before, KEPT), 'settings and record as they were');

    // The battles listed from May on, as a file the command line merges into an archive holding some of them.
    await page.fill('#archive-from', '2026-05-01');
    const found = () => page.locator('#archive-list tbody tr').allTextContents();
    await s.until(async () => (await found()).every((row) => row.includes('.05.2026')), 'the battles found');
    const listed = (await found()).length;
    const { name, bytes } = await s.downloadFile(page, 'role=button[name="Auswahl als Archiv speichern…"]');
    assert.equal(name, 'Kämpfe.dat');
    const selection = path.join(folder, 'selection.dat');
    fs.writeFileSync(selection, bytes);
    assert.equal(battles(selection), listed);
    assert.deepEqual(rowsOf(selection, KEPT.slice(0, 1)), [''], 'no settings go along');
    const partial = cliArchive(path.join(folder, 'partial.dat'), [reports[0]]);
    const there = battles(partial);
    assert.match(cli('import-archive', '--merge', selection, '--db', partial),
      new RegExp(`^${listed - there} Kämpfe übernommen nach .*\n${there} Kämpfe waren schon gespeichert`));
    assert.equal(battles(partial), listed);
  }));

test('a link taken into the archive stores what converting its report stores, once; a link with hidden details is not offered', async () => {
  const report = sample('own-planet.txt');
  const links = {};
  const { context, page: sender } = await s.newPage(site.browser, site.server.origin);
  await s.convertFile(sender, report);
  links.open = await s.sharedLink(sender);
  await s.converted(sender, () => sender.check('#hide-names'));
  links.hidden = await s.sharedLink(sender);
  await context.close();

  await inNewProfile(async ({ folder, page }) => {
    const converted = cliArchive(path.join(folder, 'converted.dat'), [report]);
    await s.converted(page, () => page.goto(links.hidden));
    assert.ok(await page.locator('#link-store').isHidden());
    assert.match(await page.locator('#link-note').textContent(), /Namen verborgen\)\. Mit verborgenen Details lässt er sich nicht ins Archiv übernehmen\./);

    await s.converted(page, () => page.goto(links.open));
    for (const expected of [/^Im Archiv gespeichert: 2 Kämpfe\. Persönliche Statistik fortgeschrieben\.$/, /^2 Kämpfe waren schon gespeichert/]) {
      await a.counted(page, 'linkStores', () => page.getByRole('button', { name: 'Ins Archiv übernehmen' }).click());
      assert.match(await s.outputMessage(page), expected);
      const stored = await savedArchive(page, folder, 'stored.dat');
      assert.deepEqual(rowsOf(stored, [...STORED, ...KEPT.slice(1)]), rowsOf(converted, [...STORED, ...KEPT.slice(1)]));
      await page.click('#tab-convert');
    }
  });
});
