// Reading the program's next frame out of its drawing buffer, in any engine: `nextFrameInPage` runs
// in the page (it needs the frame counters of frame_probe.js) and gives [width, base64 of the
// pixels, bottom row first]; `decodeFrame` turns that into {width, height, rgba}, top row first.
'use strict';

function nextFrameInPage() {
  return new Promise((resolve) => {
    tessaryFrames.onFrame = () => {
      tessaryFrames.onFrame = null;
      const gl = Module.canvas.getContext('webgl');
      const w = gl.drawingBufferWidth, h = gl.drawingBufferHeight;
      const pixels = new Uint8Array(w * h * 4);
      gl.readPixels(0, 0, w, h, gl.RGBA, gl.UNSIGNED_BYTE, pixels);
      let s = '';
      for (let i = 0; i < pixels.length; i += 0x8000) s += String.fromCharCode.apply(null, pixels.subarray(i, i + 0x8000));
      resolve([w, btoa(s)]);
    };
  });
}

function decodeFrame([width, base64]) {
  const bottomUp = Buffer.from(base64, 'base64');
  const height = bottomUp.length / 4 / width;
  const rgba = Buffer.alloc(bottomUp.length);
  for (let y = 0; y < height; ++y)
    bottomUp.copy(rgba, y * width * 4, (height - 1 - y) * width * 4, (height - y) * width * 4);
  return {width, height, rgba};
}

module.exports = {nextFrameInPage, decodeFrame};
