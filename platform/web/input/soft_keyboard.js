// The one <input> a touch device's own keyboard types into: what is typed there becomes WM_CHAR, its
// deletions Backspace, its Enter Return. It always holds SENTINEL, so that a deletion has something
// to delete. A tap where the program shows its I-beam is a tap on a text field: the device's
// keyboard comes up for it; only within the tap may a page bring that keyboard up.
define('soft_keyboard', ['keys'], function (keys) {
  var SENTINEL = ' ';
  var VK_BACK = 0x08, VK_RETURN = 0x0D;

  // The keys pressed and the units typed for the input's new `value`.
  function softKeyboardInput(value, inputType) {
    if (/^delete/.test(inputType || '') || value.length < SENTINEL.length) return {keys: [VK_BACK], units: []};
    if (inputType === 'insertLineBreak') return {keys: [VK_RETURN], units: []};
    var added = value.indexOf(SENTINEL) === 0 ? value.slice(SENTINEL.length) : value;
    var units = [];
    for (var i = 0; i < added.length; ++i) units.push(added.charCodeAt(i));
    return {keys: [], units: units};
  }

  // The tap handler for the canvas.
  function attach(input, canvas, post) {
    input.value = SENTINEL;
    input.addEventListener('input', function (e) {
      var typed = softKeyboardInput(input.value, e.inputType);
      input.value = SENTINEL;
      typed.keys.forEach(function (vk) {
        post(keys.keyRecord(vk, true, false));
        post(keys.keyRecord(vk, false, false));
      });
      typed.units.forEach(function (u) { post(keys.charRecord(u)); });
    });
    return function tapped() {
      if (canvas.style.cursor !== 'text') return;
      input.value = SENTINEL;
      input.focus({preventScroll: true});
    };
  }

  return {softKeyboardInput: softKeyboardInput, attach: attach};
});
