// Reports that reach the installed app from outside: shared from another
// app through the system's share menu (the service worker keeps them until
// the page opens), or opened with it as a file.
import { loadChosen } from './archive-file.js';
import { showTab } from './tabs.js';

const SHARED = 'skarnwald-shared';
const SHARED_REPORT = 'shared-report';

// Taken once: the marker leaves the address, so reloading does not convert again.
async function takeShared() {
  const params = new URLSearchParams(location.search);
  if (!params.has('shared')) return null;
  params.delete('shared');
  const query = params.toString();
  history.replaceState(history.state, '', `${location.pathname}${query ? `?${query}` : ''}${location.hash}`);
  if (!('caches' in self)) return null;
  const cache = await caches.open(SHARED);
  const response = await cache.match(SHARED_REPORT);
  if (!response) return null;
  const bytes = new Uint8Array(await response.arrayBuffer());
  await cache.delete(SHARED_REPORT);
  return { name: decodeURIComponent(response.headers.get('X-Report-Name') || ''), bytes };
}

// `source` is the report section (see initSource): a shared report or text
// file is converted as an opened file is; an archive file goes to
// "Archiv laden", which checks it and asks before it replaces anything.
export function initIncoming(source) {
  takeShared()
    .then((shared) => shared && source.load(shared))
    .catch(() => {});
  if (!('launchQueue' in window)) return;
  window.launchQueue.setConsumer(async ({ files }) => {
    for (const handle of files || []) {
      const file = await handle.getFile();
      if (/\.dat$/i.test(file.name)) {
        showTab('tab-archive');
        loadChosen(file);
      } else {
        source.readFile(file);
      }
    }
  });
}
