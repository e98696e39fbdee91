// The stored battles and the statistics in the browser against the command
// line on the same Data.dat: the list for each filter, every stored page, the
// CSV files, the personal record and its course; deleting survives a reload.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const { after, before, describe, test } = require('node:test');
const s = require('./support');

const site = s.siteAndBrowser();
const folder = s.tempFolder();
const database = path.join(folder, 'Data.dat');
const cli = (...args) => execFileSync(s.cliPath, [...args, '--db', database], { cwd: folder, env: s.cliEnv, maxBuffer: 1 << 28, stdio: 'pipe' });
const cliText = (...args) => cli(...args).toString('utf8');

before(() => {
  cli('settings', '--store', '1', '--pers-stat', '1', '--coords', '2.11.7');
  for (const sample of fs.readdirSync(path.join(s.root, 'samples'))) {
    try {
      cli('convert', path.join(s.root, 'samples', sample), '-o', path.join(folder, 'page.htm'));
    } catch (error) {
      if (error.status !== 3) throw error; // a sample without a battle
    }
  }
});
after(() => fs.rmSync(folder, { recursive: true, force: true }));

const counter = (page, selector, name) =>
  page.evaluate(([selector, name]) => Number(document.querySelector(selector).dataset[name] || 0), [selector, name]);

// Runs `change` and waits until the element's counter `name` has moved on.
async function afterChange(page, selector, name, change) {
  const before = await counter(page, selector, name);
  await change();
  await s.until(async () => (await counter(page, selector, name)) > before, `${selector} ${name}`);
}

const pageWithArchive = (bytes, options) => s.pageWithArchive(site.browser, site.server, bytes, options);
const showArchive = (page) => afterChange(page, '#archive-browser', 'lists', () => page.click('#tab-archive'));
const showStats = (page) => afterChange(page, '#panel-stats', 'shown', () => page.click('#tab-stats'));

// The list as `battles` prints it: id, date, coordinates, place.
const listed = (page) =>
  page.$$eval('#archive-list tbody tr', (rows) =>
    rows.map((row) => [...row.cells].map((cell) => cell.textContent).join('\t')).join('\n'));
const cliListing = (...args) => cliText('battles', ...args).trimEnd().replace(/^(Keine Kämpfe gespeichert|Kein Kampf passt)\.$/, '');

async function confirmDelete(page, button) {
  await page.click(button);
  await page.click('dialog.confirm [data-answer="yes"]');
}

describe('stored battles', () => {
  let context;
  let page;
  before(async () => {
    ({ context, page } = await pageWithArchive(fs.readFileSync(database)));
    await showArchive(page);
  });
  after(() => context.close());

  test('each filter lists the battles `battles` lists, in its order', async () => {
    const filters = [
      [{}, []],
      [{ '#archive-search': '3.3.3' }, ['--search', '3.3.3']],
      [{ '#archive-search': 'rEnKe' }, ['--search', 'rEnKe']],
      [{ '#archive-search': 'öDÖN' }, ['--search', 'öDÖN']],
      [{ '#archive-search': 'nichts dergleichen' }, ['--search', 'nichts dergleichen']],
      [{ '#archive-order': 'newest' }, ['--sort', 'neueste']],
      [{ '#archive-order': 'coords' }, ['--sort', 'koords']],
      [{ '#archive-from': '2026-05-17', '#archive-to': '2026-05-20' }, ['--from', '2026-05-17', '--to', '2026-05-20']],
      [{}, []],
    ];
    for (const [controls, args] of filters) {
      const settings = { '#archive-search': '', '#archive-from': '', '#archive-to': '', '#archive-order': 'oldest', ...controls };
      for (const [selector, value] of Object.entries(settings)) {
        if ((await page.inputValue(selector)) === value) continue;
        await afterChange(page, '#archive-browser', 'lists', () =>
          selector === '#archive-order' ? page.selectOption(selector, value) : page.fill(selector, value));
      }
      const expected = cliListing(...args);
      assert.equal(await listed(page), expected, args.join(' '));
      const count = expected ? expected.split('\n').length : 0;
      assert.equal(await page.textContent('#archive-count'), count === 1 ? '1 Kampf angezeigt' : `${count} Kämpfe angezeigt`);
    }
  });

  test('every battle opens and downloads as `export` writes its page', async () => {
    const ids = (await listed(page)).split('\n').map((line) => line.split('\t')[0]);
    assert.ok(ids.length >= 5);
    for (const [index, id] of ids.entries()) {
      await afterChange(page, '#archive-browser', 'opened', () => page.click(`#archive-list tbody tr:nth-child(${index + 1}) button`));
      const exported = cli('export', id);
      // The frame shows the page behind the rule that zooms it to the frame.
      const shown = await page.getAttribute('#archive-preview', 'srcdoc');
      assert.equal(shown.slice(shown.indexOf('</style>') + '</style>'.length), exported.toString('utf8'), id);
      const download = await s.downloadFile(page, '#archive-page-download');
      assert.deepEqual(download.bytes, exported, id);
      assert.match(download.name, /^Kampf( [0-9.]+)?( \d{4}-\d\d-\d\d)?\.htm$/);
    }
  });

  // One download per click: a single table comes at once, each of the three tables has a button.
  async function csvDownloads(table) {
    if (table) return [await s.downloadFile(page, '#archive-csv')];
    await page.click('#archive-csv');
    const buttons = page.locator('#archive-message button');
    await s.until(async () => (await buttons.count()) === 3, 'the CSV buttons');
    const files = [];
    for (let index = 0; index < 3; index++) files.push(await s.downloadFile(page, `#archive-message button >> nth=${index}`));
    return files;
  }

  test('CSV files equal those of `export --csv` for both separators and each table', async () => {
    for (const [table, separator] of [['', ','], ['', ';'], ['kampfzeilen', ';']]) {
      await page.selectOption('#csv-table', table);
      await page.selectOption('#csv-separator', separator);
      const files = await csvDownloads(table);
      const out = path.join(folder, `csv${separator}${table}`);
      cli('export', '--csv', out, '--separator', separator, ...(table ? ['--table', table] : []));
      assert.deepEqual(files.map((file) => file.name).sort(), fs.readdirSync(out).sort());
      for (const file of files)
        assert.deepEqual(file.bytes, fs.readFileSync(path.join(out, file.name)), `${file.name} ${separator}`);
    }
  });
});

// The record as `stats` prints it: a label of 19 characters, then columns of 13.
function cliRecord() {
  const lines = cliText('stats').split('\n');
  const columns = (line) => Array.from({ length: 8 }, (_, i) => line.slice(19 + 13 * i, 19 + 13 * (i + 1)).trim());
  return { rows: [1, 2, 3].map((at) => columns(lines[at])), roids: [5, 6, 7].map((at) => lines[at].slice(19).trim()) };
}

const shownRecord = (page) =>
  page.evaluate(() => ({
    rows: [...document.querySelectorAll('#record-table tbody tr')].map((row) => [...row.cells].slice(1).map((cell) => cell.textContent)),
    roids: [...document.querySelectorAll('#roid-table td')].map((cell) => cell.textContent),
  }));

// The course as `stats --by` prints it: period, battles, lost, destroyed, asteroids won and lost.
const shownTimeline = (page) =>
  page.$$eval('#timeline-table tbody tr', (rows) =>
    rows.map((row) => [row.dataset.period, ...[...row.cells].slice(1).map((cell) => cell.textContent)].join(' ')).join('\n'));
const cliTimeline = (step) =>
  cliText('stats', '--by', step).trim().split('\n').slice(1).map((line) => line.trim().split(/\s+/).join(' ')).join('\n');

describe('statistics', () => {
  test('the record and its course per day and week are those of `stats`', async () => {
    const { context, page } = await pageWithArchive(fs.readFileSync(database));
    await showStats(page);
    assert.deepEqual(await shownRecord(page), cliRecord());
    assert.match(await page.textContent('#timeline-coords'), /2\.11\.7/);
    for (const step of ['week', 'day']) {
      await afterChange(page, '#panel-stats', 'shown', () => page.selectOption('#timeline-step', step));
      const expected = cliTimeline(step);
      assert.equal(await shownTimeline(page), expected, step);
      assert.equal(await page.locator('#timeline-chart rect.bar').count(), expected.split('\n').length, step);
    }
    await context.close();
  });
  test('a course per day over years draws bars that stay readable and labels with the year', async () => {
    // One battle a day for 800 days from November 2025.
    const day = (index) => new Date(Date.UTC(2025, 10, 1 + index));
    const battle = (index) => {
      const date = day(index).toISOString().slice(0, 10).split('-').reverse().join('.');
      return `${date} 10:00:00 Uhr Battle at [2.11.7] Ort\nAgility 20 Speed 6 [50/50] Frigate (F) from 2.11.7 Ich\n` +
        `Frigate (F) destroyed [3/40] Fighter (G) from 5.5.5 Gegner\n`;
    };
    const file = path.join(folder, 'years.dat');
    const report = path.join(folder, 'years.txt');
    fs.writeFileSync(report, Array.from({ length: 800 }, (_, index) => battle(index)).join(''));
    const run = (...args) => execFileSync(s.cliPath, [...args, '--db', file], { cwd: folder, env: s.cliEnv, stdio: 'pipe' });
    run('settings', '--store', '1', '--coords', '2.11.7');
    run('convert', report, '-o', path.join(folder, 'years.htm'));

    const { context, page } = await pageWithArchive(fs.readFileSync(file), { viewport: { width: 390, height: 844 }, isMobile: true });
    await showStats(page);
    const bars = await page.$$eval('#timeline-chart rect.bar', (rects) => rects.map((rect) => [Number(rect.getAttribute('x')), Number(rect.getAttribute('width'))]));
    assert.equal(bars.length, 800);
    bars.forEach(([x, width], index) => {
      assert.ok(width >= 4, `bar ${index}: ${width} px`);
      if (index) assert.ok(bars[index - 1][0] + bars[index - 1][1] <= x, `bar ${index} clear of the one before`);
    });
    const labels = await page.$$eval('#timeline-chart text', (texts) => texts.map((text) => text.textContent).filter((text) => text.includes('.')));
    assert.ok(labels.length > 5 && labels.every((label) => /^\d\d\.\d\d\.20\d\d$/.test(label)), labels.join(' '));
    assert.ok(await page.locator('.scroll-hint', { hasText: 'Weitere Zeiträume' }).isVisible(), 'the chart scrolls sideways, and says so');
    await context.close();
  });
});

describe('on a phone, with a screen reader', () => {
  test('both tabs fit 390 pixels, a stored battle is zoomed to the phone, and axe-core finds no fault that counts', async () => {
    const phone = { viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2, bypassCSP: true };
    const { context, page } = await pageWithArchive(fs.readFileSync(database), phone);
    const problems = async () => {
      const width = await page.evaluate(() => document.documentElement.scrollWidth);
      return [...(width > 390 ? [`page ${width} px wide`] : []), ...(await s.axeProblems(page))];
    };
    await showArchive(page);
    await afterChange(page, '#archive-browser', 'opened', () => page.click('#archive-list tbody tr:first-child button'));
    assert.equal(await s.sidewaysInFrame(page, '#archive-preview'), 0, 'the stored page is zoomed to the frame');
    assert.deepEqual(await problems(), []);
    await showStats(page);
    assert.deepEqual(await problems(), []);
    await context.close();
  });
});

describe('deleting', () => {
  test('one battle, the record and then all battles go, and stay gone after a reload', async () => {
    const { context, page } = await pageWithArchive(fs.readFileSync(database));
    await showArchive(page);
    const firstId = (await listed(page)).split('\t')[0];
    await afterChange(page, '#archive-browser', 'opened', () => page.click('#archive-list tbody tr:first-child button'));
    await afterChange(page, '#archive-browser', 'lists', () => confirmDelete(page, '#archive-delete'));
    assert.equal(await page.textContent('#archive-message'), `Kampf ${firstId} gelöscht.`);
    await showStats(page);
    await afterChange(page, '#panel-stats', 'shown', () => confirmDelete(page, '#stats-reset'));

    await page.reload();
    await showArchive(page);
    const left = (await listed(page)).split('\n');
    assert.equal(left.length, cliListing().split('\n').length - 1);
    assert.ok(!left.some((line) => line.startsWith(`${firstId}\t`)));
    await showStats(page);
    const zeroed = await shownRecord(page);
    assert.ok([...zeroed.rows.slice(0, 2).flat(), ...zeroed.roids.slice(0, 2)].every((text) => text === '0'), JSON.stringify(zeroed));

    await page.click('#tab-archive');
    await afterChange(page, '#archive-browser', 'lists', () => confirmDelete(page, '#archive-delete-all'));
    await page.reload();
    await showArchive(page);
    assert.equal(await listed(page), '');
    assert.equal(await page.textContent('#archive-count'), '0 Kämpfe angezeigt');
    await context.close();
  });
});
