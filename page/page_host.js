// The page's side of the protocol of page_protocol.js: it carries out what the embedding page asks
// and answers each request once, with its id. It changes only what a request names, through the
// program's own functions, and a refused request changes nothing.
import {message, readRequest} from './page_protocol.js';
import {NOT_RUNNING, worded} from './page_refusal.js';
import {KINDS} from './refusal_kinds.js';

export class PageHost {
  // `actions`: what the program does for the host; each refusal is {kind, reason} (page_refusal.js):
  //   running()             whether it runs now (nothing is asked of it otherwise)
  //   capture()             the text of the view shown
  //   apply(text)           shows a view; null, or why not
  //   setDimension(n)       a promise of null once built, or of why not (the reader may decline)
  //   setFaces(shown)       null, or why not
  //   animate(text, ms)     a promise of null on arrival, or of why not
//   playTour(text)        a promise of null at the tour's end, or of why not
  // `post(message)`: sends a message to the host.
  constructor(actions, post) {
    this.actions = actions;
    this.post = post;
  }

  // Takes `data`, a message from the embedding window: ignored when it is not of the protocol,
  // otherwise answered, at once or once carried out.
  async receive(data) {
    const read = readRequest(data);
    if (!read) return;
    if (read.refused) {
      this.refuse(read.id, read.refused);
      return;
    }
    const {request} = read;
    let outcome;
    try {
      outcome = this.actions.running() ? await this.carryOut(request) : NOT_RUNNING;
    } catch (error) {
      outcome = {kind: KINDS.failed, reason: String(error && error.message).slice(0, 200)};
    }
    if (outcome && outcome.view !== undefined) this.post(message('view', {id: request.id, view: outcome.view}));
    else if (outcome) this.refuse(request.id, outcome);
    else this.post(message('done', {id: request.id}));
  }

  // Null when done, {view} for an answer that carries the view, otherwise why it was not done.
  async carryOut(request) {
    const a = this.actions;
    switch (request.type) {
      case 'get-view': return {view: a.capture()};
      case 'set-view': return a.apply(request.view);
      case 'set-dimension': return a.setDimension(request.dimension);
      case 'set-faces': return a.setFaces(request.faces);
      case 'play-tour': return a.playTour(request.tour);
      default: return a.animate(request.view, request.ms); // animate-to
    }
  }

  // The refusal with its kind apart, and the program's line as its reason.
  refuse(id, refused) { this.post(message('refused', {id, kind: refused.kind, reason: worded(refused)})); }

  // Tells the host, unasked: `type` one of the protocol's notices.
  notify(type, fields) { this.post(message(type, fields)); }
}
