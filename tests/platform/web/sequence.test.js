// Random walks over the page inside a host page of another origin: host requests in any order, some
// sent before the last was answered, mixed with the reader's own moves (digit keys, drags, the wheel,
// the page's buttons and dialog, the window's field and message box). Whenever the walk waits for
// the page to come to rest it holds the page to three things:
//   (a) every request has had exactly one answer, with its id, of a kind walk_model.js allows;
//   (b) the picture is the one a link to get-view's text opens: the desktop program's frame of that
//       text (tessary --render --panel --view) at the canvas's size, within 3 levels per channel on
//       all but 1 % of the pixels, the text masked (desktop_scenes.js);
//   (c) the host has heard one view-changed per settled change, none for a read (a read that moves
//       the view is seen at once; the page's silence after it is waited for at every fourth rest and
//       the last), and the last one it heard is the view shown.
// The picture is checked at every rest where the window draws (no dialog or message box open) and
// at the end, rendered by the desktop program beside the walk, but for faces beyond the 3-cube and
// the faults of OPEN.
// The seeds of sequence_seeds.json, walks that once failed, run first in the engine they failed in
// (skipped while their fault is open), then one fixed seed per engine (150 steps in Chromium, 40 in
// Firefox and WebKitGTK). A failure prints the seed and the steps that led to it.
//   TESSARY_WALK_SEED=n [TESSARY_WALK_STEPS=k]: that walk only; TESSARY_WALK_OPEN=1: see OPEN.
//   TESSARY_WALK_SECONDS=s: new random seeds for s seconds (make fuzz); a failing one is added to
//   sequence_seeds.json.
'use strict';
const {describe, it, after} = require('node:test');
const {execFile} = require('node:child_process');
const crypto = require('node:crypto');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {promisify} = require('node:util');
const {HostedPage} = require('./hosted_page.js');
const {ENGINES} = require('./engines.js');
const {readPng} = require('./frames.js');
const {FIELD, BUTTON, OK_ALONE, CANCEL, expectLike} = require('./desktop_scenes.js');
const {WalkModel, modeOf} = require('./walk_model.js');
const {generateWalk, describe: describeStep} = require('./walk_steps.js');

const WEB_BUILD = process.env.WEB_BUILD || path.resolve(__dirname, '../../../build-web');
const DESKTOP_BUILD = process.env.DESKTOP_BUILD || path.resolve(__dirname, '../../../build');
const RUN = (process.env.TESSARY_ENGINES || Object.keys(ENGINES).join(',')).split(',');
const OUT = fs.mkdtempSync(path.join(os.tmpdir(), 'tessary-web-sequence-'));
const SEEDS_FILE = path.join(__dirname, 'sequence_seeds.json');
// The fixed walks; the first steps of seed 1 found the fog over a farther wireframe in Chromium, of
// seed 12 in Firefox.
const FIXED = {chromium: {seed: 1, steps: 150}, firefox: {seed: 12, steps: 40}, webkit: {seed: 3, steps: 40}};
const OK_WITH_CANCEL = [452, 399];
const FOGGED = 'd'; // the mode letter of a wireframe under the fog the faces left (hypercube/ViewText.h)
// The page tells a view once two reads WATCH_MS apart agree; a view unchanged for this long, and
// for the longest time between frames more where frames are slower than that, has been told if it
// is going to be.
const QUIET_MS = 600, WATCH_MS = 200;
// The faces carry numbers whose glyphs each engine rasterises its own way, seen through one another
// from the 4-cube on: 1.1 % of the pixels differ from the desktop's for the 4-cube seen from near
// in WebKitGTK, 1.4 to 9 % from the 5-cube on, past what masking the ink takes away. Faces are
// compared for the 3-cube, as engines.test.js compares them.
const FACES_COMPARED_UP_TO = 3;
// Put into the embedded page: the longest time between two of its frames since the walk last asked.
// Where frames come further apart than the page's watch reads the view (the 7- and 8-cube's faces
// in a software renderer), a turn, drag or animation rests between frames, and each such rest is a
// settled view the page may tell.
const FRAME_GAPS = `window.walkFrames = {longest: 0, last: 0};
(function (request) {
  window.requestAnimationFrame = function (callback) {
    return request(function (time) {
      if (walkFrames.last) walkFrames.longest = Math.max(walkFrames.longest, time - walkFrames.last);
      walkFrames.last = time;
      return callback.apply(this, arguments);
    });
  };
})(window.requestAnimationFrame.bind(window));`;
const sleep = (ms) => new Promise((r) => setTimeout(r, Math.max(0, ms)));
const run = promisify(execFile);

// Faults the walk has found that are still open, by the name their kept seed gives as `open` in
// sequence_seeds.json, which is then skipped. Other walks keep out of their way, as said here, until
// they are fixed and taken out of this list; TESSARY_WALK_OPEN=1 walks into them all the same.
const OPEN = process.env.TESSARY_WALK_OPEN ? {} : {};

class WalkFailure extends Error {}

// One walk of `steps` over `page`, the host page just loaded; throws a WalkFailure that says at which
// step. `until`: a time (ms) at which the walk stops taking steps and comes to rest.
class Walk {
  constructor(page, steps, {until} = {}) {
    Object.assign(this, {page, steps, until});
    this.model = new WalkModel();
    this.messages = [];  // everything the page sent the host, in order
    this.tells = [];     // indices into messages of the view-changed notices
    this.nextId = 0;
    this.rested = 0;     // the messages heard by the end of the last rest
    this.renders = Promise.resolve(); // the desktop's renders, one after another
    this.pictures = [];               // the picture checks not yet seen through
    this.picturesTaken = 0;
    this.rests = 0;
  }

  async run() {
    await this.page.waitForHost(() => received.some((m) => m.type === 'ready'), 30000);
    await this.poll();
    this.view = this.ready = this.messages.find((m) => m.type === 'ready').view;
    for (this.at = 0; this.at < this.steps.length; ++this.at) {
      const step = this.steps[this.at];
      await this.perform(step);
      if (this.at === this.steps.length - 1 || (this.until && Date.now() > this.until && !this.model.busy)) break;
      if (step.settle) await this.rest();
    }
    await this.rest(true);
    return {steps: this.at + 1, pictures: this.picturesTaken};
  }

  fail(problems, at = this.at) {
    throw new WalkFailure(`at step ${at + 1}:\n  ${problems.join('\n  ')}`);
  }

  async poll() {
    for (const m of await this.page.received(this.messages.length)) {
      this.messages.push(m);
      if (m.type === 'view-changed') this.tells.push(this.messages.length - 1);
      else if (m.type === 'view' || m.type === 'done' || m.type === 'refused') this.model.heard(m, Date.now());
    }
  }

  // Sends a request with a fresh id (or none); returns the id and when it went.
  async send(message, withId = true) {
    const id = withId ? ++this.nextId : null;
    const sent = Date.now();
    await this.page.host((m) => ask(m), {tessary: 1, ...(withId ? {id} : {}), ...message});
    return {id, sent};
  }

  async answer(id) {
    for (const until = Date.now() + 30000; Date.now() < until; await sleep(50)) {
      await this.poll();
      const got = this.model.answers.get(id);
      if (got) return got[0];
    }
    this.fail([`request ${id} has had no answer within 30 s`]);
  }

  async perform(step) {
    const page = this.page, take = (id, at) => this.model.take(step, id, at);
    switch (step.do) {
      case 'set-view': case 'animate-to': case 'set-dimension': case 'set-faces': case 'get-view': {
        const {do: type, settle, ...fields} = step;
        const {id, sent} = await this.send({type, ...fields});
        return take(id, sent);
      }
      case 'wrong': {
        const {noId, ...message} = step.message;
        const {id, sent} = await this.send(message, !noId);
        return take(id, sent);
      }
      case 'reapply': {
        const read = await this.send({type: 'get-view'});
        take(read.id, read.sent);
        const {view} = await this.answer(read.id);
        return this.send({type: 'set-view', view});
      }
      case 'turn':
        if (!(await this.drawing())) await this.tap(); // the keyboard to the window
        await page.hold([...(step.shift ? ['ShiftLeft'] : []), ...step.keys.map((k) => `Digit${k}`)], step.ms);
        // WebKitGTK can leave keys held after WebDriver's key-up; the keyboard leaving the window
        // lets go of every key.
        await page.evaluate(() => { Module.canvas.blur(); Module.canvas.focus(); });
        return take(null, Date.now());
      case 'drag': {
        const [x, y] = step.from;
        await page.move(x, y);
        await page.driver.pointerDown();
        await this.paced(6, (k) => page.move(x + (step.by[0] * k) / 6, y + (step.by[1] * k) / 6));
        await page.driver.pointerUp();
        return take(null, Date.now());
      }
      case 'wheel':
        await this.tap(); // inside another page the wheel is the window's once it is clicked
        await this.paced(Math.abs(step.notches), () => page.wheel(512, 400, step.notches > 0 ? -100 : 100));
        return take(null, Date.now());
      case 'page-dimension': case 'faces-button':
        await page.evaluate((n) => document.querySelector(n ? `[data-dimension="${n}"]` : '[data-faces]').focus(),
                            step.dimension || 0);
        await page.press('Enter');
        // The reader reads the question before anything else happens: what the host asks meanwhile
        // meets the dialog, not a race with its opening.
        if (step.dimension >= 7) await page.waitFor(() => document.getElementById('ask').open, 5000);
        return take(null, Date.now());
      case 'dialog':
        if (!(await page.evaluate(() => document.getElementById('ask').open)))
          this.fail(['the page\'s dialog is not open, though the model expects its question']);
        await page.press(step.ok ? 'Enter' : 'Escape');
        return take(null, Date.now());
      case 'field':
        if (OPEN['field retyped']) await this.quiet();
        await page.click(...FIELD);
        for (let k = 0; k < 3; ++k) await page.press('Backspace');
        await page.type(step.text);
        if (!OPEN['field retyped']) await sleep(800); // a reader looks at what they typed
        await page.click(...BUTTON);
        return take(null, Date.now());
      case 'box':
        await page.click(...(!step.ok ? CANCEL : this.model.box.ask ? OK_WITH_CANCEL : OK_ALONE));
        return take(null, Date.now());
      default:
        throw new Error(`no such step ${step.do}`);
    }
  }

  // Waits for every answer due and for the view to rest, reads it, and checks (a) and (c); the
  // picture of the view read goes to the queue of (b) when the window draws.
  async rest(final = false) {
    const due = () => this.model.due().filter((id) => !this.model.answers.has(id));
    for (const until = Date.now() + 8000 + (this.model.animation ? this.model.animation.ms : 0);
      due().length && Date.now() < until; await sleep(100)) await this.poll();
    const rested = await this.quiet();
    this.model.arrive();

    // The walk's own read of the view, which must change nothing and be told nothing.
    const read = await this.send({type: 'get-view'});
    this.model.take({do: 'get-view', settle: true}, read.id, read.sent);
    const view = (await this.answer(read.id)).view;
    const answered = Date.now(), moved = await this.peek();
    if (final && !this.model.busy && !(await this.drawing())) await this.tap();
    const {d, faces} = modeOf(view);
    const compared = faces ? d <= FACES_COMPARED_UP_TO : !OPEN['render depth'] || !/^v1\.\dd/.test(view);
    if (compared && !this.model.busy && (await this.drawing())) this.queuePicture(view, await this.page.frame());
    // A read that moved the view is seen at once; whether the page then tells anything is waited
    // for at every fourth rest and the last, and left to the next rest's count otherwise.
    if (final || ++this.rests % 4 === 0) await sleep(answered + this.quietMs - Date.now());
    await this.poll();
    const problems = this.model.answerProblems(describeStep).map((p) => `(a) ${p}`);
    problems.push(...await this.stateProblems(), ...this.model.shapeProblems(view));
    if (moved !== rested) problems.push(`(c) get-view moved the view:\n    before ${rested}\n    after  ${moved}`);
    const errors = await this.page.evaluate(() => tessaryErrors.splice(0));
    if (errors.length) problems.push(`the page's errors: ${errors.join(' | ')}`);
    problems.push(...await this.toldProblems(view, this.messages.findIndex((m) => m.id === read.id)));
    if (problems.length) this.fail(problems);
    this.view = view;
    this.rested = this.messages.length;
    this.model.changes = this.model.gradual = this.model.pauses = 0;
    await this.picturesChecked(final);
  }

  // A click on the scene, where it turns nothing, to give the window the keyboard and the wheel. The
  // page holds a press back until the program has seen the pointer arrive.
  async tap() {
    await this.page.move(512, 600);
    await this.page.driver.pointerDown();
    await this.page.driver.pointerUp();
  }

  // Gives `count` moves of one gesture (`move(k)`, k from 1). A pause between two of them as long as
  // the page's watch interval is a rest the page may tell, which the model is told of.
  async paced(count, move) {
    let last = Date.now();
    for (let k = 1; k <= count; ++k) {
      await move(k);
      if (k > 1 && Date.now() - last >= WATCH_MS - 50) ++this.model.pauses;
      last = Date.now();
    }
  }

  // The view shown, read without settling it, as the page's watch reads it.
  async peek() {
    const [view, gap] = await this.page.evaluate(() => [Module.UTF8ToString(Module._tessary_peek_view()),
                                                        walkFrames.longest]);
    this.quietMs = QUIET_MS + (gap >= WATCH_MS ? gap : 0);
    return view;
  }

  // Waits until the view has not changed for QUIET_MS (and the frames' longest gap since the last
  // rest, where that is longer than the watch's interval), or for two of the watch's intervals once
  // it is the view told last. Gives the view.
  async quiet() {
    const told = () => (this.tells.length ? this.messages[this.tells[this.tells.length - 1]].view : this.ready);
    let last = await this.peek(), since = Date.now();
    for (const until = Date.now() + 20000; ; await sleep(100)) {
      await this.poll();
      const now = await this.peek();
      if (now !== last) [last, since] = [now, Date.now()];
      if (Date.now() - since >= this.quietMs || (Date.now() - since >= 2 * WATCH_MS && now === told())) return now;
      if (Date.now() > until) this.fail(['the view did not come to rest within 20 s']);
    }
  }

  // What the model says of the page's dialog and the program's message box, against the page.
  async stateProblems() {
    const shown = await this.page.evaluate(() => ({
      dialog: document.getElementById('ask').open,
      box: JSON.parse(Module.UTF8ToString(Module._tessary_page_state())).message,
    }));
    const problems = [];
    if (shown.dialog !== (this.model.dialog !== null))
      problems.push(`the page's dialog is ${shown.dialog ? 'open' : 'closed'}, the model expects it ${shown.dialog ? 'closed' : 'open'}`);
    if ((shown.box !== null) !== (this.model.box !== null))
      problems.push(`the program's message box is ${shown.box ? `open (${shown.box})` : 'closed'}, the model expects ` +
                    `it ${shown.box ? 'closed' : 'open'}`);
    return problems;
  }

  // (c) at a rest whose read gave `view`, its answer at `readAt` among the messages.
  async toldProblems(view, readAt) {
    const problems = [];
    const told = (from, to) => this.tells.filter((k) => k >= from && k < to).map((k) => this.messages[k].view);
    const during = told(this.rested, readAt), after = told(readAt, this.messages.length);
    const {changes, gradual, pauses} = this.model, changed = view !== this.view;
    const slow = await this.page.evaluate(() => [walkFrames.longest, walkFrames.longest = 0][0]);
    const most = gradual && slow >= WATCH_MS ? Infinity : changes + pauses;
    if (changes === 0 && changed)
      problems.push(`(c) nothing changed the view since the last rest, yet get-view gives another text:\n` +
                    `    before ${this.view}\n    now    ${view}`);
    if (during.length > most || during.length < (changed ? 1 : 0))
      problems.push(`(c) ${during.length} view-changed heard for ${changes} steps that may change the view ` +
                    `(the view ${changed ? 'changed' : 'did not change'}; ${pauses} pauses in a gesture, frames at ` +
                    `most ${slow.toFixed(0)} ms apart): ${JSON.stringify(during)}`);
    const lastTold = this.tells.length ? this.messages[this.tells[this.tells.length - 1]].view : this.ready;
    if (after.length) problems.push(`(c) get-view (${view}) was followed by view-changed: ${JSON.stringify(after)}`);
    else if (lastTold !== view) problems.push(`(c) the last view told (${lastTold}) is not the view get-view gives (${view})`);
    const all = this.tells.map((k) => this.messages[k].view);
    for (let k = 1; k < all.length; ++k)
      if (all[k] === all[k - 1]) problems.push(`(c) view-changed twice in a row with the same view ${all[k]}`);
    return problems;
  }

  // The window draws only while it has the keyboard.
  drawing() { return this.page.evaluate(() => document.hasFocus() && document.activeElement === Module.canvas); }

  // (b): the frame against the desktop's frame of the same text, rendered one at a time while the
  // walk goes on.
  queuePicture(view, web) {
    const at = this.at, name = `step-${at + 1}`, file = path.join(OUT, `desktop-${crypto.randomUUID()}.png`);
    const render = () => run(path.join(DESKTOP_BUILD, 'tessary'),
                             ['--render', file, '--panel', '--width', String(web.width), '--view', view],
                             {env: {...process.env, SDL_VIDEODRIVER: 'offscreen'}});
    const checked = this.renders.then(render).then(() => {
      const desktop = readPng(file);
      fs.rmSync(file);
      expectLike({[name]: desktop}, OUT, 'web', name, web, undefined, modeOf(view).faces);
    }).then(() => null, (e) => ({at, problem: `(b) the picture of ${view}: ${e.stderr || e.message}`}));
    this.renders = checked;
    this.pictures.push(checked);
    ++this.picturesTaken;
  }

  // Fails on the first picture that differed, of those checked by now (all of them, `all`).
  async picturesChecked(all = false) {
    if (all) await Promise.all(this.pictures);
    const settled = await Promise.all(this.pictures.map((p) => Promise.race([p, sleep(0).then(() => undefined)])));
    const failed = settled.find((outcome) => outcome && outcome.problem);
    if (failed) this.fail([failed.problem], failed.at);
    this.pictures = this.pictures.filter((p, k) => settled[k] === undefined);
  }
}

// Runs walk `seed` of `count` steps in `engine`; a failure's message carries the seed and the steps.
// WebKitGTK's compositing thread dies in Mesa's software rasteriser (a segmentation fault in
// swrast_dri.so, in the kernel's log) at no step in particular, in 9 of 13 walks of 40 steps, while
// the shorter tests never met it; without accelerated compositing it never did in the walks tried,
// and the pictures are the same. Should an engine still crash (WebDriver: the session is gone), the
// walk is walked again from the start, once.
process.env.WEBKIT_DISABLE_COMPOSITING_MODE = '1';
const ENGINE_CRASHED = /invalid session id/;

// The browser of an engine, kept for its walks: `held.page` is its host page, loaded afresh for each
// walk.
async function freshPage(engine, held) {
  if (held.page) {
    try {
      await held.page.reload();
      return held.page;
    } catch (e) {
      await held.page.close().catch(() => {});
    }
  }
  held.page = await HostedPage.open(engine, WEB_BUILD, '/', FRAME_GAPS);
  return held.page;
}

async function walk(engine, held, seed, count, options) {
  for (let attempt = 1; ; ++attempt) {
    try {
      return await walkOnce(await freshPage(engine, held), engine, seed, count, options);
    } catch (e) {
      if (!ENGINE_CRASHED.test(e.message) || attempt === 2) throw e;
      console.log(`${engine} crashed in walk seed ${seed} ${e.message.split('\n')[0].replace(/.* failed /, '')}` +
                  ' walking it again');
      await held.page.close().catch(() => {});
      held.page = null;
    }
  }
}

async function walkOnce(page, engine, seed, count, options) {
  const steps = generateWalk(seed, count, FOGGED);
  const walker = new Walk(page, steps, options);
  try {
    return await walker.run();
  } catch (e) {
    // A failure of the walk says at which step; anything else (a browser that went away) happened
    // during the step under way.
    const at = e instanceof WalkFailure ? Number(/^at step (\d+)/.exec(e.message)[1]) : walker.at + 1;
    const why = e instanceof WalkFailure ? e.message : `at step ${at}:\n  ${e.message}`;
    const list = steps.slice(0, at).map((s, k) => `  ${String(k + 1).padStart(3)}. ${describeStep(s)}`).join('\n');
    const failure = new Error(`walk seed ${seed} in ${engine} failed ${why}\nsteps:\n${list}\n` +
                              `again: TESSARY_ENGINES=${engine} TESSARY_WALK_SEED=${seed} TESSARY_WALK_STEPS=${at} ` +
                              `node --test sequence.test.js (frames in ${OUT})`);
    failure.seed = seed;
    failure.steps = at;
    throw failure;
  }
}

const kept = () => JSON.parse(fs.readFileSync(SEEDS_FILE, 'utf8'));
const keep = (entry) => fs.writeFileSync(SEEDS_FILE, `[\n${[...kept(), entry].map((k) => ` ${JSON.stringify(k)}`).join(',\n')}\n]\n`);

for (const engine of RUN) {
  describe(`Random walks of host requests and reader moves, in ${engine}`, () => {
    const browser = {page: null};
    after(async () => { if (browser.page) await browser.page.close(); });
    const held = async (seed, count, options) => {
      const {steps, pictures} = await walk(engine, browser, seed, count, options);
      console.log(`walk seed ${seed} in ${engine}: ${steps} steps held, ${pictures} pictures checked`);
    };
    if (process.env.TESSARY_WALK_SECONDS) {
      it('new seeds hold the page to its answers, its picture and its notices', async () => {
        const until = Date.now() + Number(process.env.TESSARY_WALK_SECONDS) * 1000;
        while (Date.now() < until) {
          const seed = crypto.randomInt(2 ** 31);
          console.log(`walk seed ${seed} in ${engine}`);
          try {
            await held(seed, 150, {until});
          } catch (e) {
            if (e.seed !== undefined)
              keep({seed: e.seed, steps: e.steps, engine, found: e.message.split('\n')[1].trim()});
            throw e;
          }
        }
      });
    } else if (process.env.TESSARY_WALK_SEED) {
      it(`seed ${process.env.TESSARY_WALK_SEED}`, async () => {
        await held(Number(process.env.TESSARY_WALK_SEED), Number(process.env.TESSARY_WALK_STEPS || 150));
      });
    } else {
      for (const {seed, steps, found, open} of kept().filter((k) => k.engine === engine)) {
        it(`seed ${seed}, ${steps} steps, which found: ${found}`, {skip: OPEN[open] && `still open: ${open}`},
           async () => { await held(seed, steps); });
      }
      const {seed, steps} = FIXED[engine];
      it(`seed ${seed}: ${steps} steps hold the page to its answers, its picture and its notices`, async () => {
        await held(seed, steps);
      });
    }
  });
}
