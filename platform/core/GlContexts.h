// OpenGL contexts handed out by wglCreateContext.
#pragma once

namespace platform_windowing {

// Contexts created and not yet deleted.
int LiveGlContextCount();

} // namespace platform_windowing
