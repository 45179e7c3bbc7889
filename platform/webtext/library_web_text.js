// The Canvas 2D half of the browser's GDI text: runs measured and drawn one character at a time at
// whole-pixel advances, so that a run's width is the sum of its characters' advances as GDI's is,
// and ink read back as coverage (the alpha of black text on a transparent canvas).
mergeInto(LibraryManager.library, {
  $TessaryText: {
    context: null,
    // The font the context was last set to, and each font's advances by character: the program
    // measures a run and then draws it, and its labels share most of their characters, so each
    // character is measured once per font.
    font: null,
    advances: {},
    get: function(width, height) {
      if (!TessaryText.context) {
        var canvas = document.createElement('canvas');
        TessaryText.context = canvas.getContext('2d', {willReadFrequently: true});
      }
      var ctx = TessaryText.context;
      if (width && (ctx.canvas.width < width || ctx.canvas.height < height)) {
        ctx.canvas.width = Math.max(ctx.canvas.width, width);
        ctx.canvas.height = Math.max(ctx.canvas.height, height);
        TessaryText.font = null; // resizing a canvas resets its context's state
      }
      return ctx;
    },
    prepare: function(ctx, font) {
      if (font === TessaryText.font) return;
      ctx.font = font;
      ctx.fontKerning = 'none';
      ctx.textBaseline = 'alphabetic';
      ctx.textAlign = 'left';
      ctx.fillStyle = '#000';
      TessaryText.font = font;
    },
    // The run's characters (the program hands over UTF-8, and a string iterates by code point) and
    // their whole-pixel advances in the context's font.
    characters: function(utf8, bytes) {
      return Array.from(UTF8ToString(utf8, bytes));
    },
    advance: function(ctx, c) {
      var known = TessaryText.advances[TessaryText.font] || (TessaryText.advances[TessaryText.font] = new Map());
      var width = known.get(c);
      if (width === undefined) known.set(c, width = Math.round(ctx.measureText(c).width));
      return width;
    },
  },

  tessary_text_measure__deps: ['$TessaryText'],
  tessary_text_measure__sig: 'iiii',
  tessary_text_measure: function(font, utf8, bytes) {
    var ctx = TessaryText.get(0, 0);
    TessaryText.prepare(ctx, UTF8ToString(font));
    var width = 0;
    TessaryText.characters(utf8, bytes).forEach(function(c) { width += TessaryText.advance(ctx, c); });
    return width;
  },

  // Draws the run with its baseline at `ascent` into a width × height box and writes one coverage
  // byte per pixel, rows top first, to `coverage`.
  tessary_text_draw__deps: ['$TessaryText'],
  tessary_text_draw__sig: 'viiiiiii',
  tessary_text_draw: function(font, utf8, bytes, width, height, ascent, coverage) {
    if (width <= 0 || height <= 0) return;
    var ctx = TessaryText.get(width, height);
    ctx.clearRect(0, 0, width, height);
    TessaryText.prepare(ctx, UTF8ToString(font));
    var x = 0;
    TessaryText.characters(utf8, bytes).forEach(function(c) {
      ctx.fillText(c, x, ascent);
      x += TessaryText.advance(ctx, c);
    });
    var pixels = ctx.getImageData(0, 0, width, height).data;
    for (var i = 0, n = width * height; i < n; ++i) HEAPU8[coverage + i] = pixels[i * 4 + 3];
  },
});
