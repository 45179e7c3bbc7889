// The pipeline the GL entry points draw with: that of the context made current, or none.
#pragma once

#include "platform/webgl/GlPipeline.h"

namespace webgl {

void MakeCurrent(GlPipeline* pipeline);
GlPipeline* Current();

} // namespace webgl
