// Using the page without a mouse, with a screen reader, on a phone, and with
// a large report: Koords, keyboard, accessibility, layout, responsiveness.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { describe, test } = require('node:test');
const s = require('./support');
const { largeReport } = require('./reports');

const sample = (name) => path.join(s.root, 'samples', name);
const pageText = async (page) => (await s.downloadBytes(page, '#download-page')).toString('utf8');

const site = s.siteAndBrowser();

describe('Koords', () => {
  test('the game’s forms are stored normalised, anything else is refused beside the field', async () => {
    const { context, page } = await s.newPage(site.browser, site.server.origin);
    const forms = [
      ['11.7.8', '11.7.8'],
      ['11. 7. 8', '11.7.8'],
      ['[11.7.8]', '11.7.8'],
      ['  [ 3. 3. 3 ] ', '3.3.3'],
      ['abc', null],
      ['11.7', null],
      ['1.2.3.4', null],
    ];
    for (const [typed, stored] of forms) {
      await page.fill('#own-coords', typed);
      await page.locator('#own-coords').blur();
      const message = await page.locator('#own-coords-message').textContent();
      if (stored) {
        assert.equal(await page.inputValue('#own-coords'), stored, typed);
        assert.equal(message, '', typed);
      } else {
        assert.match(message, /Koords bitte als x\.y\.z eingeben/, typed);
      }
    }
    await page.fill('#own-coords', '');
    await page.check('#hide-own');
    assert.match(await page.locator('#hide-own-message').textContent(), /fehlen die Koords/);
    await context.close();
  });

  test('a click on "Umwandeln" right after typing Koords converts with them', async () => {
    const { context, page } = await s.newPage(site.browser, site.server.origin);
    await page.check('#hide-own');
    await s.convertFile(page, sample('several-battles.txt'));
    assert.match(await pageText(page), /Halvard/);
    await page.locator('#own-coords').pressSequentially('3. 3. 3');
    await s.converted(page, () => page.click('#convert'));
    await s.until(async () => /^Fertig/.test(await s.inputMessage(page)), 'the finished conversion');
    assert.doesNotMatch(await pageText(page), /Halvard/);
    await context.close();
  });
});

describe('keyboard and screen readers', () => {
  test('Tab reaches "Datei öffnen", Ctrl+Enter converts, the result is announced', async () => {
    const { context, page } = await s.newPage(site.browser, site.server.origin);
    await page.focus('#report');
    await page.keyboard.press('Tab');
    assert.equal(await page.evaluate(() => document.activeElement.textContent), 'Datei öffnen');
    assert.equal(await page.getByRole('button', { name: 'Datei öffnen' }).count(), 1);
    assert.equal(await page.getByRole('textbox', { name: 'Kampfbericht' }).count(), 1);

    await page.fill('#report', fs.readFileSync(sample('one-battle.txt'), 'latin1'));
    await s.converted(page, () => page.keyboard.press('Control+Enter'));
    assert.match(await s.inputMessage(page), /^Fertig: 1 Kampf umgewandelt/);
    assert.equal(await page.locator('#input-message').getAttribute('aria-live'), 'polite');
    await context.close();
  });

  test('axe-core finds no serious, critical or landmark fault on any tab, at 1280 pixels and on a phone; no id is used twice', async () => {
    const phone = { viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2 };
    for (const view of [{ viewport: { width: 1280, height: 900 } }, phone]) {
      const { context, page } = await s.newPage(site.browser, site.server.origin, { ...view, bypassCSP: true });
      // A second element of the same id leaves its button without a handler.
      const ids = await page.$$eval('[id]', (elements) => elements.map((element) => element.id));
      assert.deepEqual(ids.filter((id, index) => ids.indexOf(id) !== index), []);
      await s.convertFile(page, sample('several-battles.txt'));
      await page.check('#hide-own');
      const width = view.viewport.width;
      for (const tab of await page.locator('[role="tab"]').all()) {
        const box = await tab.boundingBox();
        assert.ok(box.x >= 0 && box.x + box.width <= width, `${await tab.textContent()} in sight at ${width} px`);
        await tab.click();
        await page.waitForTimeout(300);
        assert.deepEqual(await s.axeProblems(page), [], `${await tab.textContent()} at ${width} px`);
        assert.ok(await page.evaluate(() => document.documentElement.scrollWidth) <= width, `page width on ${await tab.textContent()}`);
      }
      // The record's eight columns are wider than a phone: a line says so.
      if (width < 400) {
        await page.click('#tab-stats');
        await s.until(() => page.locator('#panel-stats .scroll-hint').first().isVisible(), 'the hint above the record');
      }
      await context.close();
    }
  });
});

describe('phone', () => {
  test('the result scrolls into view, fits the width, messages stand beside their buttons', async () => {
    const phone = { viewport: { width: 344, height: 740 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2 };
    const { context, page } = await s.newPage(site.browser, site.server.origin, phone);
    await s.convertFile(page, sample('several-battles.txt'));
    await s.until(async () => {
      const top = (await page.locator('#output').boundingBox()).y;
      return top >= -1 && top < 100;
    }, 'the result in view');
    const frame = await page.locator('.preview-frame').boundingBox();
    assert.ok(frame.x >= 0 && frame.x + frame.width <= 344, 'the preview fits the screen');
    assert.equal(await s.sidewaysInFrame(page, '#preview'), 0, 'the page is zoomed to the frame');
    const columns = await page.locator('.share').evaluate((grid) => getComputedStyle(grid).gridTemplateColumns.split(' ').length);
    assert.ok(columns >= 2, `share buttons in ${columns} column(s)`);

    await page.click('#copy-title');
    await s.until(async () => (await s.outputMessage(page)) !== '', 'the message');
    const button = await page.locator('#copy-title').boundingBox();
    const message = await page.locator('#output-message').boundingBox();
    assert.ok(message.y > button.y && message.y - button.y < 300, 'the message is beside the buttons');
    await page.screenshot({ path: path.join(s.tempFolder(), 'phone.png') });
    await context.close();
  });
});

describe('large reports', () => {
  test('a large file shows by name and size, its preview shows the start, and the page stays usable', async () => {
    // A high-density phone: there Chromium once left the frame of a large page black.
    const phone = { viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2 };
    const { context, page } = await s.newPage(site.browser, site.server.origin, phone);
    const report = largeReport(400);
    await s.convertFile(page, { name: 'gross.txt', mimeType: 'text/plain', buffer: report });
    const field = await page.inputValue('#report');
    assert.match(field, /^gross\.txt – \d+,\d MB/);
    assert.ok(field.length < 500, 'the text stays out of the field');
    await s.until(async () => {
      try {
        return /Vorschau zeigt nur den Anfang/.test(await page.frameLocator('#preview').locator('body').textContent());
      } catch {
        return false;
      }
    }, 'the cut preview');
    // A frame left black is one colour, which compresses to a few kilobytes.
    await page.locator('#preview').scrollIntoViewIfNeeded();
    const shot = await page.locator('.preview-frame').screenshot();
    assert.ok(shot.length > 30000, `the preview is drawn (${shot.length} bytes of screenshot)`);
    await page.click('#copy-title');
    await s.until(async () => (await s.outputMessage(page)) === 'Titelzeile kopiert.', 'the copy');
    // The whole page comes from the worker only when asked for.
    const file = path.join(s.tempFolder(), 'gross.txt');
    fs.writeFileSync(file, report);
    assert.ok((await s.downloadBytes(page, '#download-page')).equals(s.cliOutput(file)), 'the download is the whole page');
    const [whole] = await Promise.all([context.waitForEvent('page'), page.click('#open-page')]);
    // Laying out the whole page takes a loaded machine half a minute and more.
    await whole.waitForURL(/^blob:/, { timeout: 180000 });
    assert.equal(await whole.locator('text=Battle at').count(), 400);
    await context.close();
  });
});
