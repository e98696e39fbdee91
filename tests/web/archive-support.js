// Driving the archive in the page, for the archive tests and the benchmark:
// a tab that has read the archive's settings, storing switched on, the
// archive file downloaded and loaded through its buttons.
'use strict';
const assert = require('node:assert/strict');
const s = require('./support');

const bodyData = (page, name) => page.evaluate((key) => document.body.dataset[key] || '', name);
const counter = async (page, name) => Number(await bodyData(page, name));

// A new tab of `context`; `writable` waits until it holds the archive.
async function openArchiveTab(context, origin, { writable = false } = {}) {
  const page = await context.newPage();
  await page.goto(origin + '/');
  await archiveSettingsShown(page, writable ? ['writable'] : ['writable', 'elsewhere']);
  return page;
}

const archiveSettingsShown = (page, states = ['writable']) =>
  s.until(async () => states.includes(await bodyData(page, 'archiveSettings')), `the archive settings (${states})`, 60000);

// Runs `act` and waits until the page's counter `name` has gone up.
async function counted(page, name, act, timeoutMs = 60000) {
  const before = await counter(page, name);
  await act();
  await s.until(async () => (await counter(page, name)) > before, name, timeoutMs);
}

// Koords, "Kämpfe speichern" and "Persönliche Statistik führen", each saved.
async function switchStoringOn(page, ownCoords) {
  await counted(page, 'archiveWrites', async () => {
    await page.fill('#own-coords', ownCoords);
    await page.press('#own-coords', 'Tab');
  });
  for (const label of ['Kämpfe speichern', 'Persönliche Statistik führen'])
    await counted(page, 'archiveWrites', () => page.getByLabel(label).check());
}

async function downloadArchive(page) {
  await page.click('#tab-archive');
  const { name, bytes } = await s.downloadFile(page, 'role=button[name="Archiv sichern (Data.dat)"]');
  assert.equal(name, 'Data.dat');
  return bytes;
}

// Chooses `file` through "Archiv laden (Data.dat)…", confirms the question
// unless told not to, and gives the section's message.
async function loadArchiveFile(page, file, { confirm = true } = {}) {
  await page.click('#tab-archive');
  await counted(page, 'archiveLoads', async () => {
    const [chooser] = await Promise.all([
      page.waitForEvent('filechooser'),
      page.getByRole('button', { name: 'Archiv laden (Data.dat)…' }).click(),
    ]);
    await chooser.setFiles(file);
    if (confirm) await page.getByRole('button', { name: 'Archiv ersetzen' }).click({ timeout: 120000 });
  }, 300000);
  return page.locator('#archive-file-message').textContent();
}

module.exports = { bodyData, counted, openArchiveTab, archiveSettingsShown, switchStoringOn, downloadArchive, loadArchiveFile };
