// The messages a page that embeds this one exchanges with it through window.postMessage, version 1.
// Every message is an object {tessary: 1, type, id, ...}: `id` is a number the host chooses, and the
// answer to a request carries it back. docs/embedding.md shows this table to authors; the fuzz
// target takes its words from it.
import {KINDS} from './refusal_kinds.js';

export const VERSION = 1;

// The longest text a message may carry: a view's text is far shorter (the program refuses one that
// is too long with its own reason); this only keeps a huge string away from the program's memory.
export const MAX_TEXT = 1024;
// The longest tour's text: room for a few dozen steps with views in them.
export const MAX_TOUR = 16384;
// The longest animation, in milliseconds.
export const MAX_MS = 60000;

const malformed = (reason) => ({kind: KINDS.malformed, reason});

// The checks of the fields a request may carry: null when `value` will do, otherwise why not,
// {kind, reason}. Which dimensions are built is the program's rule, which it applies itself.
const FIELDS = {
  view: (v) => (typeof v !== 'string' ? malformed('view must be a text')
                : v.length > MAX_TEXT ? malformed(`view is ${v.length} characters long, at most ${MAX_TEXT}`) : null),
  dimension: (v) => (Number.isInteger(v) ? null : malformed('dimension must be a whole number')),
  faces: (v) => (typeof v === 'boolean' ? null : malformed('faces must be true or false')),
  tour: (v) => (typeof v !== 'string' ? malformed('tour must be a text')
                : v.length > MAX_TOUR ? malformed(`tour is ${v.length} characters long, at most ${MAX_TOUR}`) : null),
  ms: (v) => (typeof v !== 'number' || !Number.isFinite(v) ? malformed('ms must be a finite number')
              : v < 0 || v > MAX_MS ? {kind: KINDS.outOfRange, reason: `ms must be from 0 to ${MAX_MS}`} : null),
};

// From the host: each request's type and the fields it must carry beside tessary, type and id.
export const REQUESTS = {
  'get-view': [],              // answered {type: 'view', id, view}
  'set-view': ['view'],        // shown as a link's view is; answered done or refused
  'set-dimension': ['dimension'], // as the page's dimension buttons: 7 and 8 ask the reader first
  'set-faces': ['faces'],
  'animate-to': ['view', 'ms'], // answered done on arrival
  'play-tour': ['tour'],        // answered done at its end (docs/tours.md)
};

// From the page: answers to a request, and what it says of itself to the host unasked.
// A refusal's `reason` is the program's line "<kind>: <reason>", for a host that only reads that.
export const ANSWERS = {view: ['id', 'view'], done: ['id'], refused: ['id', 'kind', 'reason']};
export const NOTICES = {ready: ['view'], 'view-changed': ['view'], question: ['text']};

const own = (object, key) => Object.prototype.hasOwnProperty.call(object, key);

// What `data`, a message from the host, asks: null when it is none of this protocol's (no object, or
// no `tessary` field: other scripts of the host talk through the same channel); otherwise
// {request: {type, id, ...fields}} or {id, refused: {kind, reason}}, `id` null when the message had none.
export function readRequest(data) {
  if (data === null || typeof data !== 'object' || Array.isArray(data) || !own(data, 'tessary')) return null;
  const id = typeof data.id === 'number' && Number.isFinite(data.id) ? data.id : null;
  const refuse = (refused) => ({id, refused});
  if (data.tessary !== VERSION) return refuse(malformed(`this page speaks version ${VERSION} of the protocol`));
  if (id === null) return refuse(malformed('id must be a finite number'));
  if (typeof data.type !== 'string' || !own(REQUESTS, data.type))
    return refuse(malformed(`unknown type; a request is one of ${Object.keys(REQUESTS).join(', ')}`));
  const fields = REQUESTS[data.type];
  for (const key of Object.keys(data))
    if (key !== 'tessary' && key !== 'type' && key !== 'id' && !fields.includes(key))
      return refuse(malformed(`${data.type} carries no field ${key.slice(0, 40)}`));
  const request = {type: data.type, id};
  for (const key of fields) {
    if (!own(data, key)) return refuse(malformed(`${data.type} needs ${key}`));
    const wrong = FIELDS[key](data[key]);
    if (wrong) return refuse(wrong);
    request[key] = data[key];
  }
  return {request};
}

// The message the page sends: an answer or a notice of `type` with `fields`.
export function message(type, fields) {
  return {tessary: VERSION, type, ...fields};
}
