// What the page should do in a walk of host requests and reader moves (sequence.test.js): the
// state the page's answers depend on (the cube's dimension and mode, its dialog, the program's
// message box, an animation under way), the answers each request may get, and how many settled
// changes of the view the host may hear between two moments of rest. The same model drives the walk's
// generator, which has no clock: an animation's fate then stays open.
'use strict';

// How near its end an animation may be when something interrupts it and still arrive: the page
// and the test's clock see each request a little apart.
const SLACK_MS = 300;

// The answers a request may get, written as 'view', 'done' or 'refused:<kind>' (docs/embedding.md).
const VIEW = 'view', DONE = 'done';
const refused = (kind) => `refused:${kind}`;
const outcome = (answer) => (answer.type === 'refused' ? refused(answer.kind) : answer.type);

// A view's dimension and whether it shows faces, from its text ('v1.5f.…'); null for a text of the
// wrong length, which the program cannot read (the camera's 36 characters, 4 a rotation's entry).
function modeOf(text) {
  const m = /^v1\.([0-8])([a-z])\./.exec(text), d = m && Number(m[1]);
  return m && text.length === 42 + (d ? 1 + 4 * d * d : 0) ? {d, faces: m[2] === 'f'} : null;
}

class WalkModel {
  constructor() {
    this.d = 0;            // null: it depends on when an animation was cut short
    this.faces = false;    // null likewise
    this.dialog = null;    // the page's question about the n-cube: {id, n}, id null for the reader's button
    this.box = null;       // the program's message box: {ask, n}, ask for a question with 取消
    this.animation = null; // {id, at, ms, from}: from, the dimension and faces before it
    this.expected = new Map(); // id -> {step, allowed: Set}
    this.waiting = new Set();  // ids whose answer waits for the reader
    this.answers = new Map();  // id -> [answers]
    this.unasked = 0;          // messages sent without an id, each refused with id null
    this.changes = 0;          // steps since the last rest that may have changed the view
    this.gradual = 0;          // those of them that change it over many frames (turns, drags, animations)
    this.pauses = 0;           // pauses within a gesture long enough for the page to see a rest
  }

  get busy() { return this.dialog !== null || this.box !== null; }

  expect(id, step, ...allowed) { this.expected.set(id, {step, allowed: new Set(allowed)}); }

  // Something sent at `now` ends the animation under way unless it has arrived: `cause` is the
  // answer it then gets; `by`, the request that did it (null: the reader). A frame that takes long
  // (building the 8-cube) holds the animation's end back and the request with it, so either answer
  // may come however late the request was sent; it may have arrived only if the request was taken
  // after the animation's time was up, which its answer coming back says at the latest. Without a
  // clock (the generator) only the state is kept.
  interrupt(now, cause, by = null) {
    const a = this.animation;
    if (!a) return;
    this.animation = null;
    if (now === undefined) return;
    const expected = this.expected.get(a.id);
    expected.allowed = new Set([cause]);
    if (by === null || now - a.at > a.ms - SLACK_MS) expected.allowed.add(DONE);
    else expected.race = {at: a.at, ms: a.ms, by};
    // Cut short, it may or may not have reached the target's dimension and mode.
    if (a.from.d !== this.d) this.d = null;
    if (a.from.faces !== this.faces) this.faces = null;
  }

  // The animation arrives, when nothing interrupted it before the next rest.
  arrive() { this.animation = null; }

  // Takes step `step` (walk_steps.js) as carried out at time `now` (ms); `id`: the request's id.
  take(step, id, now) {
    const s = step.do;
    const accept = () => { this.interrupt(now, refused('replaced'), id); ++this.changes; };
    // What the reader changes while an animation may still run, its next frame may take back.
    const readerSets = (key, value) => { this[key] = now !== undefined && this.animation ? null : value; };
    switch (s) {
      case 'get-view':
        this.expect(id, step, VIEW);
        break;
      case 'reapply': // get-view, then set-view of its text: a view read back and applied changes nothing
        this.expect(id, step, VIEW);
        this.expect(id + 1, step, this.busy ? refused('busy') : DONE);
        if (!this.busy) this.interrupt(now, refused('replaced'), id + 1);
        break;
      case 'set-view':
      case 'animate-to': {
        const mode = modeOf(step.view);
        if (!mode) {
          this.expect(id, step, refused('unreadable'), ...(this.busy ? [refused('busy')] : []));
        } else if (this.busy) {
          this.expect(id, step, refused('busy'));
        } else {
          accept();
          const from = {d: this.d, faces: this.faces};
          Object.assign(this, mode);
          this.expect(id, step, DONE);
          if (s === 'animate-to') {
            this.animation = {id, at: now, ms: step.ms, from};
            ++this.gradual;
          }
        }
        break;
      }
      case 'set-dimension': {
        const n = step.dimension;
        if (n < 3 || n > 8) {
          this.expect(id, step, refused('out of range'), ...(this.busy ? [refused('busy')] : []));
        } else if (this.busy) {
          this.expect(id, step, refused('busy'));
        } else if (n >= 7) {
          this.interrupt(now, refused('replaced'), id);
          this.expect(id, step); // the reader's answer decides
          this.waiting.add(id);
          this.dialog = {id, n};
        } else {
          accept();
          this.d = n;
          this.expect(id, step, DONE);
        }
        break;
      }
      case 'set-faces':
        if (this.busy) {
          this.expect(id, step, refused('busy'));
        } else {
          accept();
          this.faces = step.faces;
          this.expect(id, step, DONE);
        }
        break;
      case 'wrong': // of the wrong shape, but for an ms of the right type past the longest animation
        if (id === null) ++this.unasked;
        else this.expect(id, step, refused(step.message.ms > 60000 ? 'out of range' : 'malformed'));
        break;
      case 'turn':
      case 'drag':
      case 'wheel':
        if (!this.busy) {
          ++this.changes;
          ++this.gradual;
        }
        break;
      case 'page-dimension':
        if (step.dimension >= 7) {
          this.dialog = {id: null, n: step.dimension};
          if (this.animation) this.animationMayStop();
        } else if (!this.box) {
          readerSets('d', step.dimension);
          ++this.changes;
        }
        break;
      case 'faces-button':
        if (!this.box) {
          readerSets('faces', this.faces === null ? null : !this.faces);
          ++this.changes;
        }
        break;
      case 'dialog': {
        const {id: asker, n} = this.dialog;
        this.dialog = null;
        if (asker !== null) {
          this.waiting.delete(asker);
          this.expected.get(asker).allowed.add(step.ok ? DONE : refused('declined'));
        }
        if (step.ok) {
          if (asker === null) readerSets('d', n);
          else this.d = n;
          ++this.changes;
        }
        break;
      }
      case 'field': {
        const n = Number(step.text);
        if (n >= 3 && n <= 6) {
          readerSets('d', n);
          ++this.changes;
        } else {
          this.box = {ask: n === 7 || n === 8, n};
          this.interrupt(now, refused('busy'));
        }
        break;
      }
      case 'box': {
        const {ask, n} = this.box;
        this.box = null;
        if (ask && step.ok) {
          readerSets('d', n);
          ++this.changes;
        }
        break;
      }
      default:
        throw new Error(`no such step: ${s}`);
    }
  }

  // The page's dialog opened over an animation the page drives: it may arrive, or stop as busy.
  animationMayStop() {
    const {allowed} = this.expected.get(this.animation.id);
    allowed.add(refused('busy'));
  }

  // What the view read at a rest says of the dimension and the mode, against the model's steps; the
  // model then takes them from the view.
  shapeProblems(text) {
    const shown = modeOf(text), problems = [];
    if (this.d !== null && shown.d !== this.d)
      problems.push(`the view's dimension is ${shown.d}, the steps make it ${this.d}`);
    if (this.faces !== null && shown.faces !== this.faces)
      problems.push(`the view ${shown.faces ? 'shows' : 'hides'} the faces, the steps ${this.faces ? 'show' : 'hide'} them`);
    Object.assign(this, shown);
    return problems;
  }

  // An answer from the page, seen at time `at`.
  heard(answer, at) {
    const list = this.answers.get(answer.id) || [];
    list.push({...answer, seenAt: at});
    this.answers.set(answer.id, list);
  }

  // The ids whose answers are due by now: every request but those waiting for the reader.
  due() { return [...this.expected.keys()].filter((id) => !this.waiting.has(id)); }

  // What (a) finds wrong with the answers heard: a due request without an answer, one with two, an
  // answer the model did not allow, an answer to no request. Each problem is one line.
  answerProblems(describe) {
    const problems = [];
    for (const [id, {step, allowed, race}] of this.expected) {
      const got = (this.answers.get(id) || []).map(({seenAt, ...answer}) => answer);
      const by = race && this.answers.get(race.by);
      if (by && by[0].seenAt - race.at > race.ms - SLACK_MS) allowed.add(DONE);
      const what = `request ${id} (${describe(step)})`;
      if (got.length > 1) problems.push(`${what} was answered ${got.length} times: ${JSON.stringify(got)}`);
      if (got.length === 0 && !this.waiting.has(id)) problems.push(`${what} has had no answer`);
      if (got.length && !allowed.has(outcome(got[0])))
        problems.push(`${what}: expected ${[...allowed].join(' or ') || 'no answer yet'}, ` +
                      `got ${JSON.stringify(got[0])}`);
    }
    for (const [id, got] of this.answers) {
      if (id === null) {
        if (got.length !== this.unasked || got.some((a) => a.kind !== 'malformed'))
          problems.push(`${this.unasked} messages without an id, ${got.length} refusals with id null: ` +
                        `${JSON.stringify(got)}`);
      } else if (!this.expected.has(id)) {
        problems.push(`an answer to no request: ${JSON.stringify(got)}`);
      }
    }
    return problems;
  }
}

module.exports = {WalkModel, modeOf};
