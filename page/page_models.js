// The view shown as a 3-D model, made by the program's model functions (page/ModelCommands.h): the
// same C++ as `tessary --render FILE.glb --view TEXT` on the desktop, so the same bytes.
import {readRefusal} from './page_refusal.js';

export const MODEL_TYPES = {glb: 'model/gltf-binary', stl: 'model/stl', '3mf': 'model/3mf', obj: 'model/obj'};

// The view `views` (a ProgramViews) shows as a model of `format` ('glb'): {file: a Blob of its
// type} or {refused: {kind, reason}}.
export function drawModel(views, format) {
  const refused = readRefusal(views.call('_tessary_model', format));
  if (refused) return {refused};
  const m = views.module;
  const start = m._tessary_model_file();
  return {file: new Blob([m.HEAPU8.slice(start, start + m._tessary_model_size())], {type: MODEL_TYPES[format]})};
}
