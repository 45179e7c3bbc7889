// The frame the program draws next, as a PNG of the drawing buffer's pixels. WebGL clears that
// buffer once the browser has shown it, so the picture is taken in the task that drew it: the
// program's frame library tells the page each frame it has drawn (Module.onFrameDrawn) before it
// gives the thread back, and canvas.toBlob takes its copy of the pixels there and then.
export function nextFrame(module, canvas) {
  return new Promise((resolve, reject) => {
    module.onFrameDrawn = () => {
      module.onFrameDrawn = null;
      canvas.toBlob((blob) => (blob ? resolve(blob) : reject(new Error('canvas.toBlob gave nothing'))), 'image/png');
    };
  });
}
