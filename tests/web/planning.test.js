// The planning tabs: the attack plan made in the page is the desktop's plan
// file byte for byte, plan files go both ways, the movement overview shows
// the desktop's rows and colours, both fit a phone.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { describe, test } = require('node:test');
const s = require('./support');

// Written by the desktop's plan logic from the sample outgoings with the
// changes of `desktopSteps`.
const fixture = path.join(s.root, 'tests/data/sample-outgoings-plan.json');
const outgoings = path.join(s.root, 'samples/outgoings.txt');
const fixturePlan = JSON.parse(fs.readFileSync(fixture, 'utf8'));

// [what, row, how or classes]: each row edit opens the fleet edit another way.
const desktopSteps = [
  ['edit', '0.0', 'dblclick', ['400', '50']],
  ['edit', '1.1', 'Enter', ['', '', '100', '3abc']],
  ['sums'],
  ['edit', '0.1', '#plan-edit', ['1000', '200']],
  ['edit', '1', 'Enter', ['', '', '', '', '', '', '5']],
  ['remove', '0.2', 'Delete'],
  ['collapse', '1', 'ArrowLeft'],
];
const classFields = ['Sh', 'Fi', 'Fr', 'Co', 'Sc', 'Bs', 'Do'];
const colours = { 0: 'rgb(0, 0, 0)', 3: 'rgb(190, 0, 0)' };

const site = s.siteAndBrowser();

async function planningPage(options) {
  const { context, page } = await s.newPage(site.browser, site.server.origin, options);
  await page.click('#tab-planning');
  return { context, page };
}

// Runs `start` and waits until the panel has shown its result.
async function changed(page, start, panel = '#panel-planning') {
  const updates = () => page.$eval(panel, (element) => Number(element.dataset.updates || 0));
  const before = await updates();
  await start();
  await s.until(async () => (await updates()) > before, 'the changed table');
}

async function enterMoves(page, text) {
  await page.fill('#moves-paste', text);
  await changed(page, () => page.click('#moves-enter'), '#panel-movements');
}

const row = (page, key) => page.locator(`#plan-table tr[data-path="${key}"]`);

async function runStep(page, [what, key, how, classes]) {
  if (what === 'sums') return changed(page, () => page.click('#plan-sums'));
  await row(page, key).click();
  if (what !== 'edit') return changed(page, () => page.keyboard.press(how));
  if (how === 'dblclick') await row(page, key).dblclick();
  else if (how.startsWith('#')) await page.click(how);
  else await page.keyboard.press(how);
  for (const [k, field] of classFields.entries()) await page.fill(`#fleet-edit-${field}`, classes[k] || '');
  await changed(page, () => page.click('#fleet-edit-ok'));
}

// The rows a plan file shows: its shown columns, the first cell's colour,
// children only under expanded rows.
const rowsToShow = (rows) =>
  rows.flatMap((plan) => [
    { cells: plan.cells.slice(0, 10), colour: colours[plan.textSlot] },
    ...(plan.expanded ? rowsToShow(plan.children) : []),
  ]);

const shownRows = (page) =>
  page.$$eval('#plan-table tbody tr', (rows) =>
    rows.map((tr) => ({
      cells: [...tr.cells].map((cell) => cell.textContent.replace(/^[▸▾]/, '')),
      colour: getComputedStyle(tr.cells[0]).color,
    })));

describe('Angriffsplanung', () => {
  test('the sample outgoings, changed as on the desktop, give the desktop’s plan file', async () => {
    const { context, page } = await planningPage();
    await changed(page, () => page.setInputFiles('#plan-outgoings-file', outgoings));
    const names = (await shownRows(page)).map((shown) => shown.cells[0]);
    assert.deepEqual(names, ['4.7.2', '9.1.13', '3.3.3', '2.2.8', '6.6.6', '5.5.1', '104.5.6']);
    for (const step of desktopSteps) await runStep(page, step);
    assert.deepEqual(await shownRows(page), rowsToShow(fixturePlan.rows));
    assert.deepEqual((await s.downloadFile(page, '#plan-save')).bytes, fs.readFileSync(fixture));
    await context.close();
  });

  test('a desktop plan opens and is saved again byte for byte; a bad one is told in German', async () => {
    const { context, page } = await planningPage();
    await changed(page, () => page.setInputFiles('#plan-file', fixture));
    assert.deepEqual(await shownRows(page), rowsToShow(fixturePlan.rows));
    assert.deepEqual((await s.downloadFile(page, '#plan-save')).bytes, fs.readFileSync(fixture));

    const folder = s.tempFolder();
    const plan = (fields) => JSON.stringify({ format: 'skarnwald-angriffsplan', version: 1, ...fields });
    const badFiles = [
      ['notiz.json', 'Hallo', 'Die Datei ist kein Angriffsplan.'],
      ['neu.json', plan({ version: 2 }), 'Der Angriffsplan hat die Version 2; dieses Programm liest nur Version 1.'],
      ['ohne-zeilen.json', plan({ outgoings: [] }), /^Der Angriffsplan ist beschädigt: /],
      ['zahlen.json', plan({ rows: [{ cells: [1] }], outgoings: [] }), /^Der Angriffsplan ist beschädigt: /],
    ];
    for (const [name, text, reason] of badFiles) {
      fs.writeFileSync(path.join(folder, name), text);
      await changed(page, () => page.setInputFiles('#plan-file', path.join(folder, name)));
      const [heading, told] = (await page.locator('#plan-message').textContent()).split('\n');
      assert.equal(heading, `Die Datei ${name} konnte nicht geladen werden:`);
      assert.match(told, reason instanceof RegExp ? reason : new RegExp(`^${reason.replace(/[.]/g, '\\.')}$`));
    }
    assert.deepEqual(await shownRows(page), rowsToShow(fixturePlan.rows), 'the shown plan stays');
    fs.rmSync(folder, { recursive: true, force: true });
    await context.close();
  });
});

test('lines neither tab can read are named, and a fleet takes no more ships than it has', async () => {
  const { context, page } = await planningPage();
  const unread = ['Ausgehende Flotten', '1000+ Ships attacking 4.7.2 ETA 5h from 3.3.3'];
  const pasted = [fs.readFileSync(outgoings, 'utf8'), ...unread].join('\n');
  // The message counts the lines and names them before the forms that are read.
  const told = async (selector) => {
    const [named, forms] = (await page.locator(selector).textContent()).split('\n\n');
    assert.deepEqual(named.split('\n'), ['2 Zeilen wurden nicht übernommen:', ...unread]);
    assert.match(forms, /^Gelesen werden Zeilen wie\n/);
  };
  await page.fill('#plan-paste', pasted);
  await changed(page, () => page.click('#plan-import'));
  assert.equal((await shownRows(page)).length, 7);
  await told('#plan-message');

  await row(page, '0.0').click(); // 9.1.13 with 450 ships
  await page.keyboard.press('Enter');
  await page.fill('#fleet-edit-Sh', '451');
  await page.click('#fleet-edit-ok');
  await s.until(async () => (await page.locator('#fleet-edit-message').textContent()) !== '', 'the refusal');
  assert.equal(await page.locator('#fleet-edit-message').textContent(),
    'Die Flotte aus 9.1.13 hat 450 Schiffe, eingetragen sind 451.');
  assert.ok(await page.locator('#fleet-edit').evaluate((dialog) => dialog.open));
  await page.keyboard.press('Escape');

  await page.click('#tab-movements');
  await enterMoves(page, pasted);
  const firstCells = await page.$$eval('#moves-table tbody tr', (rows) => rows.map((tr) => tr.cells[0].textContent));
  assert.deepEqual(firstCells.filter((cell) => cell.startsWith('Atter')), ['Atter 1725 - 0 Deffer', 'Atter 1300 - 0 Deffer']);
  await told('#moves-message');
  await context.close();
});

describe('Flottenbewegungen', () => {
  test('groups show the desktop’s rows, colours and shading, appended on every press', async () => {
    const { context, page } = await s.newPage(site.browser, site.server.origin);
    await page.click('#tab-movements');
    const lines = ['100 Ships from 1.2.3 attacking 4.5.6 ETA 3', '50 Ships from 7.8.9 defending 4.5.6 ETA 2',
      '20 Ships from 2.2.2 attacking 9.9.9 [12:00 Uhr]'];
    for (const text of [lines.join('\n'), lines[0]]) await enterMoves(page, text);
    const dashes = '-'.repeat(42);
    const [black, red, green, none, grey] =
      ['rgb(0, 0, 0)', 'rgb(190, 0, 0)', 'rgb(0, 108, 0)', 'rgba(0, 0, 0, 0)', 'rgb(220, 220, 220)'];
    const label = (text) => [text, '', '', black];
    const group = (background, target, fleets, sums) =>
      [label(target), label(dashes), ...fleets, label(dashes), label(sums), label(dashes)]
        .map((cells) => [...cells, background]);
    const expected = [
      ...group(none, '4.5.6', [['100', '1.2.3', 'ETA 3', red], ['50', '7.8.9', 'ETA 2', green]], 'Atter 100 - 50 Deffer'),
      ...group(grey, '9.9.9', [['20', '2.2.2', '[12:00 Uhr]', red]], 'Atter 20 - 0 Deffer'),
      ...group(none, '4.5.6', [['100', '1.2.3', 'ETA 3', red]], 'Atter 100 - 0 Deffer'),
    ];
    const shown = await page.$$eval('#moves-table tbody tr', (rows) => rows.map((tr) =>
      [...[...tr.cells].map((cell) => cell.textContent), getComputedStyle(tr.cells[2]).color,
        getComputedStyle(tr).backgroundColor]));
    assert.deepEqual(shown, expected);
    await context.close();
  });
});

test('on a phone the lists scroll sideways in their own box, the page does not', async () => {
  const { context, page } = await planningPage({ viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true });
  await changed(page, () => page.setInputFiles('#plan-file', fixture));
  for (const tab of ['#tab-planning', '#tab-movements']) {
    await page.click(tab);
    const widths = await page.evaluate(() => {
      const box = [...document.querySelectorAll('.plan-scroll')].find((element) => element.offsetParent);
      return { page: document.documentElement.scrollWidth, box: box.scrollWidth, boxView: box.clientWidth };
    });
    assert.equal(widths.page, 390, tab);
    if (tab === '#tab-planning') assert.ok(widths.box > widths.boxView, 'the plan table scrolls sideways');
  }
  await context.close();
});

test('axe-core finds no serious, critical or landmark fault in both tabs and the fleet edit', async () => {
  const { context, page } = await planningPage({ bypassCSP: true });
  const violations = () => s.axeProblems(page);
  await changed(page, () => page.setInputFiles('#plan-file', fixture));
  await row(page, '0.0').click();
  await page.keyboard.press('Enter');
  assert.deepEqual(await violations(), []);
  await page.keyboard.press('Escape');
  await page.click('#tab-movements');
  await enterMoves(page, '100 Ships from 1.2.3 attacking 4.5.6 ETA 3\n50 Ships from 7.8.9 defending 9.9.9 ETA 2');
  assert.deepEqual(await violations(), []);
  await context.close();
});
