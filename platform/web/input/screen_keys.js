// An on-screen key (a button with data-vk): down while at least one finger (or pointer) is on it,
// several keys at once. Touching one leaves the keyboard focus where it is, in the window.
define('screen_keys', ['keys'], function (keys) {
  function attach(key, post, focusWindow) {
    var vk = Number(key.dataset.vk), pointers = {};
    var count = function () { return Object.keys(pointers).length; };
    key.addEventListener('pointerdown', function (e) {
      e.preventDefault();
      focusWindow();
      key.setPointerCapture(e.pointerId);
      pointers[e.pointerId] = true;
      if (count() === 1) {
        key.classList.add('held');
        post(keys.keyRecord(vk, true, false));
      }
    });
    var lift = function (e) {
      if (!pointers[e.pointerId]) return;
      delete pointers[e.pointerId];
      if (count() === 0) {
        key.classList.remove('held');
        post(keys.keyRecord(vk, false, false));
      }
    };
    ['pointerup', 'pointercancel', 'lostpointercapture'].forEach(function (t) { key.addEventListener(t, lift); });
    key.addEventListener('contextmenu', function (e) { e.preventDefault(); });
  }
  return {attach: attach};
});
