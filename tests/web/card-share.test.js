// The battle as a picture (copied, saved, handed to the share sheet) and
// reports shared into the installed app through its service worker.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { test } = require('node:test');
const s = require('./support');

const reportFile = path.join(s.root, 'samples/several-battles.txt');
const site = s.siteAndBrowser();

// Where the page hands the picture out, stubbed so the test sees the file:
// phones' share sheet and the clipboard.
function catchPictures() {
  window.handedOut = [];
  navigator.canShare = (data) => Boolean(data && data.files);
  navigator.share = async ({ files }) => window.handedOut.push(files[0]);
  navigator.clipboard.write = async ([item]) => window.handedOut.push(await item.getType('image/png'));
}

const pngWidth = (bytes) => bytes.readUInt32BE(16);

test('the picture is copied, shared and saved as a PNG of twice the card’s width', async () => {
  const context = await site.browser.newContext({ acceptDownloads: true });
  await context.addInitScript(catchPictures);
  const page = await context.newPage();
  await page.goto(site.server.origin + '/');
  await s.convertFile(page, reportFile);
  await s.until(async () => !(await page.locator('#copy-card').isDisabled()), 'the picture buttons');

  await page.click('#copy-card');
  await page.click('#share-card');
  await s.until(async () => (await page.evaluate(() => window.handedOut.length)) === 2, 'the handed-out pictures');
  const handedOut = await page.evaluate(() =>
    Promise.all(window.handedOut.map(async (blob) => ({ type: blob.type, width: (await createImageBitmap(blob)).width }))),
  );
  assert.deepEqual(handedOut, [{ type: 'image/png', width: 1100 }, { type: 'image/png', width: 1100 }]);

  const saved = await s.downloadFile(page, '#download-card');
  assert.match(saved.name, /^Kampf [0-9.]+ \d{4}-\d\d-\d\d\.png$/);
  assert.equal(pngWidth(saved.bytes), 1100);
  if (process.env.SKARNWALD_SAVE_CARD) fs.writeFileSync(process.env.SKARNWALD_SAVE_CARD, saved.bytes);
  await context.close();
});

// As the system's share menu posts to the installed app, a navigation with a
// form: a report file, or text from an app that shares text.
const shareForm = `<!doctype html><title>Teilen</title>
<form method="post" action="share-target" enctype="multipart/form-data">
<input name="title" value="Geteilt"><textarea name="text"></textarea><input type="file" name="report">
<button>Teilen</button></form>`;
const sharedFile = path.join(s.root, 'samples/own-planet.txt');
const shares = [
  { name: 'a file', file: 'Bericht vom Telefon.txt', shownName: 'Bericht vom Telefon.txt' },
  { name: 'text', shownName: '' },
];

for (const share of shares) {
  test(`a report shared into the app as ${share.name} is converted`, async () => {
    const { context, page } = await s.newPage(site.browser, site.server.origin);
    await page.evaluate(async () => {
      await navigator.serviceWorker.ready;
      if (!navigator.serviceWorker.controller)
        await new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve, { once: true }));
    });
    site.server.files.set('/share-form.html', shareForm);
    await page.goto(`${site.server.origin}/share-form.html`);
    const report = fs.readFileSync(sharedFile, 'utf8');
    if (share.file) await page.setInputFiles('input[type=file]', { name: share.file, mimeType: 'text/plain', buffer: Buffer.from(report) });
    else await page.fill('textarea', report);
    await s.converted(page, () => page.click('button'));
    assert.equal(page.url(), `${site.server.origin}/`, 'the marker leaves the address');
    assert.equal(await page.locator('#file-name').textContent(), share.shownName);
    assert.deepEqual(await s.downloadBytes(page, '#download-page'), s.cliOutput(sharedFile));
    await context.close();
  });
}
