// The page's sections as tabs: "Umwandeln" first, the archive, statistics
// and both planners behind it. A section's module builds its content the first
// time it is shown, so opening the page costs only the converter.
import { watchScrollBoxes } from './scroll-hint.js';

const tabs = [...document.querySelectorAll('[role="tab"]')];
const firstShown = new Map();

function panelOf(tab) {
  return document.getElementById(tab.getAttribute('aria-controls'));
}

export function showTab(id, { focus = false } = {}) {
  for (const tab of tabs) {
    const selected = tab.id === id;
    tab.setAttribute('aria-selected', String(selected));
    tab.tabIndex = selected ? 0 : -1;
    panelOf(tab).hidden = !selected;
    if (selected && focus) tab.focus();
  }
  const builds = firstShown.get(id);
  if (builds) {
    firstShown.delete(id);
    const panel = panelOf(document.getElementById(id));
    builds.forEach((build) => build(panel));
    watchScrollBoxes(panel);
  }
}

// `build(panel)` runs once, when the tab is first shown; a tab whose panel
// has several sections runs each one's.
export function onFirstShown(id, build) {
  firstShown.set(id, [...(firstShown.get(id) || []), build]);
  if (document.getElementById(id).getAttribute('aria-selected') === 'true') showTab(id);
}

// Arrow keys, Home and End move between the tabs, as screen readers expect.
function keyTarget(key, index) {
  const moves = { ArrowRight: index + 1, ArrowLeft: index - 1, Home: 0, End: tabs.length - 1 };
  return key in moves ? tabs[(moves[key] + tabs.length) % tabs.length] : null;
}

export function initTabs() {
  watchScrollBoxes();
  tabs.forEach((tab, index) => {
    tab.addEventListener('click', () => showTab(tab.id));
    tab.addEventListener('keydown', (event) => {
      const target = keyTarget(event.key, index);
      if (!target) return;
      event.preventDefault();
      showTab(target.id, { focus: true });
    });
  });
}
