// The page as a user meets it: paste, drop, the preview's sandbox, messages,
// the history, offline use and the requests the page makes.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { describe, test } = require('node:test');
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

const site = s.siteAndBrowser();

describe('converting', () => {
  test('pasted text shows the battle rows in the preview', async () => {
    const { context, page } = await s.newPage(site.browser, site.server.origin);
    await s.convertText(page, sampleText('several-battles.txt'));
    await previewShows(page, async (preview) => (await preview.locator('tr').count()) > 10, 'the battle rows');
    assert.match(await page.frameLocator('#preview').locator('body').textContent(), /Battle at \[3\.3\.3\] Kalte Ebene/);
    // The share texts follow the preview from the same conversion, a moment later
    // when a fresh tab is still making its archive.
    await s.until(async () => /Kalte Ebene/.test(await page.locator('#title-line').textContent()), 'the title line');
    await context.close();
  });

  test('a dropped file converts like an opened one', async () => {
    const { context, page } = await s.newPage(site.browser, site.server.origin);
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

  test('input without a battle is refused, and every earlier output goes', async () => {
    const { context, page } = await s.newPage(site.browser, site.server.origin);
    const outputs = ['#download-page', '#copy-bbcode', '#copy-discord', '#copy-title', '#download-json', '#share-link'];
    const refused = [
      ['prose', 'prosa.txt', Buffer.from('Liebe Allianz,\nbitte morgen um acht online sein.\n'), /Kein Kampf gefunden/],
      ['a binary file', 'bild.png', Buffer.from([0x89, 0x50, 0x4e, 0x47, 0, 1, 2, 0xff, 0xfe, 0x1a, 0, 0, 0x42]), /Kein Kampf gefunden/],
      ['a blank file', 'leer.txt', Buffer.from(' \n\n  \t\n'), /Kein Kampf gefunden/],
      ['an empty file', 'nichts.txt', Buffer.alloc(0), /nichts\.txt.*ist leer/],
    ];
    for (const [what, name, buffer, expected] of refused) {
      await s.convertFile(page, sample('one-battle.txt'));
      await s.until(async () => !(await page.locator('#share-link').isDisabled()), 'the outputs');
      await s.converted(page, () => page.setInputFiles('#file', { name, mimeType: 'text/plain', buffer }));
      assert.match(await s.inputMessage(page), expected, what);
      for (const output of outputs) assert.ok(await page.locator(output).isDisabled(), `${what}: ${output}`);
      assert.ok(await page.locator('#preview').evaluate((frame) => frame.inert), `${what}: the preview`);
      assert.ok(await page.locator('#preview-empty').isVisible(), `${what}: the hint`);
    }
    await page.fill('#report', '  \n ');
    await s.converted(page, () => page.click('#convert'));
    assert.match(await s.inputMessage(page), /Berichtsfeld ist leer/);
    assert.equal(await page.locator('#history-list li').count(), 1, 'only the battle is kept, once');
    await context.close();
  });

  test('a fleet named <script> shows as text and runs nothing', async () => {
    const { context, page } = await s.newPage(site.browser, site.server.origin);
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
    // Sandboxed with nothing allowed but its origin: no script, form or navigation.
    assert.equal(await page.locator('#preview').getAttribute('sandbox'), 'allow-same-origin');
    await page.waitForTimeout(300);
    assert.equal(dialogs, 0);
    await context.close();
  });
});

describe('history', () => {
  test('names entries by their battles, survives a reload, opens with the switches as they stand', async () => {
    const { context, page } = await s.newPage(site.browser, site.server.origin);
    await s.convertFile(page, sample('one-battle.txt'));
    await s.convertFile(page, sample('several-battles.txt'));
    const items = page.locator('#history-list li');
    await s.until(async () => (await items.count()) === 2, 'the history entries');
    await page.reload();
    await items.first().waitFor();
    assert.match(await items.nth(0).textContent(), /^3 Kämpfe · \[3\.3\.3\] Kalte Ebene/);
    assert.match(await items.nth(1).textContent(), /^1 Kampf · \[4\.7\.2\] Eisnebel Süd/);
    assert.match(await page.locator('#history-note').textContent(), /letzten 20 Umwandlungen/);

    await page.check('#hide-names');
    await s.converted(page, () => items.nth(1).getByRole('button', { name: 'Öffnen: 1 Kampf · [4.7.2] Eisnebel Süd' }).click());
    const opened = await s.downloadFile(page, '#download-page');
    assert.ok(opened.bytes.equals(s.cliOutput(sample('one-battle.txt'), ['--hide-names'])));
    assert.equal(opened.name, 'Kampf 4.7.2 2026-03-14.htm');
    assert.equal(await items.count(), 2, 'opening adds no entry');

    await items.nth(0).getByRole('button', { name: /^Löschen: 3 Kämpfe/ }).click();
    await s.until(async () => (await items.count()) === 1, 'the deletion');
    await page.getByRole('button', { name: 'Rückgängig' }).click();
    await s.until(async () => (await items.count()) === 2, 'the undo');
    await page.click('#clear-history');
    await s.until(async () => (await items.count()) === 0, 'the emptied history');
    await page.reload();
    await page.locator('#history-empty').waitFor();
    assert.equal(await items.count(), 0);
    await context.close();
  });
});

describe('installing', () => {
  test('the manifest names an id, a description, PNG icons of 192 and 512 pixels kept for offline use, and screenshots', async () => {
    const read = (name) => fs.readFileSync(path.join(s.siteDir, name));
    const manifest = JSON.parse(read('manifest.webmanifest'));
    assert.ok(manifest.id && manifest.description, 'id and description');
    const offline = read('sw.js').toString('utf8');
    for (const [size, purpose] of [[192, 'any'], [512, 'any'], [512, 'maskable']]) {
      const icon = manifest.icons.find((entry) => entry.type === 'image/png' && entry.sizes === `${size}x${size}` && entry.purpose === purpose);
      assert.ok(icon, `a ${purpose} icon of ${size} pixels`);
      // A PNG's width and height stand at bytes 16 and 20.
      const png = read(icon.src);
      assert.deepEqual([png.readUInt32BE(16), png.readUInt32BE(20)], [size, size], icon.src);
      assert.ok(offline.includes(`'./${icon.src}'`), `${icon.src} kept offline`);
    }
    assert.deepEqual(manifest.screenshots.map((shot) => shot.form_factor).sort(), ['narrow', 'wide']);
    for (const shot of manifest.screenshots) assert.ok(read(shot.src).length > 10000, shot.src);
  });
});

describe('network', () => {
  test('the page asks no host but its own', async () => {
    const { context, page } = await s.newPage(site.browser, site.server.origin);
    const hosts = new Set();
    context.on('request', (request) => {
      const url = new URL(request.url());
      if (!['blob:', 'data:', 'about:'].includes(url.protocol)) hosts.add(url.origin);
    });
    await page.reload();
    await s.convertFile(page, sample('several-battles.txt'));
    await s.downloadBytes(page, '#download-page');
    assert.deepEqual([...hosts], [site.server.origin]);
    await context.close();
  });

  test('after the first visit the page reloads, converts and stores with the server stopped', async () => {
    const offlineServer = await new s.SiteServer().start();
    const { context, page } = await s.newPage(site.browser, offlineServer.origin);
    await page.evaluate(() => navigator.serviceWorker.ready.then(() => undefined));
    await offlineServer.stop();
    await page.reload();
    assert.equal(await page.locator('h1').textContent(), 'Skarnwald');
    // Straight from the cache by the worker's static route, not through its handler.
    const routed = await page.evaluate(() => performance.getEntriesByType('resource').find((entry) => entry.name.endsWith('/app.js')).workerFinalSourceType);
    assert.equal(routed, 'cache');
    await page.getByLabel('Kämpfe speichern').check();
    await s.convertFile(page, sample('one-battle.txt'));
    assert.ok((await s.downloadBytes(page, '#download-page')).equals(s.cliOutput(sample('one-battle.txt'))));
    await page.getByRole('tab', { name: 'Archiv' }).click();
    await s.until(async () => (await page.textContent('#archive-count')) === '1 Kampf angezeigt', 'the stored battle');
    await context.close();
  });
});
