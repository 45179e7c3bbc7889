// tessary --render FILE.glb, .stl, .3mf or .obj: the view of the running program as a 3-D model
// (model/ModelFile.h), written whole or not at all, and one line on standard output that says how
// the projection folded the cube.
#pragma once

#include <string>

struct RenderRequest;
class CTessary;

class ModelCommand {
public:
    // Makes the model of `screen`, which shows options.view, writes it to options.renderFile and
    // prints "tessary: FILE: 8 balls, 12 struts (16 vertices, 32 edges of the 4-cube)". False with the
    // reason when it cannot be written; no partial file is left.
    static bool Write(CTessary& screen, const RenderRequest& options, std::string* reason);
};
