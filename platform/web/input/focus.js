// The window has the keyboard while one of its elements (the canvas, the soft keyboard's input)
// has the focus; a move of the focus between them is no loss. What is held when the focus goes is
// the core's to let go.
define('focus', ['host'], function (host) {
  function focusRecord(gained) { return {kind: host.EventKind.focusEvent, down: gained ? 1 : 0}; }

  // `onFocus(focused)`: told when the window gets or loses the keyboard. Returns a function that
  // gives the window the focus unless one of its elements has it.
  function attach(elements, post, onFocus) {
    var focused = false;
    var change = function (gained) {
      focused = gained;
      post(focusRecord(gained));
      if (onFocus) onFocus(gained);
    };
    elements.forEach(function (element) {
      element.addEventListener('focus', function () { if (!focused) change(true); });
      element.addEventListener('blur', function (e) {
        if (focused && elements.indexOf(e.relatedTarget) < 0) change(false);
      });
    });
    return function focusWindow() {
      if (elements.indexOf(document.activeElement) < 0) elements[0].focus({preventScroll: true});
    };
  }
  return {attach: attach};
});
