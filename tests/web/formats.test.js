// The share formats in the page equal the command line's `convert --format`:
// copied texts on the clipboard, the JSON download, and the redaction switches.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { after, before, describe, test } = require('node:test');
const s = require('./support');
const { allReports } = require('./reports');

let session;
let page;
let separator;

before(async () => {
  separator = (await s.loadModule()).discordSeparator();
  session = await s.openSession();
  page = session.page;
});
after(() => session?.close());

const clipboard = () => page.evaluate(() => navigator.clipboard.readText());
const cliText = (report, format, extra = []) => s.cliOutput(report, ['--format', format, ...extra]).toString('utf8');

async function copied(selector) {
  await page.evaluate(() => navigator.clipboard.writeText(''));
  await page.click(selector);
  await s.until(async () => (await clipboard()) !== '', `the copy of ${selector}`);
  return clipboard();
}

// The command line prints Discord messages with a separator line between them.
function discordMessages(printed) {
  return printed.replace(/\n$/, '').split(`\n${separator}\n`);
}

async function copiedDiscordMessages(count) {
  const messages = [];
  for (let index = 0; index < count; index++) messages.push(await copied('#copy-discord'));
  return messages;
}

describe('share formats', () => {
  test('every report gives the command line’s BBCode, Discord messages, title lines and JSON', async () => {
    for (const report of allReports(session.folder)) {
      const name = path.basename(report);
      await s.convertFile(page, report);
      assert.equal(await copied('#copy-bbcode'), cliText(report, 'bbcode'), `${name}: BBCode`);
      assert.equal(await copied('#copy-title'), cliText(report, 'title').replace(/\n$/, ''), `${name}: title`);
      const expected = discordMessages(cliText(report, 'discord'));
      assert.deepEqual(await copiedDiscordMessages(expected.length), expected, `${name}: Discord`);
      const json = await s.downloadBytes(page, '#download-json');
      assert.ok(json.equals(s.cliOutput(report, ['--format', 'json'])), `${name}: JSON`);
    }
  });

  test('Discord copies go through the messages one by one and say which; many download as one file', async () => {
    const battles = fs.readFileSync(path.join(s.root, 'samples/several-battles.txt'));
    const long = path.join(session.folder, 'long.txt');
    fs.writeFileSync(long, Buffer.concat(Array(40).fill(battles)));
    await s.convertFile(page, long);
    await s.until(async () => !(await page.locator('#copy-discord').isDisabled()), 'the share texts');
    const expected = discordMessages(cliText(long, 'discord'));
    assert.ok(expected.length > 2, 'the report should need several messages');
    assert.equal(await page.locator('#copy-discord').textContent(), `Für Discord kopieren (1/${expected.length})`);
    assert.equal(await copied('#copy-discord'), expected[0]);
    assert.equal(await s.outputMessage(page), `Discord-Nachricht 1 von ${expected.length} kopiert.`);
    assert.equal(await page.locator('#copy-discord').textContent(), `Für Discord kopieren (2/${expected.length})`);
    assert.ok(expected.length > 20, 'enough messages for the download');
    const file = await s.downloadFile(page, '#download-discord');
    assert.ok(file.bytes.equals(s.cliOutput(long, ['--format', 'discord'])));
    assert.match(file.name, /^Kampf 3\.3\.3 2026-05-17\.md$/);
  });

  test('the switches hide names and coordinates as the command line does', async () => {
    const report = path.join(s.root, 'samples/several-battles.txt');
    await s.convertFile(page, report);
    await s.converted(page, () => page.check('#hide-names'));
    await s.converted(page, () => page.check('#hide-coords'));
    const flags = ['--hide-names', '--hide-coords'];
    assert.ok((await s.downloadBytes(page, '#download-page')).equals(s.cliOutput(report, flags)));
    assert.equal(await copied('#copy-bbcode'), cliText(report, 'bbcode', flags));
    assert.ok((await s.downloadBytes(page, '#download-json')).equals(s.cliOutput(report, ['--format', 'json', ...flags])));

    await page.reload();
    assert.ok(await page.isChecked('#hide-names'), 'the switches are kept');
    await page.uncheck('#hide-names');
    await page.uncheck('#hide-coords');
  });

  test('hiding the own fleets leaves their owner nowhere', async () => {
    const report = path.join(s.root, 'samples/several-battles.txt');
    await page.fill('#own-coords', '3.3.3');
    await page.check('#hide-own');
    await s.convertFile(page, report);
    const outputs = [
      (await s.downloadBytes(page, '#download-page')).toString('utf8'),
      await copied('#copy-bbcode'),
      await copied('#copy-title'),
      (await s.downloadBytes(page, '#download-json')).toString('utf8'),
    ];
    for (const output of outputs) assert.doesNotMatch(output, /Halvard/);
    await page.reload();
    assert.equal(await page.inputValue('#own-coords'), '3.3.3', 'Koords is kept');
  });
});
