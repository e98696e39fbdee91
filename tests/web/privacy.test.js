// What a hide switch hides stays hidden in every output: the page, the copies,
// the downloads, the picture and the share link, after the switch was changed on a shown
// conversion and after a history entry was opened again.
'use strict';
const assert = require('node:assert/strict');
const path = require('node:path');
const { test } = require('node:test');
const s = require('./support');

const report = path.join(s.root, 'samples/several-battles.txt');

const site = s.siteAndBrowser();

async function copied(page, selector) {
  await page.evaluate(() => navigator.clipboard.writeText(''));
  await page.click(selector);
  await s.until(async () => (await page.evaluate(() => navigator.clipboard.readText())) !== '', selector);
  return page.evaluate(() => navigator.clipboard.readText());
}

// The card's SVG as the page draws it, without the font written into it.
async function cardText(page) {
  await page.evaluate(() => {
    const create = URL.createObjectURL;
    window.cardSvg = null;
    URL.createObjectURL = (blob) => {
      if (blob.type === 'image/svg+xml') window.cardSvg = blob;
      return create(blob);
    };
  });
  await s.downloadBytes(page, '#download-card');
  return (await page.evaluate(() => window.cardSvg.text())).replace(/<style>.*?<\/style>/s, '');
}

// Every output of the conversion shown, by name.
async function allOutputs(page) {
  const discordCount = Number(((await page.locator('#copy-discord').textContent()).match(/\/(\d+)\)/) || [0, 1])[1]);
  const discord = [];
  for (let index = 0; index < discordCount; index++) discord.push(await copied(page, '#copy-discord'));
  return {
    page: (await s.downloadBytes(page, '#download-page')).toString('utf8'),
    json: (await s.downloadBytes(page, '#download-json')).toString('utf8'),
    bbcode: await copied(page, '#copy-bbcode'),
    title: await copied(page, '#copy-title'),
    discord: discord.join('\n'),
    link: s.decodeLink(await s.sharedLink(page)).text,
    card: await cardText(page),
  };
}

const words = (...list) => list.map((word) => new RegExp(word.replace(/\./g, ' ?\\. ?')));
const cases = [
  { name: 'own fleets', box: '#hide-own', koords: '[3. 3. 3]', hidden: words('Halvard', 'Nordwind', '3.3.3', 'Kalte Ebene'), kept: words('Brisa', '7.2.5') },
  { name: 'names', box: '#hide-names', hidden: words('Halvard', 'Brisa', 'Ulla', 'Nordwind', 'Rabe', 'Fels'), kept: words('Kalte Ebene') },
  { name: 'coordinates', box: '#hide-coords', hidden: words('3.3.3', '7.2.5', '6.6.6', 'Kalte Ebene'), kept: words('Halvard') },
];

for (const c of cases) {
  test(`hidden ${c.name} stay hidden in every output, also after a switch change and from the history`, async () => {
    const { context, page } = await s.newPage(site.browser, site.server.origin);
    if (c.koords) {
      await page.fill('#own-coords', c.koords);
      await page.locator('#own-coords').blur();
    }
    await s.convertFile(page, report);
    assert.match((await s.downloadBytes(page, '#download-page')).toString('utf8'), c.hidden[0], 'shown before the switch');

    const check = (outputs, when) => {
      for (const [output, text] of Object.entries(outputs)) {
        for (const word of c.hidden) assert.doesNotMatch(text, word, `${when}: ${output}`);
        if (output === 'page' || output === 'link')
          for (const word of c.kept) assert.match(text, word, `${when}: ${output} keeps the rest`);
      }
    };
    await s.converted(page, () => page.check(c.box));
    check(await allOutputs(page), 'after the switch');
    await s.converted(page, () => page.locator('#history-list li').first().getByRole('button', { name: /^Öffnen/ }).click());
    assert.ok(await page.isChecked(c.box));
    check(await allOutputs(page), 'from the history');
    await context.close();
  });
}

// A link keeps what its sender hid, whatever the receiver's switches; what
// the receiver switches on afterwards hides more. The receiver's own switches
// show unchanged and warn about nothing.
const names = words('Halvard', 'Brisa', 'Ulla', 'Nordwind', 'Rabe', 'Fels');
const coords = words('3.3.3', '7.2.5', '6.6.6', 'Kalte Ebene');
const ownAt333 = words('Halvard', 'Nordwind', '3.3.3', 'Kalte Ebene');
const linkCases = [
  { sent: ['#hide-names'], then: [], hidden: names },
  { sent: ['#hide-coords'], then: ['#hide-names'], hidden: [...coords, ...names] },
  { sent: ['#hide-names'], then: ['#hide-coords', '#hide-coords'], hidden: names },
  { sent: ['#hide-own'], senderKoords: '3.3.3', then: [], hidden: ownAt333 },
  { sent: ['#hide-own'], senderKoords: '3.3.3', koords: '7.2.5', then: ['#hide-own'], hidden: [...ownAt333, ...words('Brisa', 'Rabe', '7.2.5')] },
];

async function withKoords(page, koords) {
  if (!koords) return;
  await page.fill('#own-coords', koords);
  await page.locator('#own-coords').blur();
}

test('a link’s switches stay on for its report in every output, also after the receiver’s switches change', async () => {
  for (const c of linkCases) {
    const what = `sent ${c.sent}, then ${c.then}`;
    const sender = await s.newPage(site.browser, site.server.origin);
    await withKoords(sender.page, c.senderKoords);
    for (const box of c.sent) await sender.page.check(box);
    await s.convertFile(sender.page, report);
    const link = await s.sharedLink(sender.page);
    await sender.context.close();

    const { context, page } = await s.newPage(site.browser, site.server.origin);
    await withKoords(page, c.koords);
    await s.converted(page, () => page.goto(link));
    for (const box of c.then) await s.converted(page, () => page.click(box));
    for (const box of c.sent) assert.equal(await page.isChecked(box), c.then.filter((b) => b === box).length % 2 === 1, `${what}: ${box}`);
    assert.equal(await page.locator('#hide-own-message').textContent(), '', `${what}: no warning`);
    for (const [output, text] of Object.entries(await allOutputs(page)))
      for (const word of c.hidden) assert.doesNotMatch(text, word, `${what}: ${output}`);
    await context.close();
  }
});
