// The reports the browser must convert exactly as the command line does: the
// bundled samples, the malformed corpus, and variants made from them.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const { root } = require('./support');

const sampleDir = path.join(root, 'samples');
const corpusDir = path.join(root, 'tests/data');

function reportFiles(folder) {
  return fs
    .readdirSync(folder)
    .filter((name) => name.endsWith('.txt') && name !== 'outgoings.txt')
    .map((name) => path.join(folder, name));
}

const windows1252 = new TextDecoder('windows-1252');
const toCrlf = (bytes) => Buffer.from(bytes.toString('latin1').replace(/\r?\n/g, '\r\n'), 'latin1');
const toUtf8 = (bytes) => Buffer.from(windows1252.decode(bytes), 'utf8');

// Places and names with umlauts, sharp s and the euro sign as the game's
// Windows-1252 files carry them.
function withWindows1252Names(bytes) {
  return Buffer.from(
    bytes
      .toString('latin1')
      .replace(/Nebelbank|Kalte Ebene|Eisnebel S.d/g, 'Gr\xfcne \xc4u\xdferste H\xf6he \x80')
      .replace(/ Torvik| Halvard| Ragnar/g, ' J\xf6rg M\xfcller'),
    'latin1');
}

// A report of over two 300,000-byte chunks with NUL padding across the first
// chunk's end and inside the second: each chunk stops at its first NUL.
function withNulPaddingAcrossChunks(bytes) {
  const copies = [];
  let size = 0;
  while (size < 700000) {
    copies.push(bytes);
    size += bytes.length;
  }
  const report = Buffer.concat(copies);
  report.fill(0, 299990, 300020);
  report.fill(0, 450000, 450010);
  return report;
}

// Writes the generated variants into `folder`; returns every report to test.
function allReports(folder) {
  const samples = reportFiles(sampleDir);
  const generated = [];
  const write = (name, bytes) => {
    const file = path.join(folder, name);
    fs.writeFileSync(file, bytes);
    generated.push(file);
  };
  for (const file of samples) {
    const bytes = fs.readFileSync(file);
    const base = path.basename(file, '.txt');
    write(`${base}-crlf.txt`, toCrlf(bytes));
    write(`${base}-utf8.txt`, toUtf8(bytes));
    write(`${base}-cp1252.txt`, withWindows1252Names(bytes));
  }
  const opera = withWindows1252Names(fs.readFileSync(path.join(sampleDir, 'opera-copy.txt')));
  write('opera-cp1252-crlf.txt', toCrlf(opera));
  write('nul-chunks.txt', withNulPaddingAcrossChunks(fs.readFileSync(path.join(sampleDir, 'several-battles.txt'))));
  return [...samples, ...reportFiles(corpusDir), ...generated];
}

// A generated report of `count` battles of about 5 KB each: ten fleets and
// fifty combat lines, names and places numbered so no two battles are alike.
function largeReport(count) {
  const ships = ['Fighter', 'Corvette', 'Frigate', 'Destroyer', 'Cruiser'];
  const coords = (n) => `${1 + (n % 9)}.${1 + (n % 13)}.${1 + (n % 7)}`;
  const battle = (index) => {
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
  };
  return Buffer.from(Array.from({ length: count }, (_, i) => battle(i)).join(''), 'latin1');
}

// The sample of three battles `copies` times over, each copy with its own
// names and coordinates, so it compresses no better than real reports.
function variedBattles(copies) {
  const text = fs.readFileSync(path.join(sampleDir, 'several-battles.txt')).toString('latin1');
  const parts = [];
  for (let i = 0; i < copies; i++)
    parts.push(text.replace(/(Halvard|Brisa|Ulla|Nordwind|Rabe|Fels)/g, `$1${i}`).replace(/\b(\d)\.(\d)\.(\d)\b/g, (_, a, b, c) => `${a}.${b}.${(Number(c) + i) % 15}`));
  return Buffer.from(parts.join(''), 'latin1');
}

module.exports = { sampleDir, corpusDir, allReports, largeReport, variedBattles };
