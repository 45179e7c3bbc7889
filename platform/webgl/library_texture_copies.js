// The copies of the textures the sink keeps to upload them again on a WebGL context the browser
// gives back. An image is kept as runs of equal texels, each run the texel's place in a palette all
// images share and its length, both in 7-bit groups (the high bit says another group follows). The
// labels' ink levels give a few hundred texels in all, so a label is a few hundred runs of about two
// bytes; an image that would grow the palette beyond `paletteSize` texels is kept as it is.
mergeInto(LibraryManager.library, {
  $tessaryTextureCopies: function(paletteSize) {
    var palette = [];
    var indices = new Map();
    var put = function(runs, v) {
      for (; v >= 128; v >>>= 7) runs.push((v & 127) | 128);
      runs.push(v);
    };
    return {
      // The copy of `texels` (a Uint32Array, one RGBA texel each).
      pack: function(texels) {
        var runs = [], n = texels.length;
        for (var i = 0; i < n;) {
          var value = texels[i], j = i + 1;
          while (j < n && texels[j] === value) ++j;
          var index = indices.get(value);
          if (index === undefined) {
            if (palette.length === paletteSize) return {texels: texels.slice()};
            indices.set(value, index = palette.length);
            palette.push(value);
          }
          put(runs, index);
          put(runs, j - i);
          i = j;
        }
        return {runs: Uint8Array.from(runs)};
      },
      // The image of a copy of `count` texels, as bytes for texImage2D.
      unpack: function(copy, count) {
        if (copy.texels) return new Uint8Array(copy.texels.buffer);
        var texels = new Uint32Array(count), runs = copy.runs, i = 0;
        // A number cut short at the end of the runs ends there rather than reading past them.
        var take = function() {
          for (var v = 0, scale = 1; i < runs.length; scale *= 128) {
            var b = runs[i++];
            v += (b & 127) * scale;
            if (b < 128) return v;
          }
          return 0;
        };
        for (var at = 0; i < runs.length;) {
          var value = palette[take()], length = take();
          texels.fill(value, at, at + length);
          at += length;
        }
        return new Uint8Array(texels.buffer);
      },
      paletteLength: function() { return palette.length; },
    };
  },
});
