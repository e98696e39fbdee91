// Tables and the chart scroll sideways inside their own box when the screen
// is narrower than they are. A phone shows no scroll bar until the box is
// touched, so a line above the box says while more lies to either side, and
// the box's edge fades there.
import { onLanguageChange, t } from './i18n.js';

const BOXES = '.table-box, .plan-scroll, .timeline-chart';
const FOCUSABLE = 'a[href], button, input, select, textarea, [tabindex]';
// Each watched box's update, run again when the language changes.
const updates = [];

function watch(box) {
  const hint = document.createElement('p');
  hint.className = 'scroll-hint';
  hint.setAttribute('aria-hidden', 'true');
  hint.hidden = true;
  box.before(hint);
  const update = () => {
    const left = box.scrollLeft > 1;
    const right = box.scrollWidth - box.clientWidth - box.scrollLeft > 1;
    hint.hidden = !left && !right;
    const what = box.dataset.more || t('scroll.moreColumns');
    hint.textContent = t('scroll.hint', { what, left: left ? '← ' : '', right: right ? ' →' : '' });
    box.classList.toggle('more-left', left);
    box.classList.toggle('more-right', right);
    // The keyboard scrolls a box that has the focus; one holding nothing
    // focusable takes it itself.
    if ((left || right) && !box.hasAttribute('tabindex') && !box.querySelector(FOCUSABLE)) box.tabIndex = 0;
  };
  updates.push(update);
  box.addEventListener('scroll', update, { passive: true });
  // The box changes size with the screen, its content with every new row.
  const sizes = new ResizeObserver(update);
  sizes.observe(box);
  const observeContent = () => [...box.children].forEach((child) => sizes.observe(child));
  observeContent();
  new MutationObserver(() => {
    observeContent();
    update();
  }).observe(box, { childList: true });
}

onLanguageChange(() => updates.forEach((update) => update()));

// Watches every such box under `root` not watched yet.
export function watchScrollBoxes(root = document) {
  for (const box of root.querySelectorAll(BOXES)) {
    if (box.dataset.scrollWatched) continue;
    box.dataset.scrollWatched = 'true';
    watch(box);
  }
}
