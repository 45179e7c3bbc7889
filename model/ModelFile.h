// A view as a 3-D model file of any model kind of export/FileKinds.h, in memory: folded, meshed,
// placed and written by the kind's writer. The command line and the page both come here, so the
// same view text gives the same bytes on every build.
#pragma once

#include "export/FileKinds.h"
#include "model/ModelSource.h"

#include <string>

class ModelFile {
public:
    // The bytes of `kind` (a model kind) for `source`, `size` millimetres at its largest with struts
    // `strut` millimetres across; *summary, when given, gets "8 balls, 12 struts (16 vertices, 32
    // edges of the 4-cube)".
    static std::string Write(const FileKind& kind, const ModelSource& source, double size, double strut,
                             std::string* summary);
};
