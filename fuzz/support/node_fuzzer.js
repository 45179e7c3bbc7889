// libFuzzer's command line, status lines, corpus and crash files for a fuzz target written in
// JavaScript, so that scripts/run-fuzz.sh runs it like the others:
//   node fuzz/Fuzz<Name>.js [-max_total_time=S] [-runs=N] [-max_len=N] [-artifact_prefix=P] dir...
//   node fuzz/Fuzz<Name>.js -merge=1 into from...     (or a list of files, each run once)
// Coverage is V8's block coverage of the files under test: each block's count over one input, in
// libFuzzer's buckets, is a feature, and an input with a new feature is kept. The target may add
// features of its own (negative numbers) and words the mutations insert, as libFuzzer's -dict does.
'use strict';
const crypto = require('node:crypto');
const fs = require('node:fs');
const inspector = require('node:inspector');
const path = require('node:path');
const url = require('node:url');
const {Worker} = require('node:worker_threads');

const session = new inspector.Session();
session.connect();
// A session on the main thread answers before post() returns.
function post(method, params) {
  let answer, failure;
  session.post(method, params, (error, result) => { failure = error; answer = result; });
  if (failure) throw failure;
  return answer;
}

// Starts counting blocks; the files under test must be loaded after this call.
function startCoverage() {
  post('Profiler.enable');
  post('Profiler.startPreciseCoverage', {callCount: true, detailed: true});
}

const bucket = (c) => (c < 4 ? c - 1 : c < 8 ? 3 : c < 16 ? 4 : c < 32 ? 5 : c < 128 ? 6 : 7);
const sha1 = (data) => crypto.createHash('sha1').update(data).digest('hex');
const rand = (n) => Math.floor(Math.random() * n);

// A watchdog thread: an input still running after -timeout seconds is written as a timeout file and
// the process killed, since a target that loops forever would otherwise stall the whole session.
function watchdog() { // runs in the worker
  const {workerData: {now, seconds, prefix, name}} = require('node:worker_threads'), fs = require('node:fs');
  let last = -1, since = Date.now();
  setInterval(() => {
    if (Atomics.load(now, 0) !== last) [last, since] = [Atomics.load(now, 0), Date.now()];
    if (Date.now() - since < seconds * 1000) return;
    const data = new Uint8Array(now.buffer, 8, now[1]);
    const file = prefix + 'timeout-' + require('node:crypto').createHash('sha1').update(data).digest('hex');
    fs.writeFileSync(file, data);
    fs.writeSync(1, `==${process.pid}== ERROR: ${name}: timeout after ${seconds} s\nTest unit written to ${file}\n`);
    process.kill(process.pid, 'SIGKILL');
  }, 500);
}

// Runs the target `name` (fuzz_<name>): `files`, the files whose blocks count; `runOne(bytes)`, which
// throws (or rejects) on a broken invariant; `features()`, the target's own features of the last
// input, as non-negative numbers; `dictionary`, strings a mutation may insert.
async function fuzz({name, files, runOne, features = () => [], dictionary = []}) {
  const flags = {}, paths = [];
  for (const arg of process.argv.slice(2)) {
    const m = /^-(\w+)=(.*)$/.exec(arg);
    if (m) flags[m[1]] = m[2];
    else paths.push(arg);
  }
  const MAX_LEN = Number(flags.max_len || 256), fuzzing = paths.some((p) => fs.statSync(p).isDirectory());
  const scripts = new Set(files.map((f) => url.pathToFileURL(f).href));
  const words = dictionary.map((w) => Buffer.from(w));
  const seen = new Set(); // the blocks' features are block * 8 + bucket, the target's negative
  let runs = 0;

  const now = new Int32Array(new SharedArrayBuffer(8 + (1 << 20))); // runs, length, the input
  const workerData = {now, seconds: Number(flags.timeout || 1200), prefix: flags.artifact_prefix || './', name};
  new Worker(`(${watchdog})()`, {eval: true, workerData}).unref();

  // Runs one input; true when it reached a block count not seen before.
  async function execute(data) {
    const length = Math.min(data.length, now.byteLength - 8);
    new Uint8Array(now.buffer, 8, length).set(data.subarray(0, length));
    now[1] = length;
    Atomics.store(now, 0, ++runs);
    try {
      await runOne(data);
    } catch (error) {
      console.log(`==${process.pid}== ERROR: ${name}: ${error.stack}\nBase64: ${data.toString('base64')}`);
      if (fuzzing) { // a file run again by name is already on disk
        const file = (flags.artifact_prefix || './') + 'crash-' + sha1(data);
        fs.writeFileSync(file, data);
        console.log(`Test unit written to ${file}`);
      }
      process.exit(1);
    }
    const found = features().map((f) => -1 - f);
    for (const {url: u, functions} of post('Profiler.takePreciseCoverage').result)
      for (const {ranges} of scripts.has(u) ? functions : [])
        for (const {startOffset, endOffset, count} of ranges)
          if (count > 0) found.push((startOffset * 65536 + endOffset) * 8 + bucket(count));
    const fresh = found.filter((feature) => !seen.has(feature));
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
    console.log(`#${runs}\t${what} cov: ${blocks.size} ft: ${seen.size} corp: ${corpus.length}/${bytes}b exec/s: ${rate}`);
    return rate;
  }
  // One to four of libFuzzer's kinds of change: insert, flip, set, erase, repeat, cross over, and
  // a word of the dictionary.
  function mutate(data, other) {
    const out = Array.from(data);
    for (let k = 1 + rand(4); k > 0; --k) {
      const at = rand(out.length + 1), from = rand(other.length + 1);
      switch (out.length ? rand(words.length ? 8 : 7) : 0) {
        case 0: out.splice(at, 0, ...crypto.randomBytes(1 + rand(4))); break;
        case 1: out[at % out.length] ^= 1 << rand(8); break;
        case 2: out[at % out.length] = rand(256); break;
        case 3: out[at % out.length] = [0, 1, 3, 127, 128, 255][rand(6)]; break;
        case 4: out.splice(at, 1 + rand(8)); break;
        case 5: out.splice(at, 0, ...out.slice(at, at + 1 + rand(16))); break;
        case 6: out.splice(at, 0, ...other.subarray(from, from + 1 + rand(32))); break;
        default: out.splice(at, 0, ...words[rand(words.length)]);
      }
    }
    return Buffer.from(out.slice(0, MAX_LEN));
  }

  // The inputs of the first folder, then of the others, smallest first: each that adds a feature is
  // kept, and -merge=1 writes those of the others into the first.
  const keep = (data) => fs.writeFileSync(path.join(paths[0], sha1(data)), data);
  const merge = flags.merge === '1', first = inputs(paths.slice(0, 1));
  for (const data of first.concat(inputs(paths.slice(1)))) {
    if (!(await execute(data))) continue;
    corpus.push(data);
    if (merge && !first.includes(data)) keep(data);
  }
  if (merge) {
    console.log(`MERGE-OUTER: ${fs.readdirSync(paths[0]).length} files with ${seen.size} features`);
    process.exit(0);
  }
  if (fuzzing) {
    if (!corpus.length) await execute(Buffer.alloc(0)), corpus.push(Buffer.alloc(0));
    status('INITED');
    const seconds = Number(flags.max_total_time || 0), limit = Number(flags.runs || -1);
    const end = seconds > 0 ? started + seconds * 1000 : Infinity;
    while ((limit < 0 || runs < limit) && ((runs & 63) !== 0 || Date.now() < end)) {
      const data = mutate(corpus[rand(corpus.length)], corpus[rand(corpus.length)]);
      if (!(await execute(data))) continue;
      corpus.push(data);
      keep(data);
      status('NEW');
    }
  }
  console.log(`stat::number_of_executed_units: ${runs}\nstat::average_exec_per_sec: ${status('DONE')}`);
}

module.exports = {startCoverage, fuzz};
