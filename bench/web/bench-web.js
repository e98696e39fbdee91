// Times the conversion of a generated 5 MB report of 1,000 battles in headless
// Chromium: opened as a file, converted in the page's worker. Prints the
// medians of five runs and the site's download size.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const s = require('../../tests/web/support');

const RUNS = 5;
const BATTLES = 1000;

const ships = ['Fighter', 'Corvette', 'Frigate', 'Destroyer', 'Cruiser'];
const coords = (n) => `${1 + (n % 9)}.${1 + (n % 13)}.${1 + (n % 7)}`;

// One battle of about 5 KB: ten fleets and fifty combat lines between them.
function battle(index) {
  const lines = [`${String(1 + (index % 28)).padStart(2, '0')}.03.2026 21:${String(index % 60).padStart(2, '0')}:00 Uhr Battle at [${coords(index)}] Ebene ${index}`];
  const fleets = [];
  for (let f = 0; f < 10; f++) {
    const fleet = { ship: ships[f % ships.length], name: `Flotte${f}`, at: coords(index * 10 + f), owner: `Spieler${(index + f) % 97}` };
    fleets.push(fleet);
    lines.push(`Agility ${20 + f} Speed ${3 + (f % 4)} [${100 + f}/${100 + f}] ${fleet.ship} (${fleet.name}) from ${fleet.at} ${fleet.owner}`);
  }
  for (let c = 0; c < 50; c++) {
    const shooter = fleets[c % 10];
    const target = fleets[(c + 5) % 10];
    const deed = c % 3 === 0 ? `lamed [${c % 7}/${c % 5}/${50 + c}]` : `destroyed [${c % 9}/${50 + c}]`;
    lines.push(`${shooter.ship} (${shooter.name}) ${deed} ${target.ship} (${target.name}) from ${target.at} ${target.owner}`);
  }
  return lines.join('\n') + '\n';
}

function siteSize() {
  let raw = 0;
  let gzipped = 0;
  for (const name of fs.readdirSync(s.siteDir)) {
    const bytes = fs.readFileSync(path.join(s.siteDir, name));
    raw += bytes.length;
    gzipped += zlib.gzipSync(bytes, { level: 9 }).length;
  }
  return { raw, gzipped };
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

(async () => {
  const report = Buffer.from(Array.from({ length: BATTLES }, (_, i) => battle(i)).join(''), 'latin1');
  const server = await new s.SiteServer().start();
  const browser = await s.launchBrowser();
  try {
    const { page } = await s.newPage(browser, server.origin);
    const inWorker = [];
    const endToEnd = [];
    for (let run = 0; run < RUNS; run++) {
      const started = Date.now();
      await s.convertFile(page, { name: 'gross.txt', mimeType: 'text/plain', buffer: report });
      endToEnd.push(Date.now() - started);
      inWorker.push(Number(await page.evaluate(() => document.body.dataset.lastConversionMs)));
    }
    const size = siteSize();
    console.log(`report: ${(report.length / 1e6).toFixed(2)} MB, ${BATTLES} battles, ${RUNS} runs`);
    console.log(`conversion in the worker: median ${median(inWorker).toFixed(0)} ms (${inWorker.map((v) => v.toFixed(0)).join(', ')})`);
    console.log(`file handed to the page until the preview is set (includes the driver's 4.5 MB upload): median ${median(endToEnd)} ms (${endToEnd.join(', ')})`);
    console.log(`site download: ${(size.raw / 1024).toFixed(0)} KiB, ${(size.gzipped / 1024).toFixed(0)} KiB gzip-compressed`);
    if (median(inWorker) >= 2000) process.exitCode = 1;
  } finally {
    await browser.close();
    await server.stop();
  }
})();
