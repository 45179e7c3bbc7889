// Fuzz target for the embedded page as a whole: random walks of host requests and reader moves in
// Chromium (tests/platform/web/sequence.test.js), new seeds for the target's share of the time.
// It speaks libFuzzer's command line and status lines, as scripts/run-fuzz.sh expects, but has no
// corpus of bytes: a walk is its seed, printed as it starts, and a failing seed is added to
// tests/platform/web/sequence_seeds.json, whose walks make test-web runs first. It needs the browser
// build and the desktop build (WEB_BUILD, DESKTOP_BUILD; build-web/ and build/ by default).
'use strict';
const {spawnSync} = require('node:child_process');
const path = require('node:path');

const flags = Object.fromEntries(process.argv.slice(2).map((a) => /^-(\w+)=(.*)$/.exec(a)).filter(Boolean)
  .map((m) => [m[1], m[2]]));
if (flags.merge === '1') {
  console.log('MERGE-OUTER: 0 files: the walks are kept as seeds, not as inputs');
  process.exit(0);
}

const root = path.join(__dirname, '..');
const seconds = Math.max(1, Number(flags.max_total_time || 60));
const started = Date.now();
const run = spawnSync(process.execPath, ['--test', '--test-concurrency=1', 'sequence.test.js'], {
  cwd: path.join(root, 'tests/platform/web'),
  env: {
    WEB_BUILD: path.join(root, 'build-web'), DESKTOP_BUILD: path.join(root, 'build'), ...process.env,
    TESSARY_ENGINES: 'chromium', TESSARY_WALK_SECONDS: String(seconds),
  },
  encoding: 'utf8', maxBuffer: 64 << 20,
});
process.stdout.write(run.stdout);
process.stderr.write(run.stderr);
const steps = [...run.stdout.matchAll(/: (\d+) steps held/g)].reduce((sum, m) => sum + Number(m[1]), 0);
const rate = ((steps * 1000) / Math.max(1, Date.now() - started)).toFixed(2);
console.log(`#${steps}\tDONE cov: 0 ft: 0 corp: 0/0b exec/s: ${rate} (steps of walks)`);
console.log(`stat::number_of_executed_units: ${steps}\nstat::average_exec_per_sec: ${rate}`);
if (run.status !== 0) {
  console.log(`==${process.pid}== ERROR: fuzz_pagewalk: a walk failed; its seed is now in tests/platform/web/sequence_seeds.json`);
  process.exit(1);
}
