// Binary STL, for printing: millimetres, z up, the object resting on z = 0; the struts and balls
// only, since a print has no translucent faces. The 80-byte header names the program.
#pragma once

#include "model/ModelMesh.h"

#include <string>

class StlWriter {
public:
    static std::string Write(const ModelMesh& mesh);
};
