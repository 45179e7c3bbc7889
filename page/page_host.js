// The page's side of the protocol of page_protocol.js: it carries out what the embedding page asks
// and answers each request once, with its id. It changes only what a request names, through the
// program's own functions, and a refused request changes nothing.
import {message, readRequest} from './page_protocol.js';

// A refusal's reason for the host: the program's line, with its kind in front when it has one.
const said = (refused) => (refused.kind ? `${refused.kind}: ${refused.reason}` : refused.reason);

export class PageHost {
  // `actions`: what the program does for the host:
  //   running()             whether it runs now (nothing is asked of it otherwise)
  //   capture()             the text of the view shown
  //   apply(text)           shows a view; null, or {kind, reason} when refused
  //   setDimension(n)       a promise of null once built, or of why not (the reader may decline)
  //   setFaces(shown)       null, or why not
  //   animate(text, ms)     a promise of null on arrival, or of {kind, reason}
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
      this.post(message('refused', read.refused));
      return;
    }
    const {request} = read;
    let outcome;
    try {
      outcome = this.actions.running() ? await this.carryOut(request) : 'not started: the program is not running';
    } catch (error) {
      outcome = `failed: ${String(error && error.message).slice(0, 200)}`;
    }
    if (typeof outcome === 'object' && outcome !== null) this.post(message('view', {id: request.id, ...outcome}));
    else if (outcome) this.post(message('refused', {id: request.id, reason: outcome}));
    else this.post(message('done', {id: request.id}));
  }

  // Null when done, {view} for an answer that carries the view, otherwise the reason it was not.
  async carryOut(request) {
    const a = this.actions;
    switch (request.type) {
      case 'get-view': return {view: a.capture()};
      case 'set-view': {
        const refused = a.apply(request.view);
        return refused ? said(refused) : null;
      }
      case 'set-dimension': return a.setDimension(request.dimension);
      case 'set-faces': return a.setFaces(request.faces);
      default: { // animate-to
        const refused = await a.animate(request.view, request.ms);
        return refused ? said(refused) : null;
      }
    }
  }

  // Tells the host, unasked: `type` one of the protocol's notices.
  notify(type, fields) { this.post(message(type, fields)); }
}
