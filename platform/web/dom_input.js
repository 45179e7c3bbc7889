// Browser input as the program's window sees it. The pure translations (physical key to virtual
// key, typed text to UTF-16 units, wheel deltas to notches, DOM buttons to the window's two, page to
// canvas pixels) are plain functions that run under Node for their tests; `attach` binds them to a
// canvas and hands each event to `post` as [kind, a, b, c, d], which the platform layer turns into
// window messages when the program next looks at its queue.
(function (root) {
  'use strict';

  // The numbers shared with the program, as platform/web/WebHost.h defines them: the kinds of input
  // record and of mouse record, a record's length, and the cursors by number.
  var HOST = {
    EVENT: {KEY: 1, CHAR: 2, MOUSE: 3, WHEEL: 4, FOCUS: 5},
    MOUSE: {MOVE: 0, DOWN: 1, UP: 2},
    EVENT_LENGTH: 5,
    CURSOR: ['none', 'default', 'text'],
  };
  var EVENT = HOST.EVENT;
  var MOUSE = HOST.MOUSE;

  var NAMED_KEYS = {
    Backspace: 0x08, Tab: 0x09, Enter: 0x0D, NumpadEnter: 0x0D, Escape: 0x1B, Space: 0x20,
    ShiftLeft: 0x10, ShiftRight: 0x10, ControlLeft: 0x11, ControlRight: 0x11, AltLeft: 0x12,
    AltRight: 0x12, ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28,
    Home: 0x24, End: 0x23, Delete: 0x2E,
  };

  // KeyboardEvent.code names the key's place on the keyboard, whatever the layout prints on it,
  // which is the rule of the Linux build: the digit row gives '0'..'9' on every layout, the keypad
  // gives VK_NUMPAD0..9. 0 for keys the program has no use for.
  function virtualKey(code) {
    var m;
    if ((m = /^Key([A-Z])$/.exec(code))) return m[1].charCodeAt(0);
    if ((m = /^Digit([0-9])$/.exec(code))) return m[1].charCodeAt(0);
    if ((m = /^Numpad([0-9])$/.exec(code))) return 0x60 + Number(m[1]);
    if ((m = /^F([1-9]|1[0-2])$/.exec(code))) return 0x6F + Number(m[1]);
    return NAMED_KEYS[code] || 0;
  }

  // The text a key press types, as UTF-16 code units (two for a character beyond the BMP). Named
  // keys (Backspace, Enter, ...) type nothing here: their characters come from TranslateMessage,
  // as on Windows. Shortcuts with Ctrl, Alt or Meta type nothing either.
  function typedUnits(key, ctrl, alt, meta) {
    if (ctrl || alt || meta || typeof key !== 'string' || Array.from(key).length !== 1) return [];
    var units = [];
    for (var i = 0; i < key.length; ++i) units.push(key.charCodeAt(i));
    return units;
  }

  // Wheel deltas as whole notches, positive away from the user (the DOM's deltaY grows towards
  // the user). A wheel notch arrives as one event of about 100 pixels, 3 lines or 1 page; an event
  // of at least half that is one notch or more on its own, smaller ones (touchpads) add up.
  var NOTCH = [100, 3, 1]; // DOM_DELTA_PIXEL, DOM_DELTA_LINE, DOM_DELTA_PAGE
  function WheelNotches() { this.rest = 0; }
  WheelNotches.prototype.take = function (deltaY, deltaMode) {
    var v = -deltaY / (NOTCH[deltaMode] || NOTCH[0]);
    if (Math.abs(v) >= 0.5) {
      this.rest = 0;
      return Math.sign(v) * Math.round(Math.abs(v));
    }
    this.rest += v;
    var n = Math.trunc(this.rest);
    this.rest -= n;
    return n;
  };

  // DOM button numbers to the window's: 0 left, 1 right; the middle and side buttons are ignored.
  function windowButton(domButton) {
    return domButton === 0 ? 0 : domButton === 2 ? 1 : -1;
  }

  // Page coordinates to canvas pixels, signed: a captured drag beyond the canvas goes negative or
  // past the size, as a captured drag outside a window does.
  function canvasPoint(clientX, clientY, rect, width, height) {
    return [Math.floor((clientX - rect.left) * width / (rect.width || width)),
            Math.floor((clientY - rect.top) * height / (rect.height || height))];
  }

  function attach(canvas, post) {
    var wheel = new WheelNotches();
    var point = function (e) {
      return canvasPoint(e.clientX, e.clientY, canvas.getBoundingClientRect(), canvas.width, canvas.height);
    };
    var mouse = function (kind, button, e) {
      var p = point(e);
      post([EVENT.MOUSE, kind, button, p[0], p[1]]);
    };
    canvas.addEventListener('pointerdown', function (e) {
      canvas.focus();
      var b = windowButton(e.button);
      if (b < 0) return;
      e.preventDefault();
      canvas.setPointerCapture(e.pointerId);
      mouse(MOUSE.DOWN, b, e);
    });
    canvas.addEventListener('pointermove', function (e) {
      // A second button pressed or released while another is held comes as a move with `button` set.
      var b = windowButton(e.button);
      if (b >= 0) mouse(e.buttons & (b === 0 ? 1 : 2) ? MOUSE.DOWN : MOUSE.UP, b, e);
      else mouse(MOUSE.MOVE, -1, e);
    });
    canvas.addEventListener('pointerup', function (e) {
      var b = windowButton(e.button);
      if (b >= 0) mouse(MOUSE.UP, b, e);
    });
    canvas.addEventListener('contextmenu', function (e) { e.preventDefault(); });
    canvas.addEventListener('wheel', function (e) {
      e.preventDefault();
      var n = wheel.take(e.deltaY, e.deltaMode);
      var p = point(e);
      if (n !== 0) post([EVENT.WHEEL, n, p[0], p[1], 0]);
    }, {passive: false});
    canvas.addEventListener('keydown', function (e) {
      var vk = virtualKey(e.code);
      if (vk === 0) return;
      // The browser keeps its own function keys and shortcuts; everything else is the program's.
      if (!(vk >= 0x70 && vk <= 0x7B) && !e.ctrlKey && !e.metaKey) e.preventDefault();
      post([EVENT.KEY, vk, 1, e.repeat ? 1 : 0, 0]);
      typedUnits(e.key, e.ctrlKey, e.altKey, e.metaKey).forEach(function (u) {
        post([EVENT.CHAR, u, 0, 0, 0]);
      });
    });
    canvas.addEventListener('keyup', function (e) {
      var vk = virtualKey(e.code);
      if (vk !== 0) post([EVENT.KEY, vk, 0, 0, 0]);
    });
    canvas.addEventListener('focus', function () { post([EVENT.FOCUS, 1, 0, 0, 0]); });
    canvas.addEventListener('blur', function () { post([EVENT.FOCUS, 0, 0, 0, 0]); });
  }

  var api = {HOST: HOST, EVENT: EVENT, MOUSE: MOUSE, virtualKey: virtualKey, typedUnits: typedUnits,
             WheelNotches: WheelNotches, windowButton: windowButton, canvasPoint: canvasPoint,
             attach: attach};
  if (typeof module !== 'undefined' && module.exports) module.exports = api;
  else root.TessaryInput = api;
})(this);
