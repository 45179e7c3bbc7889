// Fuzz target for the copies of the textures the browser's WebGL sink keeps, run under Node on the
// harness of fuzz/support/node_fuzzer.js (libFuzzer's command line and status lines). The bytes are
// read as images packed into one palette or a fresh one each, and as arbitrary runs to unpack.
// Beside the library file's blocks, what each pack met is a feature.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');
const {startCoverage, fuzz} = require('./support/node_fuzzer.js');

const file = path.join(__dirname, '../platform/webgl/library_texture_copies.js');
startCoverage();
// The library is read as emscripten reads it, through mergeInto, once the counting has started.
const library = {};
vm.runInNewContext(fs.readFileSync(file, 'utf8'),
                   {mergeInto: (into, entries) => Object.assign(into, entries), LibraryManager: {library}},
                   {filename: file});

// Palette sizes on both sides of one 7-bit group and the sink's own. Texels are numbered 0 to 65535:
// the first eight are a label's ink levels, the others are spread over all 32 bits by an odd
// multiplier (none lands on an ink level), whose inverse tells which texel an unpacked value is.
const SIZES = [1, 2, 5, 127, 128, 129, 1000, 4096];
const INK = [0, 0xffffffff, 0x00ffffff, 0x80ffffff, 1, 0x7fffffff, 0x80000000, 0x01ffffff];
const KINDS = 1 << 16, SPREAD = 0x9e3779b1, UNSPREAD = 0x0e8b2f51;
const texel = (k) => (k < 8 ? INK[k] : Math.imul(k, SPREAD) >>> 0);
const number = (v, k = Math.imul(v, UNSPREAD) >>> 0) =>
  (INK.includes(v) ? INK.indexOf(v) : k < 8 ? KINDS : k); // KINDS: none of them
const MAX_TEXELS = 1 << 16;
const heap = new Uint32Array(MAX_TEXELS + 256); // images are views into it, as into emscripten's heap
const stamps = new Uint32Array(KINDS); // the last image each texel was seen in
let images = 0;
// What each pack met beside the blocks it ran: the palette's size, empty, part full or full before and
// after, and how the image was kept; these are features too.
const packs = [];
function fail(what, expected, actual) { throw new Error(`${what}: expected ${expected}, got ${actual}`); }

function checkSame(bytes, want, what) {
  if (bytes.length !== want.byteLength) fail(`${what}, bytes`, want.byteLength, bytes.length);
  const a = Buffer.from(bytes.buffer, bytes.byteOffset, bytes.length), b = Buffer.from(want.buffer);
  if (!a.equals(b)) {
    const at = b.findIndex((v, i) => a[i] !== v);
    fail(`${what}, byte ${at} of ${b.length}`, b[at], a[at]);
  }
}

// An image comes back byte for byte, and is kept as runs exactly when its new texels fit the
// palette. `inPalette` says of each texel 1: surely in it, 2: maybe (an image refused part way).
function checkPack(state, image, kinds, copies) {
  const {codec, size, inPalette} = state, before = codec.paletteLength();
  let certain = 0, unsure = 0;
  for (const k of kinds) {
    certain += inPalette[k] === 0;
    unsure += inPalette[k] === 2;
  }
  const want = image.slice(), copy = codec.pack(image);
  image.fill(0xdeadbeef); // the heap is used again: the copy must be the codec's own
  const after = codec.paletteLength();
  if (after > size || after < before) fail('palette entries after a pack', `${before} to ${size}`, after);
  const what = `an image of ${certain} new texels on ${before} of ${size} palette entries`;
  const fill = (entries) => (entries === 0 ? 0 : entries < size ? 1 : 2);
  packs.push(((SIZES.indexOf(size) * 3 + fill(before)) * 3 + fill(after)) * 2 + !copy.runs);
  if (copy.runs) {
    if (before + certain > size) fail(what, 'kept as it is', 'runs');
    if (after < before + certain || after > before + certain + unsure)
      fail('palette entries after runs', `${before + certain} to ${before + certain + unsure}`, after);
    for (const k of kinds) inPalette[k] = 1;
  } else {
    if (before + certain + unsure <= size) fail(what, 'runs', 'kept as it is');
    for (const k of kinds) inPalette[k] ||= 2;
  }
  checkSame(codec.unpack(copy, want.length), want, 'an image unpacked');
  copies.push({codec, copy, want});
}

// Any bytes unpack to `count` texels, each zero or a palette entry.
function checkRuns({codec, inPalette}, runs, count) {
  const bytes = codec.unpack({runs}, count);
  if (bytes.length !== count * 4) fail(`bytes from ${runs.length} bytes of runs`, count * 4, bytes.length);
  for (const v of new Uint32Array(bytes.buffer, bytes.byteOffset, count))
    if (v !== 0 && !inPalette[number(v)]) fail('a texel from any runs', 'a palette entry', v.toString(16));
}

function runOne(bytes) {
  let at = 0, total = 0, state = null;
  packs.length = 0;
  const next = () => (at < bytes.length ? bytes[at++] : 0);
  const head = next(), size = SIZES[head & 7], shared = head & 8, copies = [];
  const runLength = (b = next()) => (b < 128 ? b + 1 : (((b & 127) << 8) | next()) + 1);
  while (at < bytes.length && total < MAX_TEXELS) {
    const op = next(), kind = op & 3, n = op >> 2;
    if (!state || (!shared && kind !== 3))
      state = {codec: library.$tessaryTextureCopies(size), size, inPalette: new Uint8Array(KINDS)};
    if (kind === 3) { // n bytes of runs, then a count
      const runs = new Uint8Array(bytes.subarray(at, at + n));
      at += n;
      checkRuns(state, runs, next() * 3);
      continue;
    }
    const start = next(), room = MAX_TEXELS - total, kinds = [];
    let length = 0;
    ++images;
    if (kind === 2) { // a ramp of up to 8191 distinct texels
      const base = 8 + next() * 200, count = Math.min((n << 7) | (next() >> 1), room);
      for (; length < count; ++length) {
        heap[start + length] = texel(base + length);
        kinds.push(base + length);
      }
    } else {
      for (let r = 0; r <= n && length < room; ++r) { // n + 1 runs of ink levels or of any texels
        const k = kind === 0 ? next() & 7 : 8 + ((next() | (next() << 8)) % (KINDS - 8));
        const l = Math.min(runLength(), room - length);
        if (stamps[k] !== images) kinds.push(k);
        stamps[k] = images;
        heap.fill(texel(k), start + length, start + length + l);
        length += l;
      }
    }
    total += length;
    checkPack(state, heap.subarray(start, start + length), kinds, copies);
  }
  // The sink unpacks its copies whenever the context comes back, long after the palette has grown.
  for (const {codec, copy, want} of copies) checkSame(codec.unpack(copy, want.length), want, 'an older image');
}

fuzz({name: 'fuzz_texturecopies', files: [file], runOne, features: () => packs});
