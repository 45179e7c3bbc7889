// The frame counters of the browser tests and benchmark, injected into the page before it loads;
// the page itself never loads this file. The program gives the thread back to the browser by asking
// for an animation frame once it has drawn one, so each request is a frame shown (while the drawing
// buffer still holds it). The program runs inside the callback that wakes it, an animation frame or
// a timer (the frame wait's own, or a sleep's), so the time from the last callback's start to the
// next request is the main thread's work for that frame. window.tessaryFrames: shown,
// firstShownAt, lastWork (ms), and onFrame, called at each frame shown.
(function () {
  'use strict';
  var request = window.requestAnimationFrame.bind(window);
  var timeout = window.setTimeout.bind(window);
  var frames = window.tessaryFrames = {shown: 0, firstShownAt: undefined, lastWork: undefined, onFrame: null};
  var wokeAt;
  var woken = function (callback) {
    return function () {
      wokeAt = performance.now();
      return callback.apply(this, arguments);
    };
  };
  window.requestAnimationFrame = function (callback) {
    var now = performance.now();
    frames.shown++;
    if (frames.shown === 1) frames.firstShownAt = now;
    if (wokeAt !== undefined) frames.lastWork = now - wokeAt;
    if (frames.onFrame) frames.onFrame();
    return request(woken(callback));
  };
  window.setTimeout = function (callback) {
    var rest = Array.prototype.slice.call(arguments, 1);
    return timeout.apply(null, [typeof callback === 'function' ? woken(callback) : callback].concat(rest));
  };
})();
