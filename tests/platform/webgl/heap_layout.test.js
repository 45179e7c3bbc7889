// The build step that reads the WebGL sink's heap layout from C++, without a browser: node --test.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const {spawnSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const SOURCE = path.resolve(__dirname, '../../..');
const READER = path.join(SOURCE, 'platform/webgl/heap_layout.js');
const {layout} = require(READER);

// A record as GlRecords.h writes them: an enum, a nested struct with a comparison, an array, defaults.
const header = (members) => `namespace n {
// heap layout begin
enum class Kind : uint32_t { one = 1 };
struct Pair {
    int32_t first = 0, second = 0; // two words
    bool operator==(const Pair&) const = default;
};
struct Record {
${members.map((m) => `    ${m};`).join('\n')}
};
// heap layout end
}`;
const MEMBERS = ['Kind kind = Kind::one', 'float colour[4] = {0, 0, 0, 1}', 'Pair pair', 'uint32_t flag = GL_ONE'];

test('each member lies after the words of those before it, added or moved', () => {
  const base = layout(header(MEMBERS));
  assert.deepEqual(base.Pair, {size: 8, first: 0, second: 4});
  assert.deepEqual(base.Record, {size: 32, kind: 0, colour: 4, pair: 20, flag: 28});
  const added = layout(header([...MEMBERS.slice(0, 2), 'int32_t added[2][3]', ...MEMBERS.slice(2)])).Record;
  assert.deepEqual(added, {size: 56, kind: 0, colour: 4, added: 20, pair: 44, flag: 52});
  const moved = layout(header([MEMBERS[3], ...MEMBERS.slice(0, 3)])).Record;
  assert.deepEqual(moved, {size: 32, flag: 0, kind: 4, colour: 8, pair: 24});
});

test('a member that is not one word of the heap, or not understood, stops the build', () => {
  for (const [member, expected] of [['bool smooth', /Record::smooth is of type bool/],
                                    ['double fog', /Record::fog is of type double/],
                                    ['uint8_t level[4]', /Record::level is of type uint8_t/],
                                    ['Missing later', /Record::later is of type Missing/],
                                    ['float* texels', /cannot read the member `float\* texels`/],
                                    ['int32_t size', /Record::size/]])
    assert.throws(() => layout(header([...MEMBERS, member])), expected, member);
  assert.throws(() => layout('struct Record { int32_t x; };'), /markers/);
  // From the command line, as the build runs it: a failure and no files written.
  const root = fs.mkdtempSync(path.join(os.tmpdir(), 'tessary-layout-'));
  try {
    fs.writeFileSync(path.join(root, 'Records.h'), header([...MEMBERS, 'bool smooth']));
    const run = spawnSync(process.execPath, [READER, root, 'Records.h', path.join(root, 'out')], {encoding: 'utf8'});
    assert.notEqual(run.status, 0, 'exit status');
    assert.match(run.stderr, /Record::smooth is of type bool/);
    assert.equal(fs.existsSync(path.join(root, 'out')), false, 'output folder written');
  } finally {
    fs.rmSync(root, {recursive: true});
  }
});

test('every offset library_webgl_sink.js reads is one GlRecords.h defines', () => {
  const records = layout(fs.readFileSync(path.join(SOURCE, 'platform/webgl/GlRecords.h'), 'utf8'));
  const sink = fs.readFileSync(path.join(SOURCE, 'platform/webgl/library_webgl_sink.js'), 'utf8');
  const read = [...sink.matchAll(/\b(GlVertex|Box|DrawState|QueuedDraw)\.(\w+)/g)].map(([, s, m]) => `${s}.${m}`);
  assert.ok(read.length > 20, `${read.length} offsets read`);
  const missing = [...new Set(read)].filter((name) => {
    const [struct, member] = name.split('.');
    return typeof records[struct][member] !== 'number';
  });
  assert.deepEqual(missing, [], 'offsets the sink reads that the header lacks');
});
