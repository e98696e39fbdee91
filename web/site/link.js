// Share links: the report (with what the switches hide replaced) compressed
// into the link's fragment, after "#", which browsers never send to a server.

// Longer links break in chats and forums; such a report goes out as a file.
export const LINK_LIMIT = 8000;

const FLAGS = { hideOwn: 'o', hideNames: 'n', hideCoords: 'c' };

export function linkUrl(fragment, options) {
  const flags = Object.entries(FLAGS)
    .filter(([name]) => options[name])
    .map(([, letter]) => letter)
    .join('');
  return `${location.origin}${location.pathname}#r=${fragment}${flags ? '&h=' + flags : ''}`;
}

function fromBase64url(text) {
  const binary = atob(text.replace(/-/g, '+').replace(/_/g, '/'));
  return Uint8Array.from(binary, (c) => c.charCodeAt(0));
}

// A link never carries more than this; a fragment that unpacks to more is
// refused rather than filling the memory.
const MAX_REPORT = 64 * 1024 * 1024;

async function inflate(bytes) {
  const reader = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate')).getReader();
  const chunks = [];
  let size = 0;
  for (let read = await reader.read(); !read.done; read = await reader.read()) {
    size += read.value.length;
    if (size > MAX_REPORT) {
      await reader.cancel();
      throw new Error('too large');
    }
    chunks.push(read.value);
  }
  return new Uint8Array(await new Blob(chunks).arrayBuffer());
}

// The report and switches a link carries, or null when the page was opened
// without one. Throws when the fragment is damaged.
export async function readLink(hash) {
  const fields = new URLSearchParams(hash.replace(/^#/, ''));
  const data = fields.get('r');
  if (!data) return null;
  const flags = fields.get('h') || '';
  const switches = {};
  for (const [name, letter] of Object.entries(FLAGS)) switches[name] = flags.includes(letter);
  return { bytes: await inflate(fromBase64url(data)), switches };
}
