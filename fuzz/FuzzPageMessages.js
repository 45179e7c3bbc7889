// Fuzz target for the page's handler of the messages of the page that embeds it (page/page_host.js
// and its table, page/page_protocol.js, as the page's build gives them: tests/page/page_modules.js),
// run under Node on the harness of fuzz/support/node_fuzzer.js.
// The bytes are read as a run of messages, any values at all, built mostly from the table's own words
// (its dictionary), handed to the handler with a stand-in for the program that records what it was
// asked. Each message of the protocol gets exactly one answer with its id; a message of another shape
// gets a refusal and asks nothing of the program; one of the right shape asks exactly what it names.
// A refusal's kind is one of the program's, and its reason the line that starts with it.
'use strict';
const path = require('node:path');
const url = require('node:url');
const {startCoverage, fuzz} = require('./support/node_fuzzer.js');

startCoverage();

const SPECIAL = [0, -0, 1, 3, 4, 7, 8, 9, -1, 0.5, 2.5, NaN, Infinity, -Infinity, 1e308, 2 ** 53, 60000, 60001, 1e-300];
const VIEWS = ['v1.0w.AAAA', 'v1.4f.x', '', 'v2.', 'not a view'];
const fail = (what, expected, actual) => {
  throw new Error(`${what}: expected ${JSON.stringify(expected)}, got ${JSON.stringify(actual)}`);
};

async function main() {
  const {pageFile} = await import(url.pathToFileURL(path.join(__dirname, '../tests/page/page_modules.js')).href);
  const files = ['page_host.js', 'page_protocol.js'].map(pageFile);
  const [{PageHost}, protocol] = await Promise.all(files.map((f) => import(url.pathToFileURL(f).href)));
  const {KINDS} = await import(url.pathToFileURL(pageFile('refusal_kinds.js')).href);
  const {VERSION, MAX_TEXT, MAX_TOUR, MAX_MS, REQUESTS, ANSWERS, NOTICES} = protocol;
  const TYPES = Object.keys(REQUESTS);
  const KEYS = [...new Set(['tessary', 'type', 'id', ...Object.values(REQUESTS).flat(), ...Object.keys(ANSWERS),
                            ...Object.keys(NOTICES), ...Object.values(ANSWERS).flat(), '__proto__', 'constructor'])];
  const WORDS = [...TYPES, ...KEYS, ...VIEWS];

  // The shape a request must have, told independently of the handler's own checks.
  const fieldFits = {
    view: (v) => typeof v === 'string' && v.length <= MAX_TEXT,
    dimension: (v) => Number.isInteger(v),
    faces: (v) => typeof v === 'boolean',
    ms: (v) => typeof v === 'number' && v >= 0 && v <= MAX_MS,
    tour: (v) => typeof v === 'string' && v.length <= MAX_TOUR,
  };
  const own = (o, k) => Object.prototype.hasOwnProperty.call(o, k);
  const ours = (d) => d !== null && typeof d === 'object' && !Array.isArray(d) && own(d, 'tessary');
  const fits = (d) => d.tessary === VERSION && typeof d.id === 'number' && Number.isFinite(d.id) &&
    typeof d.type === 'string' && own(REQUESTS, d.type) &&
    Object.keys(d).every((k) => ['tessary', 'type', 'id', ...REQUESTS[d.type]].includes(k)) &&
    REQUESTS[d.type].every((k) => own(d, k) && fieldFits[k](d[k]));

  let features = [];
  async function runOne(bytes) {
    let at = 0;
    const next = () => (at < bytes.length ? bytes[at++] : 0);
    const word = () => WORDS[next() % WORDS.length];
    const text = () => {
      const n = next(), piece = Buffer.from(bytes.subarray(at, at + (n & 15))).toString('latin1');
      at += n & 15;
      return n & 128 ? piece.repeat(1 + (next() << 4)) : piece; // now and then an enormous text
    };
    const value = (depth = 0) => {
      switch (next() % 10) {
        case 0: return null;
        case 1: return next() & 1 ? true : false;
        case 2: return (next() << 24) >> 24;
        case 3: return SPECIAL[next() % SPECIAL.length];
        case 4: return word();
        case 5: return text();
        case 6: return depth < 3 ? Array.from({length: next() & 3}, () => value(depth + 1)) : [];
        case 7: return depth < 3 ? object(depth + 1) : {};
        case 8: return VIEWS[next() % VIEWS.length];
        default: return undefined;
      }
    };
    // Own keys, as a structured clone makes them ('__proto__' too, as JSON.parse would).
    const object = (depth) => {
      const o = {};
      for (let k = next() & 3; k > 0; --k)
        Object.defineProperty(o, next() & 1 ? KEYS[next() % KEYS.length] : text(),
                              {value: value(depth), enumerable: true, writable: true, configurable: true});
      return o;
    };
    // Mostly near a request: each standard key right or any value, then the fields, then more.
    const request = () => {
      const flags = next();
      if (flags === 255) return value();
      const d = {};
      if (!(flags & 1)) d.tessary = flags & 16 ? value() : VERSION;
      const type = flags & 32 ? value() : TYPES[next() % TYPES.length];
      if (!(flags & 2)) d.type = type;
      if (!(flags & 4)) d.id = flags & 64 ? value() : next();
      for (const key of typeof type === 'string' && own(REQUESTS, type) ? REQUESTS[type] : [])
        if (!(flags & 8)) d[key] = flags & 128 ? value() : fitting(key);
      return next() & 1 ? Object.defineProperties(d, Object.getOwnPropertyDescriptors(object(1))) : d;
    };
    const fitting = (key) => ({view: () => VIEWS[next() % VIEWS.length], dimension: () => next() % 11,
                               faces: () => !!(next() & 1), ms: () => next() * 4,
                               tour: () => `to ${VIEWS[next() % VIEWS.length]} in 1s`}[key]());

    const program = {running: true, view: 'v1.0w.AAAA', faces: false, dimension: 0};
    const calls = [];
    const refusal = (t) => (t.startsWith('v1.') ? null : {kind: 'unreadable', reason: 'this is not a view'});
    const actions = {
      running: () => program.running,
      capture: () => (calls.push(['get-view']), program.view),
      apply: (t) => (calls.push(['set-view', t]), refusal(t) || ((program.view = t), null)),
      setDimension: async (n) => (calls.push(['set-dimension', n]),
                                  n >= 3 && n <= 8 ? null : {kind: KINDS.outOfRange, reason: '3 to 8'}),
      setFaces: (f) => (calls.push(['set-faces', f]), (program.faces = f), null),
      animate: async (t, ms) => (calls.push(['animate-to', t, ms]), refusal(t)),
      playTour: async (t) => (calls.push(['play-tour', t]), null),
    };
    const posted = [];
    const host = new PageHost(actions, (m) => posted.push(structuredClone(m)));
    features = [];
    for (let count = 0; at < bytes.length && count < 64; ++count) {
      program.running = (next() & 15) !== 0;
      const data = request();
      posted.length = 0;
      calls.length = 0;
      await host.receive(data);
      if (!ours(data)) {
        if (posted.length || calls.length) fail('a message of no protocol: answers, calls', [0, 0],
                                                [posted.length, calls.length]);
        continue;
      }
      if (posted.length !== 1) fail('answers to a message', 1, posted.length);
      const answer = posted[0];
      const id = typeof data.id === 'number' && Number.isFinite(data.id) ? data.id : null;
      if (answer.tessary !== VERSION || !own(ANSWERS, answer.type) || answer.id !== id) fail('the answer', {id}, answer);
      const keys = Object.keys(answer).sort(), want = ['tessary', 'type', ...ANSWERS[answer.type]].sort();
      if (keys.join() !== want.join()) fail('the answer\'s fields', want, keys);
      if (answer.type === 'refused') {
        if (!Object.values(KINDS).includes(answer.kind)) fail('a refusal\'s kind', Object.values(KINDS), answer.kind);
        if (typeof answer.reason !== 'string' || !answer.reason.startsWith(`${answer.kind}: `) || answer.reason.length > 300)
          fail('a reason: a short line that starts with its kind', `${answer.kind}: …`, answer.reason);
      }
      const fit = fits(data);
      features.push((fit ? 1 + TYPES.indexOf(data.type) : 0) * 8 + Object.keys(ANSWERS).indexOf(answer.type) * 2 +
                    program.running);
      if (!fit || !program.running) {
        if (calls.length) fail('calls for a message refused before the program', [], calls);
        const kinds = !fit ? [KINDS.malformed, KINDS.outOfRange] : [KINDS.notStarted];
        if (answer.type !== 'refused' || !kinds.includes(answer.kind))
          fail('the answer to a message of another shape, or with the program not running', kinds, answer);
        continue;
      }
      const asked = [data.type, ...REQUESTS[data.type].map((k) => data[k])];
      if (calls.length !== 1 || JSON.stringify(calls[0]) !== JSON.stringify(asked)) fail('the call', [asked], calls);
      if (data.type === 'get-view' && (answer.type !== 'view' || answer.view !== program.view))
        fail('get-view\'s answer', {type: 'view', view: program.view}, answer);
    }
  }

  await fuzz({name: 'fuzz_pagemessages', files, runOne, features: () => features, dictionary: WORDS});
}

main();
