// The steps of a random walk over the embedded page (sequence.test.js), all drawn from one seed:
// host requests, some sent without waiting for the answer before the next, and the reader's moves.
// Views are composed here as the program writes them (hypercube/ViewText.h): a random rotation of
// the cube, the camera anywhere within the zoom limits, in every dimension and mode.
'use strict';
const {WalkModel, modeOf} = require('./walk_model.js');

// A small seeded generator (mulberry32): the same seed gives the same walk on every machine.
function mulberry32(seed) {
  let a = seed >>> 0;
  return () => {
    a = (a + 0x6D2B79F5) >>> 0;
    let t = a;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

const ALPHABET = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_';
const digits = (value, count) => Array.from({length: count}, (_, i) =>
  ALPHABET[Math.floor(value / 2 ** (6 * (count - 1 - i))) % 64]).join('');
const floatBits = (x) => {
  const view = new DataView(new ArrayBuffer(4));
  view.setFloat32(0, x);
  return view.getUint32(0);
};

// The view's text: `rotation` d × d, row by row; `eye`, `up` the camera.
function viewText(d, mode, eye, up, rotation) {
  const camera = [...eye, ...up].map((x) => digits(floatBits(x), 6)).join('');
  const entries = rotation.flat().map((e) => digits(Math.round((Math.max(-1, Math.min(1, e)) + 1) * 8388607), 4)).join('');
  return `v1.${d}${mode}.${camera}.${entries}`;
}

const START_EYE = [0, 0, 150], START_UP = [0, 1, 0];
const NEAREST = 100, FARTHEST = 300; // the zoom limits (hypercube/OrbitCamera.cpp)

// A random view of dimension d: turned in a few random planes, or axis-aligned; the camera at the
// start or anywhere on the sphere between the zoom limits, with its up across the line of sight.
function randomView(random, d, mode) {
  const rotation = Array.from({length: d}, (_, i) => Array.from({length: d}, (_, j) => (i === j ? 1 : 0)));
  if (random() > 0.15) {
    for (let k = 0; k < d * 2; ++k) {
      const a = Math.floor(random() * d), b = (a + 1 + Math.floor(random() * (d - 1))) % d;
      const angle = (random() * 2 - 1) * Math.PI, c = Math.cos(angle), s = Math.sin(angle);
      for (let col = 0; col < d; ++col) {
        const x = rotation[a][col], y = rotation[b][col];
        rotation[a][col] = c * x - s * y;
        rotation[b][col] = s * x + c * y;
      }
    }
  }
  let eye = START_EYE, up = START_UP;
  if (random() > 0.2) {
    const gauss = () => Math.sqrt(-2 * Math.log(1 - random())) * Math.cos(2 * Math.PI * random());
    const unit = (v) => { const n = Math.hypot(...v); return v.map((x) => x / n); };
    const direction = unit([gauss(), gauss(), gauss()]);
    const distance = NEAREST + 1 + random() * (FARTHEST - NEAREST - 2);
    eye = direction.map((x) => Math.fround(x * distance));
    const r = [gauss(), gauss(), gauss()], along = r.reduce((sum, x, i) => sum + x * direction[i], 0);
    up = unit(r.map((x, i) => x - along * direction[i])).map(Math.fround);
  }
  return viewText(d, mode, eye, up, rotation);
}

// Texts the program refuses to read, and messages of no request's shape (each gets its id, if any).
const UNREADABLE = ['v1.4f.AAAA', 'v1.9w.', 'v2.3w.', 'not a view'];
const WRONG = [
  {type: 'spin'}, {type: 'set-view'}, {type: 'set-faces', faces: 'yes'}, {type: 'set-dimension', dimension: 4.5},
  {type: 'animate-to', view: 'v1.3w.', ms: 70000}, {type: 'get-view', view: 'v1.3w.'}, {type: 'animate-to', ms: 5},
  {type: 'set-dimension', dimension: '5'}, {type: 'get-view', noId: true}, {type: 'set-faces', faces: true, tessary: 2},
];
const OUT_OF_RANGE = [-1, 0, 1, 2, 9, 10, 64];

// Picks by weight: `choices` is [[weight, value], ...].
function pick(random, choices) {
  let r = random() * choices.reduce((sum, [w]) => sum + w, 0);
  for (const [w, value] of choices) if ((r -= w) < 0) return value;
  return choices[choices.length - 1][1];
}

// The walk of seed `seed`: `count` steps, and more while a question is left open. Each step is
// {do, ...its values, settle}: settle says the walk waits for the page to come to rest after it.
// `fogged`: the mode letter of a fogged wireframe, if views have one; half the wireframe views get
// it, drawn from a stream of its own so that the walk of a seed is the same walk with it or without.
function generateWalk(seed, count, fogged = null) {
  const random = mulberry32(seed), fog = mulberry32(seed ^ 0x5bd1e995);
  const int = (lo, hi) => lo + Math.floor(random() * (hi - lo + 1));
  const model = new WalkModel();
  const view = () => {
    const d = int(3, 8), mode = random() < 0.5 ? 'w' : 'f';
    return randomView(random, d, mode === 'w' && fogged && fog() < 0.5 ? fogged : mode);
  };
  const steps = [];
  let id = 0;

  const host = () => pick(random, [
    [14, () => ({do: 'set-view', view: random() < 0.05 ? UNREADABLE[int(0, UNREADABLE.length - 1)] : view()})],
    [12, () => ({do: 'animate-to', view: view(), ms: pick(random, [[1, 0], [4, int(100, 1500)]])})],
    [9, () => ({do: 'set-dimension', dimension: random() < 0.2 ? OUT_OF_RANGE[int(0, OUT_OF_RANGE.length - 1)] : int(3, 8)})],
    [6, () => ({do: 'set-faces', faces: random() < 0.5})],
    [5, () => ({do: 'get-view'})],
    [3, () => ({do: 'reapply'})],
    [5, () => ({do: 'wrong', message: WRONG[int(0, WRONG.length - 1)]})],
  ])();
  const axes = () => {
    const n = Math.max(3, model.d), a = int(0, n - 1);
    return [a, (a + int(1, n - 1)) % n];
  };
  const reader = () => pick(random, [
    [14, () => ({do: 'turn', keys: axes(), shift: random() < 0.3, ms: int(150, 700)})],
    [8, () => ({do: 'drag', from: [int(200, 820), int(150, 600)], by: [int(-250, 250), int(-200, 200)]})],
    [8, () => ({do: 'wheel', notches: pick(random, [[1, -int(1, 8)], [1, int(1, 8)]])})],
    [6, () => ({do: 'page-dimension', dimension: int(3, 8)})],
    [4, () => ({do: 'faces-button'})],
    [4, () => ({do: 'field', text: pick(random, [[4, String(int(3, 8))], [1, String(pick(random, [[1, 9], [1, 0], [1, 2]]))]])})],
  ])();

  while (steps.length < count || model.busy) {
    let step;
    const closing = steps.length >= count - 2 && model.busy;
    if (model.dialog && (closing || random() < 0.5)) step = {do: 'dialog', ok: random() < 0.5};
    else if (model.box && (closing || random() < 0.5)) step = {do: 'box', ok: !model.box.ask || random() < 0.5};
    else if (model.busy || random() < 0.55) step = host();
    else step = reader();
    // An animation is now and then followed at once by the next request, which interrupts it.
    const previous = steps[steps.length - 1];
    step.settle = previous && previous.do === 'animate-to' && !previous.settle ? random() < 0.7 : random() < 0.4;
    if (step.do === 'animate-to' && random() < 0.35) step.settle = false;
    model.take(step, ++id, undefined);
    if (step.do === 'reapply') ++id;
    steps.push(step);
  }
  steps[steps.length - 1].settle = true;
  return steps;
}

// One line of a step, for the list printed when a walk fails.
function describe(step) {
  const short = (v) => {
    if (!modeOf(v)) return JSON.stringify(v);
    const eye = v.slice(6, 24).match(/.{6}/g).map((c) => {
      const bits = [...c].reduce((n, ch) => n * 64 + ALPHABET.indexOf(ch), 0);
      const view = new DataView(new ArrayBuffer(4));
      view.setUint32(0, bits);
      return view.getFloat32(0);
    });
    return `${v.slice(0, 14)}…${v.slice(-6)} (eye ${Math.hypot(...eye).toFixed(1)} from the centre)`;
  };
  const after = step.settle ? '' : ', not waited for';
  switch (step.do) {
    case 'set-view': return `host: set-view ${short(step.view)}${after}`;
    case 'animate-to': return `host: animate-to ${short(step.view)} in ${step.ms} ms${after}`;
    case 'set-dimension': return `host: set-dimension ${step.dimension}${after}`;
    case 'set-faces': return `host: set-faces ${step.faces}${after}`;
    case 'get-view': return `host: get-view${after}`;
    case 'reapply': return `host: get-view, then set-view of the text it gave${after}`;
    case 'wrong': return `host: a message of the wrong shape ${JSON.stringify(step.message)}${after}`;
    case 'turn': return `reader: holds ${step.shift ? 'Shift, ' : ''}${step.keys.join(' and ')} for ${step.ms} ms${after}`;
    case 'drag': return `reader: drags from ${step.from} by ${step.by}${after}`;
    case 'wheel': return `reader: turns the wheel ${Math.abs(step.notches)} notches ${step.notches > 0 ? 'away' : 'back'}${after}`;
    case 'page-dimension': return `reader: the page's button ${step.dimension}-D${after}`;
    case 'faces-button': return `reader: the page's faces button${after}`;
    case 'field': return `reader: types ${step.text} into the window's field and presses 马上生成～～${after}`;
    case 'dialog': return `reader: answers the page's dialog ${step.ok ? '确定' : '取消'}${after}`;
    case 'box': return `reader: answers the program's message box ${step.ok ? '确定' : '取消'}${after}`;
    default: return JSON.stringify(step);
  }
}

module.exports = {generateWalk, describe, mulberry32, randomView};
