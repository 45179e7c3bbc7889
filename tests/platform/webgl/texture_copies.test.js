// The texture copies the WebGL sink keeps for a lost context, without a browser: node --test. The
// library file is read as emscripten reads it, through mergeInto.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');

const library = {};
vm.runInNewContext(fs.readFileSync(path.join(__dirname, '../../../platform/webgl/library_texture_copies.js'), 'utf8'),
                   {mergeInto: (into, entries) => Object.assign(into, entries), LibraryManager: {library}});
const copies = (paletteSize) => library.$tessaryTextureCopies(paletteSize);

// The unpacked image against the texels it was made from, by the first byte that differs.
function assertSameImage(bytes, texels, what) {
  const want = new Uint8Array(texels.buffer, texels.byteOffset, texels.byteLength);
  assert.equal(bytes.length, want.length, `${what}: bytes`);
  const at = want.findIndex((v, i) => bytes[i] !== v);
  assert.equal(at, -1, `${what}: byte ${at} is ${bytes[at]}, ${want[at]} expected`);
}

// A label as TextTexture makes it: white ink whose alpha is the coverage, on transparent paper, here
// three rings with smoothed edges, so that every ink level occurs.
function label(width, height) {
  const bytes = new Uint8Array(width * height * 4);
  for (let y = 0; y < height; ++y)
    for (let x = 0; x < width; ++x) {
      let cover = 0;
      for (const cx of [16, 48, 80])
        cover = Math.max(cover, 1 - Math.min(1, Math.abs(Math.hypot(x - cx, y - height / 2) - 10) / 2));
      if (cover > 0) bytes.set([255, 255, 255, Math.round(cover * 255)], (y * width + x) * 4);
    }
  return new Uint32Array(bytes.buffer);
}

test('a label comes back texel for texel from a copy a fraction of its size', () => {
  const images = copies(4096), texels = label(128, 32);
  const copy = images.pack(texels);
  assert.ok(copy.runs, 'kept as runs');
  assert.ok(copy.runs.length < texels.byteLength / 8,
            `${copy.runs.length} bytes of runs for an image of ${texels.byteLength} bytes`);
  assertSameImage(images.unpack(copy, texels.length), texels, 'the label');
  // A second label shares the palette: its texels are all known, none is added.
  const known = images.paletteLength(), again = images.pack(label(128, 32));
  assert.equal(images.paletteLength(), known, 'palette entries after a second label');
  assertSameImage(images.unpack(again, texels.length), texels, 'the second label');
});

test('an empty text gives an empty copy and an empty image', () => {
  const images = copies(4096);
  const copy = images.pack(new Uint32Array(0));
  assert.equal(copy.runs.length, 0, 'bytes of runs');
  assert.equal(images.unpack(copy, 0).length, 0);
  assert.equal(images.paletteLength(), 0);
});

test('an image that would grow the palette past its limit is kept as it is, and still comes back', () => {
  const images = copies(4096);
  const distinct = (from, n) => Uint32Array.from({length: n}, (_, i) => from + i);
  const full = distinct(0x01000000, 4096);
  const packed = images.pack(full);
  assert.ok(packed.runs, 'exactly the limit: kept as runs');
  assert.equal(images.paletteLength(), 4096);
  const beyond = distinct(0x02000000, 2);
  const kept = images.pack(beyond);
  assert.ok(kept.texels && !kept.runs, 'one texel past the limit: kept as it is');
  assert.equal(images.paletteLength(), 4096, 'palette entries after it');
  beyond.fill(0); // the copy is the sink's own, not a view of the heap it came from
  assertSameImage(images.unpack(kept, 2), Uint32Array.of(0x02000000, 0x02000001), 'the image kept as it is');
  assertSameImage(images.unpack(packed, 4096), full, 'the image that filled the palette');
  assert.ok(images.pack(full.subarray(100, 200)).runs, 'texels already in the palette still pack');
});
