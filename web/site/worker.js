// Runs the converter off the page's thread, so the page stays responsive and
// the progress bar moves while a large report converts.
'use strict';
importScripts('skarnwald.js');

const converter = createSkarnwald();

function transferablesOf(result) {
  const buffers = [];
  for (const value of Object.values(result)) {
    if (value instanceof Uint8Array) buffers.push(value.buffer);
    else if (Array.isArray(value)) value.forEach((part) => buffers.push(part.buffer));
  }
  return buffers;
}

self.onmessage = async ({ data }) => {
  const { id, bytes, options } = data;
  try {
    const module = await converter;
    const started = performance.now();
    const result = module.convert(bytes, options, (fraction) => self.postMessage({ id, progress: fraction }));
    const milliseconds = performance.now() - started;
    self.postMessage({ id, result, milliseconds }, transferablesOf(result));
  } catch (error) {
    self.postMessage({ id, error: String(error && error.message ? error.message : error) });
  }
};
