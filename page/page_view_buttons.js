// The buttons beside the screen keys' place, for every pointer: "保存图片" (Save picture) saves the
// frame as a PNG, "保存 SVG" and "保存 PDF" save the view as the desktop's vector figure of the
// canvas's width, "保存 3D 模型" (Save 3-D model) as the desktop's GLB, "录制"/"停止" (Record/Stop) records a clip of the canvas, "分享" (Share) hands over a
// link to this page in the view shown.
// Also the view in the page's address: a link's view is shown as the program starts, and a new
// fragment on an open page is shown at once.
import {nextFrame} from './page_capture.js';
import {download} from './page_download.js';
import {drawFigure} from './page_figures.js';
import {drawModel} from './page_models.js';
import {followFragment, linkTo, viewIn} from './page_fragment.js';
import {Notice} from './page_notice.js';
import {CanvasRecorder, recordingType} from './page_record.js';
import {shareLink} from './page_share.js';
import {texts} from './page_language.js';
import {KINDS} from './refusal_kinds.js';

// `running()`: whether the program runs now (it cannot be called before it starts nor after it
// ends). Returns the function the loader calls with its Module and the program's view functions
// (page_views.js) once the program's code is ready, just before the program starts.
export function wireViewButtons({canvas, running, picture, svg, pdf, model, record, share, noticeElement}) {
  const notice = new Notice(noticeElement);
  let module = null, views = null, startView = viewIn(location.hash);

  // A pointer on a button leaves the keyboard with the window, where the program keeps running; a
  // button reached with the keyboard gives it back, since a window without it draws no frames.
  const keepWindow = () => { if (document.activeElement !== canvas) canvas.focus({preventScroll: true}); };
  for (const button of [picture, svg, pdf, model, record, share])
    button.addEventListener('pointerdown', (e) => e.preventDefault());

  picture.addEventListener('click', () => {
    if (!running()) return;
    keepWindow();
    nextFrame(module, canvas).then((blob) => download(blob, 'png'), () => notice.show(texts.notices.noPicture));
  });

  // The figure is as wide as the drawing buffer, as the picture is; the program refuses it while a
  // message box is open.
  for (const [format, button] of [['svg', svg], ['pdf', pdf]]) {
    button.addEventListener('click', () => {
      if (!running()) return;
      keepWindow();
      const {file, refused} = drawFigure(views, format, canvas.width);
      if (file) download(file, format);
      else notice.show(refused.kind === KINDS.busy ? texts.notices.boxOpenFigure : texts.notices.noFigure, 10, refused.reason);
    });
  }

  // The model is the desktop's GLB of the view, at its default size and struts.
  model.addEventListener('click', () => {
    if (!running()) return;
    keepWindow();
    const {file, refused} = drawModel(views, 'glb');
    if (file) download(file, 'glb');
    else notice.show(refused.kind === KINDS.busy ? texts.notices.boxOpenModel : texts.notices.noModel, 10, refused.reason);
  });

  const format = recordingType(canvas);
  record.hidden = !format;
  if (format) {
    const recorder = new CanvasRecorder(canvas, format, (clip) => {
      record.textContent = texts.record;
      download(clip, format.extension);
    });
    record.addEventListener('click', () => {
      if (recorder.recording) {
        recorder.stop();
      } else if (running()) {
        recorder.start();
        record.textContent = texts.stop;
      }
    });
  }

  share.addEventListener('click', async () => {
    if (!running()) return;
    const link = linkTo(views.capture());
    const outcome = await shareLink(link);
    if (outcome === 'failed') window.prompt(texts.notices.copyThis, link);
    else if (outcome !== 'cancelled') notice.show(texts.notices[outcome]);
  });

  // A refused view gets a line over the canvas, chosen by the kind of refusal, with the program's
  // reason beneath. A view given before the program has its screen waits for its first frame.
  const show = (text, atStart) => {
    const refused = views.apply(text);
    if (!refused) return;
    if (refused.kind === KINDS.notStarted) views.afterFrame(() => show(text, atStart));
    else if (refused.kind === KINDS.busy) notice.show(texts.notices.boxOpen, 10, refused.reason);
    else notice.show(atStart ? texts.notices.unreadable : texts.notices.unreadableNow, atStart ? 15 : 10, refused.reason);
  };

  followFragment((text) => {
    if (!views) startView = text;
    else if (running()) show(text, false);
  });

  // The program starts as usual; a link's view is applied once it has drawn its first frame, read
  // and checked there once, and drawn from its second frame on.
  return function starting(loaded, programViews) {
    module = loaded;
    views = programViews;
    if (startView !== null) views.afterFrame(() => show(startView, true));
  };
}
