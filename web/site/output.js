// The result section: the preview, the downloads and copies, the share link.
// Everything here shows one conversion, made with the switches as they
// stand; `clear` takes all of it away at once.
import { storingNote } from './archive-settings.js';
import { canShareFiles, cardPng } from './card.js';
import { constants, LINK_REPORT_LIMIT, linkFor, run, wholePageOf } from './converter.js';
import { plural, t } from './i18n.js';
import { LINK_LIMIT, linkUrl } from './link.js';
import { fittedPage } from './preview-fit.js';
import { currentOptions, hiddenList } from './settings.js';
import { battlePlace, decodeText, download, showMessage } from './text.js';

const $ = (id) => document.getElementById(id);
const ui = {
  section: $('output'),
  preview: $('preview'),
  previewEmpty: $('preview-empty'),
  titleLine: $('title-line'),
  message: $('output-message'),
  downloadPage: $('download-page'),
  openPage: $('open-page'),
  copyBbcode: $('copy-bbcode'),
  copyDiscord: $('copy-discord'),
  downloadDiscord: $('download-discord'),
  copyTitle: $('copy-title'),
  downloadJson: $('download-json'),
  shareLink: $('share-link'),
  copyCard: $('copy-card'),
  downloadCard: $('download-card'),
  shareCard: $('share-card'),
  hidden: $('share-hidden'),
  linkNote: $('link-note'),
  linkNoteText: $('link-note-text'),
  linkStore: $('link-store'),
};
const outputButtons = [
  ui.downloadPage,
  ui.copyBbcode,
  ui.copyDiscord,
  ui.copyTitle,
  ui.downloadJson,
  ui.shareLink,
  ui.copyCard,
  ui.downloadCard,
  ui.shareCard,
];

// Above this many messages copying one by one is a chore: they download as one file too.
const DISCORD_COPY_LIMIT = 20;

// {result, source, options} of the conversion shown, with its share texts
// (formats) and its link ({url} or {tooLong}), all from the one conversion.
let shown = null;
let discordNext = 0;

const message = (text, kind) => showMessage(ui.message, text, kind);

export function clear() {
  shown = null;
  for (const button of outputButtons) button.disabled = true;
  ui.downloadDiscord.hidden = true;
  ui.openPage.hidden = true;
  ui.copyDiscord.textContent = t('output.copyDiscord');
  ui.shareLink.textContent = t('output.shareLink');
  ui.titleLine.textContent = '';
  ui.titleLine.title = '';
  // Covered, not emptied: loading a blank page into the frame only to load
  // the next one a moment later would cost a navigation for nothing. Nor
  // hidden: Chromium may leave a frame black for good that was undisplayed
  // while its next page loaded (seen on high-density screens).
  ui.preview.inert = true;
  ui.previewEmpty.hidden = false;
  ui.linkNote.hidden = true;
  showHidden(currentOptions());
  message('');
}

// Beside the buttons that hand the outputs out: what they hide, or with none
// shown what the next conversion will hide. Nothing when nothing is hidden;
// without Koords no fleet counts as own, so none is hidden as such.
function showHidden(options, own) {
  const list = hiddenList({ ...options, hideOwn: options.hideOwn && options.ownCoords !== '' }, own);
  ui.hidden.textContent = list ? t('output.hidden', { list }) : '';
  ui.hidden.hidden = !list;
}

// A shared link shows with its sender's switches, which the player's own
// switches neither show nor lose. Its battles go into the archive only when
// the player asks, and only when the sender hid nothing: a text with names
// or coordinates replaced would store battles that never were.
function showLinkNote(source) {
  const list = hiddenList(source.switches, t('hidden.senderFleets'));
  ui.linkNoteText.textContent = list
    ? `${t('output.linkNote', { list })} ${t('output.linkHiddenNotStored')}`
    : t('output.linkNoteNothingHidden');
  ui.linkStore.hidden = Boolean(list);
  ui.linkNote.hidden = false;
}

// Stores the shown link's battles as if the player had converted its
// report: each battle once, the personal record as the archive's settings say.
async function storeLink() {
  const current = shown;
  ui.linkStore.disabled = true;
  try {
    const { result } = await run('takeInReport', { bytes: current.source.bytes, ownCoords: currentOptions().ownCoords });
    const note = storingNote(result, {});
    if (shown === current) message(note.text.trim() || plural('storing.stored', 0), note.error || result.archive ? 'error' : 'ok');
  } catch (error) {
    if (shown === current) message(t('storing.notStored', { reason: error.message }), 'error');
  } finally {
    ui.linkStore.disabled = false;
    // For scripts that drive the page: how many take-ins have answered.
    document.body.dataset.linkStores = String(Number(document.body.dataset.linkStores || 0) + 1);
  }
}

function firstTitleLine(formats) {
  return formats.title.length ? decodeText(formats.title).split('\n')[0].trim() : '';
}

// Shows a converted page with its share texts and link.
export function show(result, source, options) {
  const current = { result, source, options, formats: null, link: null };
  shown = current;
  // A large page shows cut down; the whole of it opens in a tab of its own.
  const cut = result.preview.length > 0;
  ui.preview.srcdoc = fittedPage(decodeText(cut ? result.preview : result.html), ui.preview.parentElement);
  ui.preview.inert = false;
  ui.previewEmpty.hidden = true;
  showHidden(options, source.fromLink && source.switches.hideOwn ? t('hidden.senderFleets') : undefined);
  if (source.fromLink) showLinkNote(source);
  ui.openPage.hidden = !cut;
  ui.downloadPage.disabled = false;
  message('');
  showFormats(current, result.formats);
  showLink(current, result.link);
}

function showFormats(current, formats) {
  current.formats = formats;
  const title = firstTitleLine(formats);
  ui.titleLine.textContent = title;
  ui.titleLine.title = title;
  discordNext = 0;
  ui.copyBbcode.disabled = formats.bbcode.length === 0;
  ui.copyTitle.disabled = formats.title.length === 0;
  ui.downloadJson.disabled = formats.json.length === 0;
  for (const button of [ui.copyCard, ui.downloadCard, ui.shareCard]) button.disabled = formats.card.length === 0;
  ui.copyDiscord.disabled = formats.discord.length === 0;
  ui.downloadDiscord.hidden = formats.discord.length <= DISCORD_COPY_LIMIT;
  ui.downloadDiscord.disabled = false;
  updateDiscordLabel();
}

function showTooLong(current, length) {
  current.link = { tooLong: true, length };
  ui.shareLink.textContent = t('output.linkTooLong');
  ui.shareLink.disabled = false;
}

// A report over LINK_REPORT_LIMIT comes without a link: it never fits one.
function showLink(current, link) {
  if (current.source.bytes.length > LINK_REPORT_LIMIT || !link) return showTooLong(current, null);
  const url = linkUrl(link.fragment, current.options);
  ui.shareLink.dataset.length = String(url.length);
  if (url.length > LINK_LIMIT) return showTooLong(current, url.length);
  current.link = { url };
  ui.shareLink.disabled = false;
}

export function scrollIntoViewOnPhones() {
  if (matchMedia('(max-width: 860px)').matches) ui.section.scrollIntoView({ behavior: 'smooth', block: 'start' });
}

async function copyText(text, done) {
  try {
    await navigator.clipboard.writeText(text);
    message(done, 'ok');
  } catch {
    message(t('output.clipboardRefused'), 'error');
  }
}

function updateDiscordLabel() {
  const count = shown && shown.formats ? shown.formats.discord.length : 0;
  ui.copyDiscord.textContent =
    count > 1 ? t('output.copyDiscordPart', { part: discordNext + 1, parts: count }) : t('output.copyDiscord');
}

const name = (extension) => `${shown.result.first.fileName}.${extension}`;

// The whole page in a tab of its own (the preview shows only its start). The
// tab opens at once, while the click still counts: browsers block a tab
// opened only after the page has come from the worker.
async function openWholePage() {
  const current = shown;
  const tab = window.open('', '_blank');
  if (!tab) {
    message(t('output.tabBlocked'), 'error');
    return;
  }
  tab.opener = null;
  let page;
  try {
    page = await wholePageOf(current.result);
  } catch {
    tab.close();
    return;
  }
  const url = URL.createObjectURL(new Blob([page], { type: 'text/html;charset=utf-8' }));
  tab.location.href = url;
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}

async function downloadPage() {
  const current = shown;
  const page = await wholePageOf(current.result).catch(() => null);
  if (page && shown === current) download(page, name('htm'), 'text/html');
}

// The messages as the command line writes them: the separator line between two.
async function discordFile() {
  const separator = new TextEncoder().encode(`${(await constants).discordSeparator}\n`);
  const newline = new Uint8Array([10]);
  return shown.formats.discord.flatMap((part, index) => (index ? [separator, part, newline] : [part, newline]));
}

// On phones the system's share sheet takes the link; elsewhere it is copied.
async function shareLink() {
  const link = shown.link;
  if (!link) return;
  if (link.tooLong) {
    // The same text a link would carry: what the switches hide is replaced.
    const current = shown;
    const { text } = await linkFor(current.source.bytes, current.options);
    if (shown !== current) return;
    download(text, name('txt'), 'text/plain;charset=utf-8');
    message(link.length ? plural('output.savedInsteadOfLink', link.length) : t('output.savedInsteadOfLongLink'), 'ok');
    return;
  }
  const title = ui.titleLine.textContent;
  if (navigator.share && matchMedia('(pointer: coarse)').matches) {
    try {
      await navigator.share({ title, text: title, url: link.url });
      return;
    } catch (error) {
      if (error.name === 'AbortError') return;
    }
  }
  await copyText(link.url, plural('output.linkCopied', link.url.length));
}

// The picture is drawn once per conversion, when first asked for.
function pngOf(current) {
  current.png ??= cardPng(decodeText(current.formats.card));
  return current.png;
}

// The clipboard takes the picture while it is still being drawn: browsers
// that want the click's activation get it.
async function copyCard(current) {
  try {
    await navigator.clipboard.write([new ClipboardItem({ 'image/png': pngOf(current) })]);
    message(t('output.cardCopied'), 'ok');
  } catch {
    message(t('output.clipboardRefused'), 'error');
  }
}

async function downloadCard(current) {
  const png = await pngOf(current).catch(() => null);
  if (!png) return message(t('output.cardFailed'), 'error');
  if (shown === current) download(png, name('png'), 'image/png');
}

async function shareCard(current) {
  const png = await pngOf(current).catch(() => null);
  if (!png) return message(t('output.cardFailed'), 'error');
  const title = ui.titleLine.textContent;
  try {
    await navigator.share({ title, files: [new File([png], name('png'), { type: 'image/png' })] });
  } catch (error) {
    if (error.name !== 'AbortError') message(t('output.shareFailed'), 'error');
  }
}

export function initOutput() {
  ui.shareCard.hidden = !canShareFiles();
  clear();
  const when = (handler) => () => shown && handler();
  const withFormats = (handler) => () => shown && shown.formats && handler(shown.formats);
  ui.downloadPage.addEventListener('click', when(downloadPage));
  ui.openPage.addEventListener('click', when(openWholePage));
  ui.downloadJson.addEventListener('click', withFormats((f) => download(f.json, name('json'), 'application/json')));
  ui.copyBbcode.addEventListener('click', withFormats((f) => copyText(decodeText(f.bbcode), t('output.bbcodeCopied'))));
  ui.copyTitle.addEventListener(
    'click',
    withFormats((f) => copyText(decodeText(f.title).trimEnd(), t('output.titleCopied'))),
  );
  // Each press copies the next message; after the last it starts again.
  ui.copyDiscord.addEventListener(
    'click',
    withFormats(async ({ discord: messages }) => {
      const index = discordNext;
      await copyText(decodeText(messages[index]), t('output.discordCopied', { part: index + 1, parts: messages.length }));
      discordNext = (index + 1) % messages.length;
      updateDiscordLabel();
    }),
  );
  ui.downloadDiscord.addEventListener(
    'click',
    withFormats(async () => download(await discordFile(), name('md'), 'text/markdown;charset=utf-8')),
  );
  ui.shareLink.addEventListener('click', when(shareLink));
  const withCard = (handler) => () => shown && shown.formats && handler(shown);
  ui.copyCard.addEventListener('click', withCard(copyCard));
  ui.downloadCard.addEventListener('click', withCard(downloadCard));
  ui.shareCard.addEventListener('click', withCard(shareCard));
  ui.linkStore.addEventListener('click', when(storeLink));
}

export { battlePlace };
