// The page as a user meets it: paste, drop, the preview's sandbox, messages,
// the history, offline use and the requests the page makes.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { after, before, describe, test } = require('node:test');
const s = require('./support');

const sample = (name) => path.join(s.root, 'samples', name);
const windows1252 = new TextDecoder('windows-1252');
const sampleText = (name) => windows1252.decode(fs.readFileSync(sample(name)));

// The preview frame loads its page just after the conversion has ended; a
// query during that load fails, so poll until the new page stands.
const previewShows = (page, check, what) =>
  s.until(async () => {
    try {
      return await check(page.frameLocator('#preview'));
    } catch {
      return false;
    }
  }, what);
const message = (page) => page.locator('#message').textContent();

let server;
let browser;

before(async () => {
  server = await new s.SiteServer().start();
  browser = await s.launchBrowser();
});

after(async () => {
  await browser?.close();
  await server?.stop();
});

describe('converting', () => {
  test('pasted text shows the battle rows in the preview', async () => {
    const { context, page } = await s.newPage(browser, server.origin);
    await s.convertText(page, sampleText('several-battles.txt'));
    await previewShows(page, async (preview) => (await preview.locator('tr').count()) > 10, 'the battle rows');
    assert.match(await page.frameLocator('#preview').locator('body').textContent(), /Battle at \[3\.3\.3\] Kalte Ebene/);
    assert.match(await page.locator('#title-line').textContent(), /Kalte Ebene/);
    await context.close();
  });

  test('a dropped file converts like an opened one', async () => {
    const { context, page } = await s.newPage(browser, server.origin);
    const bytes = [...fs.readFileSync(sample('opera-copy.txt'))];
    const transfer = await page.evaluateHandle((content) => {
      const data = new DataTransfer();
      data.items.add(new File([new Uint8Array(content)], 'opera-copy.txt', { type: 'text/plain' }));
      return data;
    }, bytes);
    await s.converted(page, () => page.dispatchEvent('#drop-zone', 'drop', { dataTransfer: transfer }));
    await previewShows(page, async (preview) => (await preview.locator('tr').count()) > 5, 'the battle rows');
    assert.equal(await page.locator('#file-name').textContent(), 'opera-copy.txt');
    assert.ok((await s.downloadBytes(page, '#download-page')).equals(s.cliOutput(sample('opera-copy.txt'))));
    await context.close();
  });

  test('an empty field, an empty file or an unreadable file is refused with a message', async () => {
    const { context, page } = await s.newPage(browser, server.origin);
    await page.fill('#report', '  \n ');
    await page.click('#convert');
    assert.match(await message(page), /Berichtsfeld ist leer/);
    await page.setInputFiles('#file', { name: 'leer.txt', mimeType: 'text/plain', buffer: Buffer.alloc(0) });
    await s.until(async () => /leer\.txt.*ist leer/.test(await message(page)), 'the empty-file message');
    assert.ok(await page.locator('#download-page').isDisabled());
    await page.evaluate(() => readFile({ name: 'kaputt.txt', arrayBuffer: () => Promise.reject(new Error('gone')) }));
    assert.match(await message(page), /kaputt\.txt.*konnte nicht gelesen werden/);
    await context.close();
  });

  test('a fleet named <script> shows as text and runs nothing', async () => {
    const { context, page } = await s.newPage(browser, server.origin);
    let dialogs = 0;
    page.on('dialog', (dialog) => {
      dialogs += 1;
      dialog.dismiss();
    });
    await s.convertFile(page, path.join(s.root, 'tests/data/script-fleet.txt'));
    await previewShows(
      page,
      async (preview) => /<script>alert\(1\)<\/script>/.test(await preview.locator('body').textContent()),
      'the fleet name as text',
    );
    assert.equal(await page.frameLocator('#preview').locator('script').count(), 0);
    assert.equal(await page.locator('#preview').getAttribute('sandbox'), '');
    await page.waitForTimeout(300);
    assert.equal(dialogs, 0);
    await context.close();
  });
});

describe('history', () => {
  test('survives a reload, opens and deletes', async () => {
    const { context, page } = await s.newPage(browser, server.origin);
    await s.convertFile(page, sample('one-battle.txt'));
    await s.convertFile(page, sample('roids-and-salvage.txt'));
    const items = page.locator('#history-list li');
    await s.until(async () => (await items.count()) === 2, 'the history entries');
    await page.reload();
    await items.first().waitFor();
    assert.equal(await items.count(), 2);
    assert.match(await items.nth(1).textContent(), /Eisnebel/);

    await items.nth(1).getByRole('button', { name: 'Öffnen' }).click();
    assert.ok((await s.downloadBytes(page, '#download-page')).equals(s.cliOutput(sample('one-battle.txt'))));
    assert.match(await page.locator('#report').inputValue(), /Eisnebel S.d/);

    await items.nth(0).getByRole('button', { name: 'Löschen' }).click();
    await s.until(async () => (await items.count()) === 1, 'the deletion');
    await page.reload();
    await items.first().waitFor();
    assert.equal(await items.count(), 1);
    assert.match(await items.first().textContent(), /Eisnebel/);
    await context.close();
  });
});

describe('network', () => {
  test('the page asks no host but its own', async () => {
    const { context, page } = await s.newPage(browser, server.origin);
    const hosts = new Set();
    context.on('request', (request) => {
      const url = new URL(request.url());
      if (!['blob:', 'data:', 'about:'].includes(url.protocol)) hosts.add(url.origin);
    });
    await page.reload();
    await s.convertFile(page, sample('several-battles.txt'));
    await s.downloadBytes(page, '#download-page');
    assert.deepEqual([...hosts], [server.origin]);
    await context.close();
  });

  test('after the first visit the page reloads and converts with the server stopped', async () => {
    const offlineServer = await new s.SiteServer().start();
    const { context, page } = await s.newPage(browser, offlineServer.origin);
    await page.evaluate(() => navigator.serviceWorker.ready.then(() => undefined));
    await offlineServer.stop();
    await page.reload();
    assert.equal(await page.locator('h1').textContent(), 'Skarnwald');
    await s.convertFile(page, sample('one-battle.txt'));
    assert.ok((await s.downloadBytes(page, '#download-page')).equals(s.cliOutput(sample('one-battle.txt'))));
    await context.close();
  });
});
