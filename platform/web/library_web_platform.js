// The page side of the browser back end: the queue of DOM events that dom_input.js fills, animation
// frames to wait for, and the few things of the page a window can change.
mergeInto(LibraryManager.library, {
  // Moves up to `capacity` waiting DOM events, five ints each, into `events`; the number moved. An
  // entry that is not an event (a frame break) holds back what follows it until the browser has run
  // an animation frame since the events before it were taken: the program, which takes its input
  // after each frame's update, has then updated once with them before it takes what follows. Half a
  // second at most, should the page run no frames meanwhile (a hidden tab).
  tessary_web_pump__deps: ['$tessaryFrameBreak'],
  tessary_web_pump: function(events, capacity) {
    var queue = Module['pendingInput'];
    var moved = 0;
    while (queue && queue.length > 0 && moved < capacity) {
      var e = queue[0];
      if (!Array.isArray(e)) {
        if (!e.since) queue[0] = e = tessaryFrameBreak();
        if (!e.passed && performance.now() - e.since < 500) break;
        queue.shift();
        continue;
      }
      queue.shift();
      for (var k = 0; k < 5; ++k) HEAP32[(events >> 2) + moved * 5 + k] = e[k] | 0;
      ++moved;
    }
    return moved;
  },

  // A frame break as reached at the head of the queue: since when it holds, and whether a frame has
  // run since.
  $tessaryFrameBreak: function() {
    var pause = {since: performance.now(), passed: false};
    requestAnimationFrame(function() { pause.passed = true; });
    return pause;
  },

  // Asyncify unwinds the program here and rewinds it when the browser runs the next frame callback,
  // after it has shown the canvas drawn so far. A hidden page runs no frames: there the wait ends
  // after at most 100 ms so that the program still notices input and time.
  tessary_web_next_frame: function() {
    return Asyncify.handleSleep(function(wakeUp) {
      // Here, not before handleSleep: Asyncify calls this import again when it rewinds, by which
      // time the browser has shown and cleared the drawing buffer. Counted for the tests and
      // benchmarks, which may also read the frame here, while the buffer still holds it.
      Module['framesShown'] = (Module['framesShown'] || 0) + 1;
      if (Module['framesShown'] === 1) {
        Module['firstFrameTime'] = performance.now();
        // Once the program has slept, main returns inside a rewind, where emscripten's own exit
        // handling no longer looks; Asyncify hands that return value to whoever waits for it.
        Asyncify.whenDone().then(function(status) { if (Module['onExit']) Module['onExit'](status); });
      }
      // The main thread's work for this frame: from the end of the last wait to here.
      if (Module['wokeAt'] !== undefined) Module['lastFrameWork'] = performance.now() - Module['wokeAt'];
      if (Module['onFrame']) Module['onFrame']();
      var done = false;
      var finish = function() {
        if (done) return;
        done = true;
        Module['wokeAt'] = performance.now();
        wakeUp();
      };
      requestAnimationFrame(finish);
      setTimeout(finish, 100);
    });
  },

  tessary_web_set_cursor: function(cursor) {
    var canvas = Module['canvas'];
    if (canvas) canvas.style.cursor = ['none', 'default', 'text'][cursor] || 'default';
  },

  tessary_web_set_title: function(utf8) {
    document.title = UTF8ToString(utf8);
  },

  tessary_web_dialog: function(utf8, withCancel) {
    var text = UTF8ToString(utf8);
    if (withCancel) return window.confirm(text) ? 1 : 0;
    window.alert(text);
    return 1;
  },

  tessary_web_screen_size: function(width, height) {
    HEAP32[width >> 2] = screen.width;
    HEAP32[height >> 2] = screen.height;
  },
});
