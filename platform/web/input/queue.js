// The records waiting for the program, which takes them when it next looks at its queue
// (tessary_web_pump), and the one pacing rule of the page: a press that comes right after a move to
// a new place waits until the program has shown a frame with that move, so that it has updated
// once with the pointer where the press lands (a finger's tap has no hover before it).
import {EventKind, InputRecord, MouseAction} from './host.js';

const MOUSE = EventKind.mouseEvent, MOVE = MouseAction.mouseMove, DOWN = MouseAction.mouseDown;
// Half a second at most, should the program show no frame meanwhile (paused, or in a hidden tab).
const BREAK_LIMIT_MS = 500;

export class InputQueue {
  constructor(now) {
    this.now = now || (() => performance.now());
    this.entries = [];  // records, and breaks {frameBreak: true}
    this.closed = false;
    this.pointer = null; // the last mouse move queued: {x, y, buttons}
    this.moved = false;  // the last record queued moved the pointer to a new place
  }

  // A record: an object with the fields of WebHost.h's InputRecord it uses.
  push(record) {
    if (this.closed) return;
    let newPlace = false;
    if (record.kind === MOUSE && record.action === MOVE) {
      const p = this.pointer, buttons = record.buttons | 0;
      newPlace = !p || p.x !== record.x || p.y !== record.y;
      if (!newPlace && p.buttons === buttons) return;
      this.pointer = {x: record.x, y: record.y, buttons};
    }
    if (record.kind === MOUSE && record.action === DOWN && this.moved) this.entries.push({frameBreak: true});
    this.moved = newPlace;
    this.entries.push(record);
  }

  // The program has ended: nothing waits, nothing more is taken.
  close() {
    this.closed = true;
    this.entries.length = 0;
  }

  pending() { return this.entries.length; }

  // Writes up to `capacity` records into `heap` (an Int32Array) from `index` on, as WebHost.h lays
  // them out; the number written. `framesShown` counts the frames the program has shown: a break
  // holds back what follows it until that count has moved on since the break was reached.
  take(heap, index, capacity, framesShown) {
    let moved = 0;
    while (this.entries.length > 0 && moved < capacity) {
      const e = this.entries[0];
      if (e.frameBreak) {
        if (e.since === undefined) {
          e.since = this.now();
          e.atFrame = framesShown;
        }
        if (framesShown === e.atFrame && this.now() - e.since < BREAK_LIMIT_MS) break;
        this.entries.shift();
        continue;
      }
      this.entries.shift();
      const at = index + moved * InputRecord.length;
      for (let k = 0; k < InputRecord.length; ++k) heap[at + k] = e[InputRecord[k]] | 0;
      ++moved;
    }
    return moved;
  }
}
