// The view shown as a vector file, drawn by the program's figure functions (page/FigureCommands.h):
// the same C++ as `tessary --render FILE.svg|FILE.pdf --view TEXT` on the desktop.
import {readRefusal} from './page_refusal.js';

export const FIGURE_TYPES = {svg: 'image/svg+xml', pdf: 'application/pdf'};

// The view `views` (a ProgramViews) shows, `width` pixels wide, as a file of `format` ('svg' or
// 'pdf'): {file: a Blob of its type} or {refused: {kind, reason}}.
export function drawFigure(views, format, width) {
  const refused = readRefusal(views.call('_tessary_figure', format, width));
  if (refused) return {refused};
  const m = views.module;
  const start = m._tessary_figure_file();
  return {file: new Blob([m.HEAPU8.slice(start, start + m._tessary_figure_size())], {type: FIGURE_TYPES[format]})};
}
