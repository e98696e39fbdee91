// Bytes and texts the page shows, names and hands out.
import { formatNumber, plural, t } from './i18n.js';

const utf8 = new TextDecoder('utf-8', { fatal: true });
const windows1252 = new TextDecoder('windows-1252');

// Pages keep the report's bytes; reports that are not UTF-8 are read the way
// the game's old pages were written.
export function decodeText(bytes) {
  try {
    return utf8.decode(bytes);
  } catch {
    return windows1252.decode(bytes);
  }
}

export function formatDuration(milliseconds) {
  if (milliseconds < 1000) return t('unit.milliseconds', { value: formatNumber(Math.max(1, Math.round(milliseconds))) });
  return t('unit.seconds', { value: formatNumber(milliseconds / 1000, { maximumFractionDigits: 1 }) });
}

export function formatSize(bytes) {
  if (bytes < 1024 * 1024) return t('unit.kilobytes', { value: formatNumber(Math.max(1, Math.round(bytes / 1024))) });
  return t('unit.megabytes', { value: formatNumber(bytes / 1024 / 1024, { maximumFractionDigits: 1 }) });
}

export const battlesText = (count) => plural('battles', count);

// "[11.7.8] Sector Nine", or "[?.?.?]" when the place is hidden.
export function battlePlace(first) {
  if (!first || !first.coords) return '';
  return `[${first.coords}]${first.place ? ' ' + first.place : ''}`;
}

export function download(bytes, name, type) {
  const url = URL.createObjectURL(new Blob(Array.isArray(bytes) ? bytes : [bytes], { type }));
  const link = document.createElement('a');
  link.href = url;
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 1000);
}

// Shows `text` in a message line beside the control it concerns.
export function showMessage(element, text, kind = '') {
  element.textContent = text;
  element.classList.toggle('error', kind === 'error');
  element.classList.toggle('ok', kind === 'ok');
}
