// Converted pages are laid out for about 600 pixels; a narrower frame shows
// them zoomed to its width. The zoom is a rule inside the page, so the frame
// element itself is neither zoomed nor transformed (Chromium left a
// transformed frame black) and the rule follows the frame's width as it
// changes, a phone turned, without loading the page again.
const PAGE_WIDTH = 600;

// A browser that cannot divide lengths keeps the zoom for the width the
// frame has now; a frame not laid out yet (width 0) shows the page unzoomed.
export function fittedPage(html, frame) {
  const width = frame.clientWidth;
  const now = width > 0 ? Math.min(1, width / PAGE_WIDTH).toFixed(3) : '1';
  return `<style>html{zoom:${now};zoom:min(1,calc(100vw / ${PAGE_WIDTH}px))}</style>${html}`;
}
