// Share links: the page a link shows is the command line's page of the
// original report with the same switches, which stay the link's own; a link
// with switches on carries nothing they hide; the report in the fragment
// never reaches a server.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { test } = require('node:test');
const s = require('./support');
const { variedBattles } = require('./reports');

const sample = (name) => path.join(s.root, 'samples', name);

const site = s.siteAndBrowser();

// Opens `link` in a fresh page and returns the page it converted to.
async function pageFromLink(link) {
  const { context, page } = await s.newPage(site.browser, site.server.origin);
  await s.converted(page, () => page.goto(link));
  const bytes = await s.downloadBytes(page, '#download-page');
  const switches = await Promise.all(['#hide-own', '#hide-names', '#hide-coords'].map((box) => page.isChecked(box)));
  const note = await page.locator('#link-note').textContent();
  await context.close();
  return { bytes, switches, note };
}

const cases = [
  { report: 'several-battles.txt', boxes: ['#hide-names', '#hide-coords'], flags: ['--hide-names', '--hide-coords'], hidden: /Halvard|Brisa|Nordwind|Rabe|Kalte Ebene|3\.3\.3|7\.2\.5/, note: '(Namen, Koordinaten verborgen)' },
  { report: 'roids-and-salvage.txt', boxes: ['#hide-coords'], flags: ['--hide-coords'], hidden: /Glutfeld|2\. ?11\. ?7|12\.4\.9/, note: '(Koordinaten verborgen)' },
  { report: 'opera-copy.txt', boxes: [], flags: [], note: '(nichts verborgen)' },
];

test('a link shows the command line’s page of the original report, hiding what its own switches hide', async () => {
  for (const c of cases) {
    const { context, page } = await s.newPage(site.browser, site.server.origin);
    for (const box of c.boxes) await page.check(box);
    await s.convertFile(page, sample(c.report));
    const link = await s.sharedLink(page);
    await context.close();

    assert.ok(link.startsWith(`${site.server.origin}/#r=`), link);
    const carried = s.decodeLink(link);
    if (c.hidden) assert.doesNotMatch(carried.text, c.hidden, `${c.report}: the link's report`);
    const requests = site.server.requests.length;
    const shown = await pageFromLink(link);
    assert.ok(shown.bytes.equals(s.cliOutput(sample(c.report), c.flags)), `${c.report}: the page from the link`);
    assert.deepEqual(shown.switches, [false, false, false], `${c.report}: the receiver's own switches`);
    assert.ok(shown.note.includes(`mit den Schaltern des Absenders umgewandelt ${c.note}`), shown.note);
    assert.ok(site.server.requests.slice(requests).every((url) => !url.includes('r=')), 'the fragment stays in the browser');
  }
});

test('a link longer than 8,000 characters is offered as a file that converts alike', async () => {
  const folder = s.tempFolder();
  const report = path.join(folder, 'lang.txt');
  fs.writeFileSync(report, variedBattles(150));
  const { context, page } = await s.newPage(site.browser, site.server.origin);
  await page.check('#hide-names');
  await s.convertFile(page, report);
  await s.until(async () => /zu lang/.test(await page.locator('#share-link').textContent()), 'the too-long label');
  const file = await s.downloadFile(page, '#share-link');
  assert.match(file.name, /^Kampf \d+\.\d+\.\d+ 2026-05-17\.txt$/);
  const written = path.join(folder, 'geschrieben.txt');
  fs.writeFileSync(written, file.bytes);
  assert.ok(s.cliOutput(written, ['--hide-names']).equals(s.cliOutput(report, ['--hide-names'])));
  assert.doesNotMatch(file.bytes.toString('utf8'), /Halvard|Brisa/);
  await context.close();
  fs.rmSync(folder, { recursive: true, force: true });
});

test('a damaged link, or one that unpacks to too much, is refused with a message', async () => {
  const bomb = require('node:zlib').deflateSync(Buffer.alloc(70 * 1024 * 1024)).toString('base64url');
  for (const fragment of ['r=kaputt', `r=${bomb}`]) {
    const { context, page } = await s.newPage(site.browser, site.server.origin);
    await s.converted(page, () => page.goto(`${site.server.origin}/#${fragment}`));
    assert.match(await s.inputMessage(page), /Link ist beschädigt oder zu groß/);
    await context.close();
  }
});
