// <tessary-view>: Tessary in another page, as one element. Import this module and write
//
//   <tessary-view src="https://example.org/tessary/index.html" view="v1.4f…" lang="en">
//     <a href="https://example.org/tessary/index.html#view=v1.4f…"><img src="cube.png" alt="…"></a>
//   </tessary-view>
//
// The element holds the page in a frame of 4:3 and speaks the page's message protocol with it
// (docs/embedding.md): `view` (attribute and property) sets the view, animateTo(view, ms) moves
// there and resolves on arrival, playTour(text) plays a tour and resolves at its end, and a
// `viewchange` event says each settled view, whoever made it.
// Without scripts, or before this module runs, the element's content shows instead.
const VERSION = 1;
const ALLOW = 'fullscreen; clipboard-write; web-share';
const STYLE = ':host { display: block; aspect-ratio: 4 / 3; } ' +
              'iframe { display: block; width: 100%; height: 100%; border: 0; }';

class TessaryView extends HTMLElement {
  static get observedAttributes() { return ['src', 'view', 'lang']; }

  constructor() {
    super();
    // No slot: once the element runs, its fallback content is not shown.
    this.attachShadow({mode: 'open'}).innerHTML = `<style>${STYLE}</style>`;
    this.frame = null;
    this.ready = false;
    this.shown = null; // the view the page last said it shows
    this.nextId = 1;
    this.waiting = new Map(); // id: {resolve, reject} of each request not yet answered
    this.queued = []; // requests made before the page was ready
    this.onMessage = (event) => this.receive(event);
  }

  connectedCallback() {
    window.addEventListener('message', this.onMessage);
    this.load();
  }

  disconnectedCallback() {
    window.removeEventListener('message', this.onMessage);
    this.unload(new Error('the element left the document'));
  }

  // Before the page is ready a view waits for it (the ready message applies the attribute); the
  // frame is made once the element is in the document, and made again for a new src or lang.
  attributeChangedCallback(name, before, now) {
    if (before === now) return;
    if (name !== 'view') {
      if (this.frame) this.load();
    } else if (this.ready && now && now !== this.shown) {
      this.request({type: 'set-view', view: now}).catch(() => {});
    }
  }

  get src() { return this.getAttribute('src') || ''; }
  set src(value) { this.setAttribute('src', value); }
  get lang() { return this.getAttribute('lang') || ''; }
  set lang(value) { this.setAttribute('lang', value); }
  // The view shown: the last the page told, or the one asked for until it has told one.
  get view() { return this.shown !== null ? this.shown : this.getAttribute('view'); }
  set view(text) { this.setAttribute('view', text); }

  // Moves from the view shown to `view` in `ms` milliseconds; resolves once there, rejects when the
  // page refuses with an Error whose message is the page's reason and whose `kind` is its kind.
  animateTo(view, ms = 1000) { return this.request({type: 'animate-to', view, ms}); }
  // Plays a tour (docs/tours.md) from the view shown; resolves at its end, rejects as animateTo.
  playTour(tour) { return this.request({type: 'play-tour', tour}); }

  // The page's own requests, for what the element has no property of.
  getView() { return this.request({type: 'get-view'}).then((answer) => answer.view); }
  setDimension(dimension) { return this.request({type: 'set-dimension', dimension}); }
  setFaces(faces) { return this.request({type: 'set-faces', faces}); }

  // The frame's address: the page, embedded, in the element's language.
  address() {
    const url = new URL(this.src, document.baseURI);
    url.searchParams.set('embed', '');
    if (this.lang) url.searchParams.set('lang', this.lang);
    return url;
  }

  load() {
    if (!this.src) return;
    this.unload(new Error('the page was loaded again'));
    this.target = this.address();
    const frame = document.createElement('iframe');
    frame.src = this.target.href;
    frame.allow = ALLOW;
    frame.title = this.getAttribute('title') || 'QV作品---Tessary';
    this.shadowRoot.append(frame);
    this.frame = frame;
  }

  unload(reason) {
    if (this.frame) this.frame.remove();
    this.frame = null;
    this.ready = false;
    for (const {reject} of this.waiting.values()) reject(reason);
    this.waiting.clear();
    for (const {reject} of this.queued) reject(reason);
    this.queued = [];
  }

  request(fields) {
    return new Promise((resolve, reject) => {
      const sent = {fields, resolve, reject};
      if (this.ready) this.send(sent);
      else this.queued.push(sent);
    });
  }

  send({fields, resolve, reject}) {
    const id = this.nextId++;
    this.waiting.set(id, {resolve, reject});
    this.frame.contentWindow.postMessage({tessary: VERSION, id, ...fields}, this.target.origin);
  }

  // Only the element's own frame is heard.
  receive(event) {
    const data = event.data;
    if (!this.frame || event.source !== this.frame.contentWindow || !data || data.tessary !== VERSION) return;
    const answered = this.waiting.get(data.id);
    switch (data.type) {
      case 'ready': {
        this.ready = true;
        this.shown = data.view;
        const asked = this.getAttribute('view');
        if (asked && asked !== data.view) this.queued.unshift({fields: {type: 'set-view', view: asked},
                                                                resolve() {}, reject() {}});
        for (const sent of this.queued.splice(0)) this.send(sent);
        this.dispatchEvent(new CustomEvent('ready', {detail: {view: data.view}}));
        break;
      }
      case 'view-changed':
        this.shown = data.view;
        this.dispatchEvent(new CustomEvent('viewchange', {detail: {view: data.view}}));
        break;
      case 'question':
        this.dispatchEvent(new CustomEvent('question', {detail: {text: data.text}}));
        break;
      default:
        if (!answered) return;
        this.waiting.delete(data.id);
        if (data.type === 'refused') answered.reject(Object.assign(new Error(data.reason), {kind: data.kind}));
        else answered.resolve(data);
    }
  }
}

if (!customElements.get('tessary-view')) customElements.define('tessary-view', TessaryView);

export {TessaryView};
