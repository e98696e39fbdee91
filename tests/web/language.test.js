// The page in the player's language: the browser's languages choose it, the
// switch overrides them and is remembered, the core's pages follow, and no
// language's texts (a made-up one with longer words among them) are clipped
// or run into each other on a phone or a desktop.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { describe, test } = require('node:test');
const s = require('./support');

const sample = (name) => path.join(s.root, 'samples', name);
const catalog = (language) => JSON.parse(fs.readFileSync(path.join(s.root, 'i18n/web', `${language}.json`), 'utf8'));
const site = s.siteAndBrowser();

// What the page says in each language: a few elements, the finish message of
// one battle (a plural's "one" form) and the history's note ("other"), and a
// label of the converted page, which the core writes.
const SAYS = {
  de: {
    elements: { '#tab-archive': 'Archiv', '#open-file': 'Datei öffnen', '#report-label': 'Kampfbericht', '#preview-empty': /^Hier erscheint/ },
    placeholder: /^Kampfbericht hier einfügen/,
    finished: /^Fertig: 1 Kampf umgewandelt \(/,
    note: 'Die letzten 20 Umwandlungen bleiben nur in diesem Browser gespeichert.',
    pageLabel: 'Restflotte',
  },
  en: {
    elements: { '#tab-archive': 'Archive', '#open-file': 'Open file', '#report-label': 'Battle report', '#preview-empty': /^The converted page appears/ },
    placeholder: /^Paste a battle report here/,
    finished: /^Done: 1 battle converted \(/,
    note: 'The last 20 conversions stay stored in this browser only.',
    pageLabel: 'Remaining',
  },
};
const other = { de: 'en', en: 'de' };

// A fresh page in a browser set up by `options`; `english` is a catalog
// served in place of the English one.
async function pageIn(options, english) {
  const context = await site.browser.newContext({ acceptDownloads: true, ...options });
  if (english) await context.route('**/i18n/en.json', (route) => route.fulfill({ contentType: 'application/json', body: english }));
  const page = await context.newPage();
  await page.goto(site.server.origin + '/');
  return { context, page };
}

// The page says what `language` says, and the page it converted is in that language too.
async function assertSpeaks(page, language, what) {
  const says = SAYS[language];
  assert.equal(await page.getAttribute('html', 'lang'), language, what);
  for (const [selector, text] of Object.entries(says.elements)) {
    const shown = await page.textContent(selector);
    if (text instanceof RegExp) assert.match(shown, text, `${what}: ${selector}`);
    else assert.equal(shown, text, `${what}: ${selector}`);
  }
  assert.match(await page.getAttribute('#report', 'placeholder'), says.placeholder, what);
  assert.match(await s.inputMessage(page), says.finished, what);
  assert.equal(await page.textContent('#history-note'), says.note, what);
  const converted = (await s.downloadBytes(page, '#download-page')).toString('utf8');
  assert.ok(converted.includes(says.pageLabel) && !converted.includes(SAYS[other[language]].pageLabel), `${what}: the page's labels`);
}

describe('choosing the language', () => {
  test('the browser’s language chooses the page’s: German for German, English for every language without a catalog', async () => {
    for (const [locale, language] of [['de-DE', 'de'], ['de-AT', 'de'], ['en-US', 'en'], ['fr-FR', 'en']]) {
      const { context, page } = await pageIn({ locale });
      await s.convertFile(page, sample('one-battle.txt'));
      await assertSpeaks(page, language, locale);
      await context.close();
    }
  });

  test('the switch changes the page and its converted page at once, and is remembered after a reload', async () => {
    const { context, page } = await pageIn({ locale: 'en-US' });
    await s.convertFile(page, sample('one-battle.txt'));
    // Each choice converts the shown report again; "system" follows the browser.
    for (const [choice, language] of [['de', 'de'], ['system', 'en'], ['de', 'de']]) {
      await s.converted(page, () => page.selectOption('#language', choice));
      await assertSpeaks(page, language, choice);
    }
    await page.reload();
    await s.convertFile(page, sample('one-battle.txt'));
    await assertSpeaks(page, 'de', 'after a reload');
    assert.equal(await page.inputValue('#language'), 'de');
    await context.close();
  });

  test('of two choices in quick succession the later wins, though the earlier’s catalog arrives last', async () => {
    const { context, page } = await pageIn({ locale: 'en-US', serviceWorkers: 'block' });
    let release;
    const held = new Promise((resolve) => (release = resolve));
    await context.route('**/i18n/en.json', async (route) => {
      await held;
      await route.continue();
    });
    await page.selectOption('#language', 'system');
    await page.selectOption('#language', 'de');
    await s.until(async () => (await page.getAttribute('html', 'lang')) === 'de', 'German');
    const finished = page.waitForEvent('requestfinished', (request) => request.url().endsWith('/i18n/en.json'));
    release();
    await finished;
    await page.evaluate(() => new Promise((resolve) => setTimeout(resolve, 300)));
    assert.equal(await page.getAttribute('html', 'lang'), 'de');
    assert.equal(await page.textContent('#tab-archive'), 'Archiv');
    await context.close();
  });
});

// The English catalog about 40 % longer, every word lengthened and its
// letters accented, the "{placeholders}" kept: made here, never shipped.
const ACCENTS = { a: 'á', e: 'é', i: 'í', o: 'ö', u: 'ü', c: 'ç', n: 'ñ', s: 'š', y: 'ý', A: 'Å', E: 'É', O: 'Ö', U: 'Ü', S: 'Š' };
const pseudoText = (text) =>
  text.split(/(\{\w+\})/).map((part, index) => (index % 2 ? part : part.replace(/[A-Za-z]+/g, (word) =>
    (word + word.slice(0, Math.ceil(word.length * 0.4))).replace(/[A-Za-z]/g, (letter) => ACCENTS[letter] || letter)))).join('');
const pseudoCatalog = JSON.stringify(Object.fromEntries(Object.entries(catalog('en')).map(([id, text]) => [id, pseudoText(text)])));

// Buttons, labels, tabs and headings whose content reaches out of their box
// on either side (text set flush right overflows to the left, where no
// scroll width shows it), or whose box runs into a sibling's, and a page
// wider than the window.
function layoutFaults() {
  const shown = (element) => {
    const box = element.getBoundingClientRect();
    return box.width > 0 && box.height > 0 && getComputedStyle(element).visibility === 'visible';
  };
  const named = (element) => `${element.tagName.toLowerCase()}${element.id ? `#${element.id}` : ''} "${element.textContent.trim().slice(0, 30)}"`;
  const faults = [];
  const content = document.createRange();
  for (const element of document.querySelectorAll('button, label, [role="tab"], h1, h2, h3, summary')) {
    if (!shown(element)) continue;
    const box = element.getBoundingClientRect();
    content.selectNodeContents(element);
    const inside = content.getBoundingClientRect();
    if (inside.width > 0 && (inside.left < box.left - 1 || inside.right > box.right + 1))
      faults.push(`${named(element)} is clipped: its content is ${Math.round(inside.width)} px wide, its box ${Math.round(box.width)} px`);
    for (const sibling of element.parentElement.children) {
      if (sibling === element || !shown(sibling)) continue;
      const near = sibling.getBoundingClientRect();
      const across = Math.min(box.right, near.right) - Math.max(box.left, near.left);
      const down = Math.min(box.bottom, near.bottom) - Math.max(box.top, near.top);
      if (across > 1 && down > 1) faults.push(`${named(element)} overlaps ${named(sibling)}`);
    }
  }
  if (document.documentElement.scrollWidth > innerWidth) faults.push(`the page is ${document.documentElement.scrollWidth} px wide`);
  return faults;
}

const shotsFolder = process.env.SKARNWALD_SCREENSHOTS || s.tempFolder();

describe('layout in every language', () => {
  const views = [
    { viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2 },
    { viewport: { width: 1280, height: 900 } },
  ];
  for (const language of ['de', 'en', 'pseudo']) {
    test(`${language}: nothing clipped or overlapping on any tab, the fleet edit included, at 390 and 1280 pixels`, async () => {
      for (const view of views) {
        const width = view.viewport.width;
        // Without the service worker every request of the catalog reaches the route.
        const { context, page } = await pageIn(
          { ...view, locale: language === 'de' ? 'de-DE' : 'en-US', serviceWorkers: 'block' },
          language === 'pseudo' ? pseudoCatalog : null,
        );
        await s.convertFile(page, sample('several-battles.txt'));
        await s.converted(page, () => page.check('#hide-own'));
        for (const tab of await page.locator('[role="tab"]').all()) {
          const id = await tab.getAttribute('id');
          await tab.click();
          await page.waitForTimeout(300);
          await page.screenshot({ path: path.join(shotsFolder, `${language}-${width}-${id}.png`), fullPage: true });
          assert.deepEqual(await page.evaluate(layoutFaults), [], `${id} at ${width} px`);
        }
        await page.click('#tab-planning');
        await page.setInputFiles('#plan-outgoings-file', sample('outgoings.txt'));
        await page.locator('#plan-table tbody tr').first().dblclick();
        await page.locator('#fleet-edit').waitFor();
        await page.screenshot({ path: path.join(shotsFolder, `${language}-${width}-fleet-edit.png`) });
        assert.deepEqual(await page.evaluate(layoutFaults), [], `the fleet edit at ${width} px`);
        await context.close();
      }
    });
  }
});
