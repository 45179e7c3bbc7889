// The view of the running program as a 3-D model, as a plain C function for the browser's page: the
// same model, made by the same code (model/ModelFile.h), as `tessary --render FILE.glb --view TEXT`
// makes on the desktop for the view shown, byte for byte.
#pragma once

extern "C" {
// Makes the hypercube screen's view as a model of `format` ("glb", "stl", "3mf" or "obj"), the
// desktop's default size and struts. Returns "" when the file is made, and tessary_model_file() and
// tessary_model_size() then give its bytes; otherwise one line saying why not, which starts with its
// kind, as the view commands' refusals do (page/Refusal.h):
//   "malformed: ..."                     the format is none of the model kinds;
//   "busy: a message box is open"        the screen is left alone until the box is closed;
//   "not started: ..."                   the program has no screen yet, or no hypercube built.
// The file stays valid until the next call, the answer until the next call of any of the page's
// commands.
const char* tessary_model(const char* format);
// The first byte of the last file made, and how many bytes it has (0 after a refusal).
const char* tessary_model_file();
int tessary_model_size();
}
