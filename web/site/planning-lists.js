// What the two planning tabs share: the desktop lists' colour palette, the
// worker call that gives only the result, and tables built from cell texts.
import { run } from './converter.js';

// The desktop's palette slots 1 to 7; slot 0 is the list's own colour. Red
// and green are a shade darker than the desktop's, so their text stays
// readable (contrast 4.5:1) on white and on the grey shading.
const PALETTE = ['', '#000000', '#808080', '#be0000', '#0000ff', '#006c00', '#ffffff', '#dcdcdc'];
export const paletteColour = (slot) => PALETTE[slot] || '';

export const call = (job, message) => run(job, message).then(({ result }) => result);
export const utf8 = (text) => new TextEncoder().encode(text);
export const fileBytes = async (file) => new Uint8Array(await file.arrayBuffer());

// A table row of `cells`, every cell in `textSlot`'s colour unless `firstOnly`,
// on `backgroundSlot`'s colour.
export function tableRow(cells, { textSlot = 0, backgroundSlot = 0, firstOnly = false } = {}) {
  const row = document.createElement('tr');
  cells.forEach((text, column) => {
    const cell = document.createElement('td');
    cell.textContent = text;
    if (!firstOnly || column === 0) cell.style.color = paletteColour(textSlot);
    row.append(cell);
  });
  row.style.backgroundColor = paletteColour(backgroundSlot);
  return row;
}

// Marks a panel's change for scripts that drive the page.
export function countUpdate(panel) {
  panel.dataset.updates = String(Number(panel.dataset.updates || 0) + 1);
}
