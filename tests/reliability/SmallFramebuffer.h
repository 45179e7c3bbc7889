// While one exists, everything drawn in the current OpenGL context goes into a framebuffer object of
// 4 x 4 pixels instead of the window's 1024 x 768. The program still makes every call of every frame
// (the viewport, the faces sorted and sent, the labels bound, the panel), but llvmpipe rasterises
// almost nothing. For the runs that check the program's state and never a pixel: the fuzz targets
// and the replay of their inputs, where filling frames of the 8-cube's translucent faces took more
// time than the program's own code. The program never binds a framebuffer itself.
#pragma once

#include "platform/Gl.h"

class SmallFramebuffer {
public:
    // Needs a current context that has framebuffer objects (Mesa's has); aborts without them.
    SmallFramebuffer();
    // Binds the window's own framebuffer again.
    ~SmallFramebuffer();
    SmallFramebuffer(const SmallFramebuffer&) = delete;
    SmallFramebuffer& operator=(const SmallFramebuffer&) = delete;

private:
    GLuint colour = 0;
    GLuint depth = 0;
    GLuint framebuffer = 0;
};
