// The page side of the browser back end: the queue of DOM events that the page's input modules fill, animation
// frames to wait for, and the few things of the page a window can change.
mergeInto(LibraryManager.library, {
  // Moves up to `capacity` waiting input records into `records`; the number moved. The page's
  // input queue (input/queue.js) lays them out and paces them by the frames the program has shown.
  tessary_web_pump__deps: ['$TessaryFrame'],
  tessary_web_pump__sig: 'iii',
  tessary_web_pump: function(records, capacity) {
    var queue = Module['input'];
    return queue ? queue['take'](HEAP32, records >> 2, capacity, TessaryFrame.woken) : 0;
  },

  // Asyncify unwinds the program here and rewinds it when the browser runs the next animation frame,
  // after it has shown the canvas drawn so far. A hidden page runs no frames: there the wait ends
  // after at most 100 ms so that the program still notices input and time. Whichever comes first
  // cancels the other, and the functions are made once, so that a frame leaves nothing behind.
  $TessaryFrame: {
    wakeUp: null,
    frame: 0,
    timer: 0,
    slept: false,
    woken: 0, // how often the program has woken from a frame wait, for the pump's frame breaks
    shown: function() {
      clearTimeout(TessaryFrame.timer);
      TessaryFrame.wake();
    },
    hidden: function() {
      cancelAnimationFrame(TessaryFrame.frame);
      TessaryFrame.wake();
    },
    wake: function() {
      var wakeUp = TessaryFrame.wakeUp;
      TessaryFrame.wakeUp = null;
      TessaryFrame.woken++;
      if (wakeUp) wakeUp();
    },
    sleep: function(wakeUp) {
      if (!TessaryFrame.slept) {
        TessaryFrame.slept = true;
        // Once the program has slept, main returns inside a rewind, where emscripten's own exit
        // handling no longer looks; Asyncify hands that return value to whoever waits for it.
        Asyncify.whenDone().then(function(status) { if (Module['onExit']) Module['onExit'](status); });
      }
      // The frame just drawn stays in the drawing buffer only until the browser shows it: a page
      // that wants its pixels takes them now, in this task.
      if (Module['onFrameDrawn']) Module['onFrameDrawn']();
      TessaryFrame.wakeUp = wakeUp;
      TessaryFrame.frame = requestAnimationFrame(TessaryFrame.shown);
      TessaryFrame.timer = setTimeout(TessaryFrame.hidden, 100);
    },
  },

  tessary_web_next_frame__deps: ['$TessaryFrame'],
  tessary_web_next_frame__sig: 'v',
  tessary_web_next_frame: function() {
    return Asyncify.handleSleep(TessaryFrame.sleep);
  },

  // The page gives the CSS cursor of each of WebHost.h's cursors, by number.
  tessary_web_set_cursor__sig: 'vi',
  tessary_web_set_cursor: function(cursor) {
    var canvas = Module['canvas'];
    if (canvas) canvas.style.cursor = Module['cursors'][cursor] || 'default';
  },

  tessary_web_set_title__sig: 'vi',
  tessary_web_set_title: function(utf8) {
    document.title = UTF8ToString(utf8);
  },

  tessary_web_dialog__sig: 'iii',
  tessary_web_dialog: function(utf8, withCancel) {
    var text = UTF8ToString(utf8);
    if (withCancel) return window.confirm(text) ? 1 : 0;
    window.alert(text);
    return 1;
  },

  tessary_web_screen_size__sig: 'vii',
  tessary_web_screen_size: function(width, height) {
    HEAP32[width >> 2] = screen.width;
    HEAP32[height >> 2] = screen.height;
  },
});
