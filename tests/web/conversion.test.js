// The browser gives the same bytes as the command line: every report, opened
// as a file, downloads as the page `skarnwald-cli convert` writes.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { after, before, test } = require('node:test');
const s = require('./support');
const { allReports, largeReport } = require('./reports');

let session;
let page;

before(async () => {
  session = await s.openSession();
  page = session.page;
});
after(() => session?.close());

test('every report downloads as the page the command line writes', async () => {
  const reports = allReports(session.folder);
  assert.ok(reports.length > 25, `only ${reports.length} reports`);
  for (const report of reports) {
    await s.convertFile(page, report);
    const page_ = await s.downloadBytes(page, '#download-page');
    assert.ok(page_.equals(s.cliOutput(report)), `${path.basename(report)}: the pages differ`);
  }
});

test('pasted text converts like a UTF-8 file of the same text', async () => {
  const text = new TextDecoder('windows-1252').decode(fs.readFileSync(path.join(s.root, 'samples/one-battle.txt')));
  const file = path.join(session.folder, 'pasted.txt');
  fs.writeFileSync(file, text, 'utf8');
  await s.convertText(page, text);
  assert.ok((await s.downloadBytes(page, '#download-page')).equals(s.cliOutput(file)));
});

test('a conversion started while another runs cancels it: only the newer one ends, and it shows', async () => {
  const large = path.join(session.folder, 'gross.txt');
  fs.writeFileSync(large, largeReport(3000));
  const small = path.join(s.root, 'samples/one-battle.txt');
  const ended = () => page.evaluate(() => Number(document.body.dataset.conversions || 0));
  const before = await ended();
  await page.setInputFiles('#file', large);
  await s.until(async () => !(await page.locator('#progress').isHidden()), 'the large conversion');
  // The worker takes the newer job after the running walk, whose answer it then drops.
  await s.convertFile(page, small);
  assert.equal(await ended(), before + 1);
  assert.ok((await s.downloadBytes(page, '#download-page')).equals(s.cliOutput(small)));
});

// The module's memory never shrinks, so whatever two conversions hold at once
// stays taken for the tab's life: a conversion frees the page before it, and
// the report as read once it is prepared.
test('converting a large report again takes no more of the module’s memory than the first time', async () => {
  const module = await s.loadModule();
  const report = largeReport(1000);
  const options = { ownCoords: '', hideOwn: false, hideNames: false, hideCoords: false, reportText: false };
  const memoryAfter = () => {
    const result = module.convert(report, options, () => {});
    assert.ok(result.preview.length > 0, 'the page is large enough to be kept whole in the module');
    return module.HEAPU8.length;
  };
  const first = memoryAfter();
  assert.equal(memoryAfter(), first);
  assert.equal(memoryAfter(), first);
});
