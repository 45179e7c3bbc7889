// The window has the keyboard while one of its elements (the canvas, the soft keyboard's input)
// has the focus; a move of the focus between them is no loss. What is held when the focus goes is
// the core's to let go.
import {EventKind} from './host.js';

function focusRecord(gained) { return {kind: EventKind.focusEvent, down: gained ? 1 : 0}; }

// `onFocus(focused)`: told when the window gets or loses the keyboard. Returns a function that
// gives the window the focus unless one of its elements has it.
export function attach(elements, post, onFocus) {
  let focused = false;
  const change = (gained) => {
    focused = gained;
    post(focusRecord(gained));
    if (onFocus) onFocus(gained);
  };
  for (const element of elements) {
    element.addEventListener('focus', () => { if (!focused) change(true); });
    element.addEventListener('blur', (e) => {
      if (focused && elements.indexOf(e.relatedTarget) < 0) change(false);
    });
  }
  return function focusWindow() {
    if (elements.indexOf(document.activeElement) < 0) elements[0].focus({preventScroll: true});
  };
}

// Inside another page the wheel over the canvas scrolls that page until the canvas is clicked or
// tapped, and again once the window has lost the keyboard. Returns {open(), focus(focused)}: the
// gate for wheel.js, and what to tell it of the window's focus. `onRefused()`: told of each wheel
// left to the page.
export function wheelGate(canvas, onRefused) {
  let clicked = false;
  canvas.addEventListener('pointerdown', () => { clicked = true; });
  return {
    open() {
      if (!clicked && onRefused) onRefused();
      return clicked;
    },
    focus(focused) { if (!focused) clicked = false; },
  };
}
