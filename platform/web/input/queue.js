// The records waiting for the program, which takes them when it next looks at its queue
// (tessary_web_pump), and the one pacing rule of the page: a press that comes right after a move to
// a new place waits until the program has shown a frame with that move, so that it has updated
// once with the pointer where the press lands (a finger's tap has no hover before it).
define('queue', ['host'], function (host) {
  var FIELDS = host.InputRecord;
  var MOUSE = host.EventKind.mouseEvent, MOVE = host.MouseAction.mouseMove, DOWN = host.MouseAction.mouseDown;
  // Half a second at most, should the program show no frame meanwhile (paused, or in a hidden tab).
  var BREAK_LIMIT_MS = 500;

  function InputQueue(now) {
    this.now = now || function () { return performance.now(); };
    this.entries = [];  // records, and breaks {frameBreak: true}
    this.closed = false;
    this.pointer = null; // the last mouse move queued: {x, y, buttons}
    this.moved = false;  // the last record queued moved the pointer to a new place
  }
  // A record: an object with the fields of WebHost.h's InputRecord it uses.
  InputQueue.prototype.push = function (record) {
    if (this.closed) return;
    var newPlace = false;
    if (record.kind === MOUSE && record.action === MOVE) {
      var p = this.pointer, buttons = record.buttons | 0;
      newPlace = !p || p.x !== record.x || p.y !== record.y;
      if (!newPlace && p.buttons === buttons) return;
      this.pointer = {x: record.x, y: record.y, buttons: buttons};
    }
    if (record.kind === MOUSE && record.action === DOWN && this.moved) this.entries.push({frameBreak: true});
    this.moved = newPlace;
    this.entries.push(record);
  };
  // The program has ended: nothing waits, nothing more is taken.
  InputQueue.prototype.close = function () {
    this.closed = true;
    this.entries.length = 0;
  };
  InputQueue.prototype.pending = function () { return this.entries.length; };
  // Writes up to `capacity` records into `heap` (an Int32Array) from `index` on, as WebHost.h lays
  // them out; the number written. `framesShown` counts the frames the program has shown: a break
  // holds back what follows it until that count has moved on since the break was reached.
  InputQueue.prototype.take = function (heap, index, capacity, framesShown) {
    var moved = 0;
    while (this.entries.length > 0 && moved < capacity) {
      var e = this.entries[0];
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
      var at = index + moved * FIELDS.length;
      for (var k = 0; k < FIELDS.length; ++k) heap[at + k] = e[FIELDS[k]] | 0;
      ++moved;
    }
    return moved;
  };
  return {InputQueue: InputQueue};
});
