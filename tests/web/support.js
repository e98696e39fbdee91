// Shared by the browser tests and the benchmark: the built site served from
// a local server that logs every request, the system's Chromium driven
// headless, and the native command line as the reference.
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const Module = require('node:module');
const os = require('node:os');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const { after, before } = require('node:test');
const { chromium } = require('playwright-core');

const root = path.resolve(__dirname, '../..');
const siteDir = path.resolve(process.env.SKARNWALD_SITE || path.join(root, 'build/web/site'));
const cliPath = process.env.SKARNWALD_CLI || path.join(root, 'build/cli/src/cli/skarnwald-cli');
// The command line follows the machine's locale and a language remembered
// with --lang; as the reference for the site's German pages it speaks German.
const cliEnv = {
  ...process.env, LANGUAGE: '', LC_ALL: '', LC_MESSAGES: '', LANG: 'de_DE.UTF-8',
  XDG_CONFIG_HOME: path.join(os.tmpdir(), 'skarnwald-tests-no-config'),
};

const contentTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.css': 'text/css',
  '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.jpg': 'image/jpeg',
  '.webmanifest': 'application/manifest+json',
};

// A static server for the site folder on 127.0.0.1; `requests` lists every
// URL asked for. It can stop and start again on the same port.
class SiteServer {
  constructor() {
    this.requests = [];
    // Further files by URL path, served from memory (an archive to load).
    this.files = new Map();
    this.port = 0;
    this.server = null;
  }
  async start() {
    this.server = http.createServer((request, response) => {
      this.requests.push(request.url);
      const name = decodeURIComponent(new URL(request.url, 'http://x').pathname).replace(/^\/$/, '/index.html');
      if (this.files.has(name)) {
        response.writeHead(200, { 'Content-Type': contentTypes[path.extname(name)] || 'application/octet-stream' });
        response.end(this.files.get(name));
        return;
      }
      const file = path.join(siteDir, path.normalize(name));
      if (!file.startsWith(siteDir) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
        response.writeHead(404).end();
        return;
      }
      response.writeHead(200, { 'Content-Type': contentTypes[path.extname(file)] || 'application/octet-stream' });
      response.end(fs.readFileSync(file));
    });
    await new Promise((resolve) => this.server.listen(this.port, '127.0.0.1', resolve));
    this.port = this.server.address().port;
    this.origin = `http://127.0.0.1:${this.port}`;
    return this;
  }
  async stop() {
    this.server.closeAllConnections();
    await new Promise((resolve) => this.server.close(resolve));
  }
}

const chromiumArgs = [
  '--no-sandbox',
  '--disable-gpu',
  '--disable-quic',
  '--no-first-run',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
];

// Playwright gives every launch a fresh profile folder of its own. Every
// context's browser speaks German unless it is given a `locale`, so tests
// that read the page's texts never depend on the machine's language.
async function launchBrowser() {
  const browser = await chromium.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true, args: chromiumArgs });
  const newContext = browser.newContext.bind(browser);
  browser.newContext = (options = {}) => newContext({ locale: 'de-DE', ...options });
  return browser;
}

// `options` go to the browser context: a phone's viewport and touch, or
// bypassCSP for injecting the accessibility checker.
async function newPage(browser, origin, options = {}) {
  const context = await browser.newContext({ acceptDownloads: true, ...options });
  await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin });
  const page = await context.newPage();
  await page.goto(origin + '/');
  return { context, page };
}

// What `skarnwald-cli convert` writes for a report file, with a fresh
// database so no earlier settings apply.
function cliOutput(reportFile, extraArgs = []) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'skarnwald-cli-'));
  try {
    const database = path.join(folder, 'Data.dat');
    return execFileSync(cliPath, ['convert', reportFile, '--db', database, ...extraArgs],
      { cwd: folder, env: cliEnv, maxBuffer: 1 << 30 });
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

// The converter module itself, in Node. The site's loader is an ES module
// for the worker; without its export line it is the script Node loads as
// CommonJS. It cannot fetch the .wasm here, so the bytes are handed in.
function loadModule() {
  const file = path.join(siteDir, 'skarnwald.js');
  const loader = new Module(file, module);
  loader.filename = file;
  loader.paths = module.paths;
  loader._compile(fs.readFileSync(file, 'utf8').replace(/^export default createSkarnwald;$/m, ''), file);
  return loader.exports({ wasmBinary: fs.readFileSync(path.join(siteDir, 'skarnwald.wasm')) });
}

function tempFolder() {
  return fs.mkdtempSync(path.join(os.tmpdir(), 'skarnwald-web-'));
}

const conversionsSoFar = (page) => page.evaluate(() => Number(document.body.dataset.conversions || 0));

// Polls from here: the page's policy forbids the eval that waitForFunction needs.
async function until(check, what, timeoutMs = 30000) {
  const deadline = Date.now() + timeoutMs;
  while (!(await check())) {
    if (Date.now() > deadline) throw new Error(`timed out waiting for ${what}`);
    await new Promise((resolve) => setTimeout(resolve, 20));
  }
}
const conversionsAbove = (page, count) =>
  until(async () => (await conversionsSoFar(page)) > count, 'the conversion');

// Runs `start` (which begins a conversion) and waits until it has ended.
async function converted(page, start) {
  const before = await conversionsSoFar(page);
  await start();
  await conversionsAbove(page, before);
}

// One served site, browser and page for a whole test file, with a scratch folder.
async function openSession() {
  const folder = tempFolder();
  const server = await new SiteServer().start();
  const browser = await launchBrowser();
  const { page } = await newPage(browser, server.origin);
  return {
    folder,
    server,
    browser,
    page,
    async close() {
      await browser.close();
      await server.stop();
      fs.rmSync(folder, { recursive: true, force: true });
    },
  };
}

// Opens a file through "Datei öffnen", which converts it at once.
const convertFile = (page, file) => converted(page, () => page.setInputFiles('#file', file));

// Pastes text into the report field and presses "Umwandeln".
const convertText = (page, text) =>
  converted(page, async () => {
    await page.fill('#report', text);
    await page.click('#convert');
  });

async function downloadBytes(page, selector) {
  return (await downloadFile(page, selector)).bytes;
}

async function downloadFile(page, selector) {
  const [download] = await Promise.all([page.waitForEvent('download'), page.click(selector)]);
  return { name: download.suggestedFilename(), bytes: fs.readFileSync(await download.path()) };
}

// The text of the message line under "Umwandeln" and beside the outputs.
const inputMessage = (page) => page.locator('#input-message').textContent();
const outputMessage = (page) => page.locator('#output-message').textContent();

// The share link once the worker has made it, read from the clipboard.
async function sharedLink(page) {
  await until(async () => !(await page.locator('#share-link').isDisabled()), 'the share link');
  await page.evaluate(() => navigator.clipboard.writeText(''));
  await page.click('#share-link');
  await until(async () => (await page.evaluate(() => navigator.clipboard.readText())) !== '', 'the copied link');
  return page.evaluate(() => navigator.clipboard.readText());
}

// The report text a link carries, and its switches.
function decodeLink(link) {
  const fields = new URLSearchParams(new URL(link).hash.slice(1));
  const data = Buffer.from(fields.get('r').replace(/-/g, '+').replace(/_/g, '/'), 'base64');
  return { text: require('node:zlib').inflateSync(data).toString('utf8'), flags: fields.get('h') || '' };
}

// Puts `files` ({name: bytes}) where the page keeps its archive, the
// browser's private file system, from a blank page of the same origin (the
// site itself would open an archive of its own meanwhile), which fetches
// them from `server`; then runs `beforeSite(page)`, if given, and opens the
// site in that page.
async function siteWithFiles(context, server, files, beforeSite = async () => {}) {
  server.files.set('/blank.html', '<!doctype html><title>Archiv laden</title>');
  for (const [name, bytes] of Object.entries(files)) server.files.set(`/to-load/${name}`, bytes);
  const page = await context.newPage();
  await page.goto(`${server.origin}/blank.html`);
  await page.evaluate(async (names) => {
    for (const name of names) {
      const file = await (await navigator.storage.getDirectory()).getFileHandle(name, { create: true });
      await (await fetch(`to-load/${name}`)).body.pipeTo(await file.createWritable());
    }
  }, Object.keys(files));
  await beforeSite(page);
  await page.goto(`${server.origin}/`);
  return page;
}

// A fresh page whose archive is `bytes` (a Data.dat); `options` go to the
// browser context.
async function pageWithArchive(browser, server, bytes, options = {}) {
  const context = await browser.newContext({ acceptDownloads: true, ...options });
  return { context, page: await siteWithFiles(context, server, { 'Data.dat': bytes }) };
}

// A browser of its own with a profile on disk in `folder`, whose private
// file system lies in files as a player's does.
function launchProfile(folder) {
  return chromium.launchPersistentContext(folder, {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true, args: chromiumArgs, acceptDownloads: true, locale: 'de-DE',
  });
}

// What axe-core finds that counts: serious and critical faults, and every
// landmark fault of any weight. The converted pages in the frames keep the
// game's markup and are left out. The page needs bypassCSP for the script.
async function axeProblems(page) {
  if (!(await page.evaluate(() => 'axe' in window))) await page.addScriptTag({ path: require.resolve('axe-core/axe.min.js') });
  return page.evaluate(async () => {
    const result = await axe.run({ exclude: [['#preview'], ['#archive-preview']] }, { resultTypes: ['violations'] });
    return result.violations
      .filter((v) => ['serious', 'critical'].includes(v.impact) || v.id.startsWith('landmark') || v.id === 'region')
      .map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(', ')}`);
  });
}

// How far the page in a preview frame scrolls sideways: 0 when it is zoomed
// to the frame's width.
const sidewaysInFrame = (page, selector) =>
  page.locator(selector).evaluate((frame) => {
    frame.contentWindow.scrollTo(100000, 0);
    return frame.contentWindow.scrollX;
  });

// One served site and one browser for a whole test file, started before its
// first test and closed after its last; read them inside tests.
function siteAndBrowser() {
  const site = {};
  before(async () => {
    site.server = await new SiteServer().start();
    site.browser = await launchBrowser();
  });
  after(async () => {
    await site.browser?.close();
    await site.server?.stop();
  });
  return site;
}

module.exports = {
  siteAndBrowser,
  root, siteDir, cliPath, cliEnv, loadModule, SiteServer, launchBrowser, launchProfile, newPage, siteWithFiles, pageWithArchive, cliOutput, tempFolder, openSession, until,
  converted, convertFile, convertText, downloadBytes, downloadFile, inputMessage, outputMessage, sharedLink, decodeLink, axeProblems, sidewaysInFrame,
};
