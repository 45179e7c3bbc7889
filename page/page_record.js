// A clip of the canvas: MediaRecorder over the canvas's stream, WebM where the browser records it
// and MP4 where it records only that (Safari), at most a minute long.
const TYPES = [['video/webm;codecs=vp9', 'webm'], ['video/webm', 'webm'], ['video/mp4', 'mp4']];
const LONGEST = 60000; // ms

// The type and file extension this browser records the canvas in, or null when it cannot.
export function recordingType(canvas) {
  if (!window.MediaRecorder || !canvas.captureStream) return null;
  const found = TYPES.find(([type]) => MediaRecorder.isTypeSupported(type));
  return found ? {type: found[0], extension: found[1]} : null;
}

export class CanvasRecorder {
  // `done(blob)`: the clip, once it has stopped, whether by stop() or after a minute.
  constructor(canvas, format, done) {
    this.canvas = canvas;
    this.format = format;
    this.done = done;
    this.recorder = null;
  }

  get recording() { return this.recorder !== null; }

  start() {
    const stream = this.canvas.captureStream();
    const recorder = new MediaRecorder(stream, {mimeType: this.format.type});
    const parts = [];
    recorder.ondataavailable = (e) => { if (e.data.size > 0) parts.push(e.data); };
    recorder.onstop = () => {
      stream.getTracks().forEach((t) => t.stop());
      clearTimeout(this.limit);
      this.recorder = null;
      this.done(new Blob(parts, {type: this.format.type}));
    };
    this.limit = setTimeout(() => this.stop(), LONGEST);
    this.recorder = recorder;
    recorder.start(1000);
  }

  stop() {
    if (this.recorder && this.recorder.state !== 'inactive') this.recorder.stop();
  }
}
