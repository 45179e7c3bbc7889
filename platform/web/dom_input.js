// Browser input as the program's window sees it. The pure translations (physical key to virtual
// key, typed text to UTF-16 units, wheel deltas and pinches to notches, DOM buttons to the window's
// two, page to canvas pixels, pointers to the one mouse) run under Node for their tests; `attach`
// binds them to a canvas and hands each event to `post` as [kind, a, b, c, d], which the platform
// layer turns into window messages when the program next looks at its queue.
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
  // Not an event: the queue hands out nothing behind it until the program has shown a frame, so
  // that the move before a press has been seen by a whole frame step when the press arrives.
  var FRAME_BREAK = Object.freeze({frameBreak: true});
  var VK_BACK = 0x08, VK_RETURN = 0x0D, VK_TAB = 0x09;

  var NAMED_KEYS = {
    Backspace: 0x08, Tab: 0x09, Enter: 0x0D, NumpadEnter: 0x0D, Escape: 0x1B, Space: 0x20,
    ShiftLeft: 0x10, ShiftRight: 0x10, ControlLeft: 0x11, ControlRight: 0x11, AltLeft: 0x12,
    AltRight: 0x12, ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28,
    Home: 0x24, End: 0x23, Delete: 0x2E,
  };
  // KeyboardEvent.key names of the same keys, for keyboards that leave `code` empty (Android's).
  var KEY_NAMES = {
    Backspace: 0x08, Tab: 0x09, Enter: 0x0D, Escape: 0x1B, ' ': 0x20, Shift: 0x10, Control: 0x11,
    Alt: 0x12, ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28, Home: 0x24,
    End: 0x23, Delete: 0x2E,
  };

  // KeyboardEvent.code names the key's place on the keyboard, whatever the layout prints on it,
  // which is the rule of the Linux build: the digit row gives '0'..'9' on every layout, the keypad
  // gives VK_NUMPAD0..9. A keyboard that gives no code is read by the key's meaning instead. 0 for
  // keys the program has no use for.
  function virtualKey(code, key) {
    var m;
    if (code) {
      if ((m = /^Key([A-Z])$/.exec(code))) return m[1].charCodeAt(0);
      if ((m = /^Digit([0-9])$/.exec(code))) return m[1].charCodeAt(0);
      if ((m = /^Numpad([0-9])$/.exec(code))) return 0x60 + Number(m[1]);
      if ((m = /^F([1-9]|1[0-2])$/.exec(code))) return 0x6F + Number(m[1]);
      return NAMED_KEYS[code] || 0;
    }
    if (typeof key !== 'string') return 0;
    if (/^[0-9A-Za-z]$/.test(key)) return key.toUpperCase().charCodeAt(0);
    return KEY_NAMES[key] || 0;
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

  // Wheel deltas as whole notches of 120 units, positive away from the user (the DOM's deltaY grows
  // towards the user). A notch is taken as 100 pixels, 3 lines or 1 page; what is left of a notch
  // waits for the next event in the same direction, so that neither small touchpad deltas nor large
  // ones are lost or multiplied by rounding each event on its own.
  var UNITS_PER_DELTA = [1.2, 40, 120]; // DOM_DELTA_PIXEL, DOM_DELTA_LINE, DOM_DELTA_PAGE
  function WheelNotches() { this.rest = 0; }
  WheelNotches.prototype.take = function (deltaY, deltaMode) {
    var units = -deltaY * (UNITS_PER_DELTA[deltaMode] || UNITS_PER_DELTA[0]);
    if (this.rest * units < 0) this.rest = 0; // turned back: the part notch is forgotten
    this.rest += units;
    // The small allowance keeps 25 × 9.6 units a whole two notches despite binary fractions.
    var n = Math.trunc(this.rest / 120 + (this.rest > 0 ? 1e-9 : -1e-9));
    this.rest -= n * 120;
    return n || 0; // not -0
  };

  // Two fingers moving apart or together, as wheel notches: one notch for every tenth by which the
  // distance between them grows (positive, nearer) or shrinks (negative, farther).
  var PINCH_STEP = Math.log(1.1);
  function PinchNotches(distance) { this.reference = Math.max(distance, 1); }
  PinchNotches.prototype.take = function (distance) {
    var n = Math.trunc(Math.log(Math.max(distance, 1) / this.reference) / PINCH_STEP);
    this.reference *= Math.pow(1.1, n);
    return n;
  };

  // DOM button numbers to the window's: 0 left, 1 right; the middle and side buttons are ignored.
  function windowButton(domButton) {
    return domButton === 0 ? 0 : domButton === 2 ? 1 : -1;
  }
  var BUTTON_BIT = [1, 2]; // the window's buttons in PointerEvent.buttons

  // Page coordinates to canvas pixels, signed: a captured drag beyond the canvas goes negative or
  // past the size, as a captured drag outside a window does.
  function canvasPoint(clientX, clientY, rect, width, height) {
    return [Math.floor((clientX - rect.left) * width / (rect.width || width)),
            Math.floor((clientY - rect.top) * height / (rect.height || height))];
  }

  // The window has one mouse; pointers (mice, pens, fingers) become it. A pointer event here is
  // {id, touch, primary, button, buttons, point: [x, y] in canvas pixels, client: [x, y]}.
  // - Only the primary pointer drives the mouse, and a press is first a move to where it lands.
  // - A release the browser lost (cancelled, capture lost, `buttons` no longer holding it) is posted.
  // - A second finger ends the first one's press and makes a pinch, which turns the wheel, until
  //   every finger has lifted.
  function PointerMouse(post) {
    this.post = post;
    this.held = 0;      // BUTTON_BIT of the buttons posted as down
    this.last = null;   // the canvas pixel of the last mouse message
    this.touches = {};  // fingers on the canvas: id -> client point
    this.pinch = null;
    this.pinched = false; // a pinch was made and not every finger has lifted yet
  }
  PointerMouse.prototype.moveTo = function (p) {
    if (this.last && this.last[0] === p[0] && this.last[1] === p[1]) return false;
    this.last = p;
    this.post([EVENT.MOUSE, MOUSE.MOVE, -1, p[0], p[1]]);
    return true;
  };
  PointerMouse.prototype.press = function (b, p) {
    if (this.held & BUTTON_BIT[b]) this.release(b, this.last || p); // its release was lost
    if (this.moveTo(p)) this.post(FRAME_BREAK);
    this.held |= BUTTON_BIT[b];
    this.post([EVENT.MOUSE, MOUSE.DOWN, b, p[0], p[1]]);
  };
  PointerMouse.prototype.release = function (b, p) {
    if (!(this.held & BUTTON_BIT[b])) return;
    this.held &= ~BUTTON_BIT[b];
    this.last = p;
    this.post([EVENT.MOUSE, MOUSE.UP, b, p[0], p[1]]);
  };
  PointerMouse.prototype.releaseAll = function (p) {
    for (var b = 0; b < 2; ++b) this.release(b, p || this.last || [0, 0]);
  };
  // Buttons the event says are up are released.
  PointerMouse.prototype.trust = function (e) {
    for (var b = 0; b < 2; ++b)
      if ((this.held & BUTTON_BIT[b]) && !(e.buttons & BUTTON_BIT[b])) this.release(b, e.point);
  };
  PointerMouse.prototype.fingers = function () { return Object.keys(this.touches).length; };
  PointerMouse.prototype.spread = function () {
    var t = this.touches, ids = Object.keys(t), a = t[ids[0]], c = t[ids[1]];
    return Math.hypot(a[0] - c[0], a[1] - c[1]);
  };
  // True when the event belongs to a pinch rather than to the mouse.
  PointerMouse.prototype.pinching = function () { return this.pinch !== null || this.pinched; };

  PointerMouse.prototype.down = function (e) {
    if (e.touch) {
      this.touches[e.id] = e.client;
      // Two fingers pinch, also when one of a pinch's fingers comes back.
      if (this.fingers() === 2 && this.pinch === null) {
        this.releaseAll(this.last);
        this.pinch = new PinchNotches(this.spread());
        this.pinched = true;
      }
      if (this.pinching()) return;
    }
    if (!e.primary) return;
    var b = windowButton(e.button);
    if (b >= 0) this.press(b, e.point);
  };
  // `midpoint` gives the canvas pixel between the two fingers, where a pinch turns the wheel.
  PointerMouse.prototype.move = function (e, midpoint) {
    if (e.touch && this.touches[e.id]) {
      this.touches[e.id] = e.client;
      if (this.pinch && this.fingers() >= 2) {
        var n = this.pinch.take(this.spread());
        if (n !== 0) {
          var p = midpoint();
          this.post([EVENT.WHEEL, n, p[0], p[1], 0]);
        }
      }
      if (this.pinching()) return;
    }
    if (!e.primary) return;
    this.trust(e);
    // A second button pressed or released while another is held comes as a move with `button` set.
    var b = windowButton(e.button);
    if (b >= 0 && (e.buttons & BUTTON_BIT[b])) this.press(b, e.point);
    else if (b >= 0) this.release(b, e.point);
    else this.moveTo(e.point);
  };
  PointerMouse.prototype.up = function (e) {
    if (this.lift(e)) return;
    if (!e.primary) return;
    var b = windowButton(e.button);
    if (b >= 0) this.release(b, e.point);
    this.trust(e);
  };
  // pointercancel and lostpointercapture: the pointer is gone without a release.
  PointerMouse.prototype.lost = function (e) {
    if (this.lift(e)) return;
    if (e.primary) this.releaseAll(this.last);
  };
  // A finger leaves; true when it was part of a pinch.
  PointerMouse.prototype.lift = function (e) {
    if (!e.touch || !this.touches[e.id]) return false;
    delete this.touches[e.id];
    var wasPinch = this.pinching();
    if (this.fingers() < 2) this.pinch = null;
    if (this.fingers() === 0) this.pinched = false;
    return wasPinch;
  };
  // The window lost the keyboard: the platform releases what is held, so this only forgets it.
  PointerMouse.prototype.forget = function () { this.held = 0; };

  // The one <input> a touch device's own keyboard types into: what is typed there becomes WM_CHAR,
  // its deletions Backspace. It always holds SENTINEL, so that a deletion has something to delete.
  var SENTINEL = ' ';
  function softKeyboardInput(value, inputType) {
    if (/^delete/.test(inputType || '') || value.length < SENTINEL.length) return {keys: [VK_BACK], units: []};
    if (inputType === 'insertLineBreak') return {keys: [VK_RETURN], units: []};
    var added = value.indexOf(SENTINEL) === 0 ? value.slice(SENTINEL.length) : value;
    var units = [];
    for (var i = 0; i < added.length; ++i) units.push(added.charCodeAt(i));
    return {keys: [], units: units};
  }

  // Binds the canvas to `post`, and with `options`: `windowSize`, the program's window in its own
  // pixels, which pointer positions are given in; `softInput`, the <input> a touch device's own
  // keyboard types into; `screenKeys`, on-screen keys (buttons with data-vk); `onFocus(focused)`,
  // told when the window gets or loses the keyboard, which it has while the canvas or the input has.
  function attach(canvas, post, options) {
    options = options || {};
    var softInput = options.softInput || null;
    var wheel = new WheelNotches();
    var mouse = new PointerMouse(post);
    var focused = false;
    var windowElements = [canvas].concat(softInput ? [softInput] : []);
    // The window's own pixels, which the drawing buffer may outnumber on a high-DPI screen.
    var windowSize = options.windowSize || [canvas.width, canvas.height];
    var point = function (e) {
      return canvasPoint(e.clientX, e.clientY, canvas.getBoundingClientRect(), windowSize[0], windowSize[1]);
    };
    var pointer = function (e) {
      return {id: e.pointerId, touch: e.pointerType === 'touch', primary: e.isPrimary, button: e.button,
              buttons: e.buttons, point: point(e), client: [e.clientX, e.clientY]};
    };
    var midpoint = function () {
      var ids = Object.keys(mouse.touches), a = mouse.touches[ids[0]], b = mouse.touches[ids[1] || ids[0]];
      return point({clientX: (a[0] + b[0]) / 2, clientY: (a[1] + b[1]) / 2});
    };
    var focusWindow = function () {
      if (windowElements.indexOf(document.activeElement) < 0) canvas.focus({preventScroll: true});
    };

    canvas.addEventListener('pointerdown', function (e) {
      if (document.activeElement !== canvas) canvas.focus({preventScroll: true});
      if (e.pointerType === 'touch' || windowButton(e.button) >= 0) e.preventDefault();
      canvas.setPointerCapture(e.pointerId);
      mouse.down(pointer(e));
    });
    canvas.addEventListener('pointermove', function (e) { mouse.move(pointer(e), midpoint); });
    canvas.addEventListener('pointerup', function (e) {
      var pinch = mouse.pinching();
      mouse.up(pointer(e));
      // A tap where the program shows its I-beam is a tap on a text field: the device's keyboard
      // comes up for it. Only here, within the tap, may a page bring that keyboard up.
      if (softInput && e.pointerType === 'touch' && e.isPrimary && !pinch && canvas.style.cursor === 'text') {
        softInput.value = SENTINEL;
        softInput.focus({preventScroll: true});
      }
    });
    canvas.addEventListener('pointercancel', function (e) { mouse.lost(pointer(e)); });
    canvas.addEventListener('lostpointercapture', function (e) { mouse.lost(pointer(e)); });
    canvas.addEventListener('contextmenu', function (e) { e.preventDefault(); });
    canvas.addEventListener('wheel', function (e) {
      e.preventDefault();
      var n = wheel.take(e.deltaY, e.deltaMode);
      var p = point(e);
      if (n !== 0) post([EVENT.WHEEL, n, p[0], p[1], 0]);
    }, {passive: false});

    var keydown = function (e) {
      var vk = virtualKey(e.code, e.key);
      if (vk === 0) return; // a soft keyboard's composing key: its text comes as input
      // The browser keeps its own function keys, shortcuts and Tab, which moves the focus on.
      if (!(vk >= 0x70 && vk <= 0x7B) && vk !== VK_TAB && !e.ctrlKey && !e.metaKey) e.preventDefault();
      post([EVENT.KEY, vk, 1, e.repeat ? 1 : 0, 0]);
      typedUnits(e.key, e.ctrlKey, e.altKey, e.metaKey).forEach(function (u) {
        post([EVENT.CHAR, u, 0, 0, 0]);
      });
    };
    var keyup = function (e) {
      var vk = virtualKey(e.code, e.key);
      if (vk !== 0) post([EVENT.KEY, vk, 0, 0, 0]);
    };
    var focus = function () {
      if (focused) return;
      focused = true;
      post([EVENT.FOCUS, 1, 0, 0, 0]);
      if (options.onFocus) options.onFocus(true);
    };
    var blur = function (e) {
      if (windowElements.indexOf(e.relatedTarget) >= 0 || !focused) return; // the focus stays in the window
      focused = false;
      mouse.forget();
      post([EVENT.FOCUS, 0, 0, 0, 0]);
      if (options.onFocus) options.onFocus(false);
    };
    windowElements.forEach(function (element) {
      element.addEventListener('keydown', keydown);
      element.addEventListener('keyup', keyup);
      element.addEventListener('focus', focus);
      element.addEventListener('blur', blur);
    });
    if (softInput) {
      softInput.value = SENTINEL;
      softInput.addEventListener('input', function (e) {
        var typed = softKeyboardInput(softInput.value, e.inputType);
        softInput.value = SENTINEL;
        typed.keys.forEach(function (vk) {
          post([EVENT.KEY, vk, 1, 0, 0]);
          post([EVENT.KEY, vk, 0, 0, 0]);
        });
        typed.units.forEach(function (u) { post([EVENT.CHAR, u, 0, 0, 0]); });
      });
    }
    (options.screenKeys || []).forEach(function (key) { holdable(key, Number(key.dataset.vk), post, focusWindow); });
  }

  // An on-screen key: down while at least one finger (or pointer) is on it, several keys at once.
  function holdable(key, vk, post, focusWindow) {
    var pointers = {};
    var count = function () { return Object.keys(pointers).length; };
    key.addEventListener('pointerdown', function (e) {
      e.preventDefault(); // the keyboard focus stays where it is
      focusWindow();
      key.setPointerCapture(e.pointerId);
      pointers[e.pointerId] = true;
      if (count() === 1) {
        key.classList.add('held');
        post([EVENT.KEY, vk, 1, 0, 0]);
      }
    });
    var lift = function (e) {
      if (!pointers[e.pointerId]) return;
      delete pointers[e.pointerId];
      if (count() === 0) {
        key.classList.remove('held');
        post([EVENT.KEY, vk, 0, 0, 0]);
      }
    };
    ['pointerup', 'pointercancel', 'lostpointercapture'].forEach(function (t) { key.addEventListener(t, lift); });
    key.addEventListener('contextmenu', function (e) { e.preventDefault(); });
  }

  var api = {HOST: HOST, EVENT: EVENT, MOUSE: MOUSE, FRAME_BREAK: FRAME_BREAK, virtualKey: virtualKey,
             typedUnits: typedUnits, WheelNotches: WheelNotches, PinchNotches: PinchNotches,
             windowButton: windowButton, canvasPoint: canvasPoint, PointerMouse: PointerMouse,
             softKeyboardInput: softKeyboardInput, attach: attach};
  if (typeof module !== 'undefined' && module.exports) module.exports = api;
  else root.TessaryInput = api;
})(this);
