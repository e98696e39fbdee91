// The battle as a picture: the converter's summary card (SVG) drawn to PNG at
// twice its size, as the desktop and the command line draw it.
const SCALE = 2;
const FONTS = [
  { file: 'fonts/DejaVuSans.ttf', weight: 'normal' },
  { file: 'fonts/DejaVuSans-Bold.ttf', weight: 'bold' },
];

function dataUrl(blob) {
  return new Promise((resolve, reject) => {
    const reader = new FileReader();
    reader.onload = () => resolve(reader.result);
    reader.onerror = () => reject(reader.error);
    reader.readAsDataURL(blob);
  });
}

// An SVG drawn as an image loads nothing from outside itself, so the card's
// font goes into it as data. Read once: the files are large and never change.
let fontStyle = null;
function cardFontStyle(family) {
  fontStyle ??= Promise.all(
    FONTS.map(async ({ file, weight }) => {
      const response = await fetch(file);
      if (!response.ok) throw new Error(`${file}: ${response.status}`);
      const url = await dataUrl(new Blob([await response.arrayBuffer()], { type: 'font/ttf' }));
      return `@font-face{font-family:'${family}';font-weight:${weight};src:url(${url}) format('truetype')}`;
    }),
  )
    .then((faces) => `<style>${faces.join('')}</style>`)
    .catch((error) => {
      fontStyle = null;
      throw error;
    });
  return fontStyle;
}

// The card's own family is the one it names: the faces are declared under it.
function withFonts(svg, style) {
  const openingEnd = svg.indexOf('>', svg.indexOf('<svg')) + 1;
  return svg.slice(0, openingEnd) + style + svg.slice(openingEnd);
}

async function loadedImage(svg) {
  const url = URL.createObjectURL(new Blob([svg], { type: 'image/svg+xml' }));
  try {
    const image = new Image();
    image.src = url;
    await image.decode();
    return image;
  } finally {
    URL.revokeObjectURL(url);
  }
}

// The PNG (a Blob) of the card's SVG text.
export async function cardPng(svg) {
  const family = /font-family="([^"]*)"/.exec(svg)?.[1] ?? 'DejaVu Sans';
  const image = await loadedImage(withFonts(svg, await cardFontStyle(family)));
  const canvas = document.createElement('canvas');
  canvas.width = image.naturalWidth * SCALE;
  canvas.height = image.naturalHeight * SCALE;
  canvas.getContext('2d').drawImage(image, 0, 0, canvas.width, canvas.height);
  return new Promise((resolve, reject) =>
    canvas.toBlob((png) => (png ? resolve(png) : reject(new Error('PNG'))), 'image/png'),
  );
}

// Phones hand a file to the system's share sheet; desktop browsers mostly do not.
export function canShareFiles() {
  if (!navigator.canShare) return false;
  try {
    return navigator.canShare({ files: [new File([''], 'card.png', { type: 'image/png' })] });
  } catch {
    return false;
  }
}
