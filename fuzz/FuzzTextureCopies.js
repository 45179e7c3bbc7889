// Fuzz target for the copies of the textures the browser's WebGL sink keeps, run under Node with
// libFuzzer's command line and status lines, so that scripts/run-fuzz.sh runs it like the others:
//   node fuzz/FuzzTextureCopies.js [-max_total_time=S] [-runs=N] [-max_len=N] [-artifact_prefix=P] dir...
//   node fuzz/FuzzTextureCopies.js -merge=1 into from...     (or a list of files, each run once)
// The bytes are read as images packed into one palette or a fresh one each, and as arbitrary runs to
// unpack. Coverage is V8's block coverage of the library file: each block's count over one input, in
// libFuzzer's buckets, is a feature, and an input with a new feature is kept.
'use strict';
const crypto = require('node:crypto');
const fs = require('node:fs');
const inspector = require('node:inspector');
const path = require('node:path');
const url = require('node:url');
const vm = require('node:vm');
const {Worker} = require('node:worker_threads');

const file = path.join(__dirname, '../platform/webgl/library_texture_copies.js');
const session = new inspector.Session();
session.connect();
// A session on the main thread answers before post() returns.
function post(method, params) {
  let answer, failure;
  session.post(method, params, (error, result) => { failure = error; answer = result; });
  if (failure) throw failure;
  return answer;
}
post('Profiler.enable');
post('Profiler.startPreciseCoverage', {callCount: true, detailed: true});
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

const flags = {}, paths = [];
for (const arg of process.argv.slice(2)) {
  const m = /^-(\w+)=(.*)$/.exec(arg);
  if (m) flags[m[1]] = m[2];
  else paths.push(arg);
}
const MAX_LEN = Number(flags.max_len || 256), fuzzing = paths.some((p) => fs.statSync(p).isDirectory());
const script = url.pathToFileURL(file).href;
const seen = new Set(); // the blocks' features are block * 8 + bucket, the packs' negative
const bucket = (c) => (c < 4 ? c - 1 : c < 8 ? 3 : c < 16 ? 4 : c < 32 ? 5 : c < 128 ? 6 : 7);
const sha1 = (data) => crypto.createHash('sha1').update(data).digest('hex');
let runs = 0;

// A watchdog thread: an input still running after -timeout seconds is written as a timeout file and
// the process killed, since a decoder that loops forever would otherwise stall the whole session.
const now = new Int32Array(new SharedArrayBuffer(8 + (1 << 20))); // runs, length, the input
function watchdog() { // runs in the worker
  const {workerData: {now, seconds, prefix}} = require('node:worker_threads'), fs = require('node:fs');
  let last = -1, since = Date.now();
  setInterval(() => {
    if (Atomics.load(now, 0) !== last) [last, since] = [Atomics.load(now, 0), Date.now()];
    if (Date.now() - since < seconds * 1000) return;
    const data = new Uint8Array(now.buffer, 8, now[1]);
    const name = prefix + 'timeout-' + require('node:crypto').createHash('sha1').update(data).digest('hex');
    fs.writeFileSync(name, data);
    fs.writeSync(1, `==${process.pid}== ERROR: fuzz_texturecopies: timeout after ${seconds} s\n` +
                    `Test unit written to ${name}\n`);
    process.kill(process.pid, 'SIGKILL');
  }, 500);
}
const workerData = {now, seconds: Number(flags.timeout || 1200), prefix: flags.artifact_prefix || './'};
new Worker(`(${watchdog})()`, {eval: true, workerData}).unref();

// Runs one input; true when it reached a block count not seen before.
function execute(data) {
  const length = Math.min(data.length, now.byteLength - 8);
  new Uint8Array(now.buffer, 8, length).set(data.subarray(0, length));
  now[1] = length;
  Atomics.store(now, 0, ++runs);
  try {
    runOne(data);
  } catch (error) {
    console.log(`==${process.pid}== ERROR: fuzz_texturecopies: ${error.stack}\n` +
                `Base64: ${data.toString('base64')}`);
    if (fuzzing) { // a file run again by name is already on disk
      const name = (flags.artifact_prefix || './') + 'crash-' + sha1(data);
      fs.writeFileSync(name, data);
      console.log(`Test unit written to ${name}`);
    }
    process.exit(1);
  }
  const features = packs.map((pack) => -1 - pack);
  for (const {url: u, functions} of post('Profiler.takePreciseCoverage').result)
    for (const {ranges} of u === script ? functions : [])
      for (const {startOffset, endOffset, count} of ranges)
        if (count > 0) features.push((startOffset * 65536 + endOffset) * 8 + bucket(count));
  const fresh = features.filter((feature) => !seen.has(feature));
  fresh.forEach((feature) => seen.add(feature));
  return fresh.length > 0;
}

const read = (p) => (fs.statSync(p).isDirectory() ? fs.readdirSync(p).map((f) => path.join(p, f)) : [p]);
const bySize = (a, b) => a.length - b.length;
const inputs = (list) => list.flatMap(read).map((p) => fs.readFileSync(p)).sort(bySize);
const corpus = [];
const started = Date.now();
function status(what) {
  const bytes = corpus.reduce((sum, d) => sum + d.length, 0);
  const blocks = new Set([...seen].filter((f) => f >= 0).map((f) => Math.floor(f / 8)));
  const rate = Math.round((runs * 1000) / Math.max(1, Date.now() - started));
  const corp = `${corpus.length}/${bytes}b`;
  console.log(`#${runs}\t${what} cov: ${blocks.size} ft: ${seen.size} corp: ${corp} exec/s: ${rate}`);
  return rate;
}
const rand = (n) => Math.floor(Math.random() * n);
// One to four of libFuzzer's kinds of change: insert, flip, set, erase, repeat, cross over.
function mutate(data, other) {
  const out = Array.from(data);
  for (let k = 1 + rand(4); k > 0; --k) {
    const at = rand(out.length + 1), from = rand(other.length + 1);
    switch (out.length ? rand(7) : 0) {
      case 0: out.splice(at, 0, ...crypto.randomBytes(1 + rand(4))); break;
      case 1: out[at % out.length] ^= 1 << rand(8); break;
      case 2: out[at % out.length] = rand(256); break;
      case 3: out[at % out.length] = [0, 1, 3, 127, 128, 255][rand(6)]; break;
      case 4: out.splice(at, 1 + rand(8)); break;
      case 5: out.splice(at, 0, ...out.slice(at, at + 1 + rand(16))); break;
      default: out.splice(at, 0, ...other.subarray(from, from + 1 + rand(32)));
    }
  }
  return Buffer.from(out.slice(0, MAX_LEN));
}

// The inputs of the first folder, then of the others, smallest first: each that adds a feature is
// kept, and -merge=1 writes those of the others into the first.
const keep = (data) => fs.writeFileSync(path.join(paths[0], sha1(data)), data);
const merge = flags.merge === '1', first = inputs(paths.slice(0, 1));
for (const data of first.concat(inputs(paths.slice(1)))) {
  if (!execute(data)) continue;
  corpus.push(data);
  if (merge && !first.includes(data)) keep(data);
}
if (merge) {
  console.log(`MERGE-OUTER: ${fs.readdirSync(paths[0]).length} files with ${seen.size} features`);
  process.exit(0);
}
if (fuzzing) {
  if (!corpus.length) execute(Buffer.alloc(0)), corpus.push(Buffer.alloc(0));
  status('INITED');
  const seconds = Number(flags.max_total_time || 0), limit = Number(flags.runs || -1);
  const end = seconds > 0 ? started + seconds * 1000 : Infinity;
  while ((limit < 0 || runs < limit) && ((runs & 63) !== 0 || Date.now() < end)) {
    const data = mutate(corpus[rand(corpus.length)], corpus[rand(corpus.length)]);
    if (!execute(data)) continue;
    corpus.push(data);
    keep(data);
    status('NEW');
  }
}
console.log(`stat::number_of_executed_units: ${runs}\nstat::average_exec_per_sec: ${status('DONE')}`);
