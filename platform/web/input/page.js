// The page's input: binds the canvas and its companions to one queue, which the program drains
// through tessary_web_pump. HOST.CURSOR names the canvas's cursors for the platform library.
define('page', ['host', 'queue', 'pointer', 'wheel', 'keys', 'focus', 'soft_keyboard', 'screen_keys'],
       function (host, queue, pointer, wheel, keys, focus, softKeyboard, screenKeys) {
  var CSS_CURSORS = {cursorNone: 'none', cursorArrow: 'default', cursorText: 'text'};
  var CURSOR = [];
  Object.keys(host.Cursor).forEach(function (name) { CURSOR[host.Cursor[name]] = CSS_CURSORS[name]; });

  // `options`: `windowSize`, the program's window in its own pixels, which pointer positions are
  // given in; `softInput`, the <input> a touch device's own keyboard types into; `screenKeys`,
  // on-screen keys (buttons with data-vk); `onFocus(focused)`, told when the window gets or loses the
  // keyboard; `wheelAfterClick`, inside another page: the wheel is the window's only once the canvas
  // has been clicked, and `onWheelRefused()` is told of a wheel left to the page. Returns the queue
  // (queue.js).
  function attach(canvas, options) {
    options = options || {};
    var input = new queue.InputQueue();
    var post = function (record) { input.push(record); };
    var elements = [canvas].concat(options.softInput ? [options.softInput] : []);
    var tapped = options.softInput ? softKeyboard.attach(options.softInput, canvas, post) : null;
    var toCanvas = pointer.attach(canvas, options.windowSize || [canvas.width, canvas.height], post, tapped);
    var gate = options.wheelAfterClick ? focus.wheelGate(canvas, options.onWheelRefused) : null;
    wheel.attach(canvas, function (e) { return toCanvas([e.clientX, e.clientY]); }, post, gate && gate.open);
    elements.forEach(function (element) { keys.attach(element, post); });
    var focusWindow = focus.attach(elements, post, function (focused) {
      if (gate) gate.focus(focused);
      if (options.onFocus) options.onFocus(focused);
    });
    (options.screenKeys || []).forEach(function (key) { screenKeys.attach(key, post, focusWindow); });
    return input;
  }

  return {attach: attach, HOST: {CURSOR: CURSOR}};
});
