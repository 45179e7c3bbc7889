#include "fuzz/support/FuzzProgram.h"

#include "app/AppContext.h"
#include "app/Shell.h"
#include "platform/PlatformTesting.h"

// The framebuffer object calls came after OpenGL 1.1; Mesa's library exports them.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <cstdlib>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/lsan_interface.h>
#define TESSARY_FUZZ_LEAK_CHECK 1
#endif
#endif

namespace fuzz_program {

namespace {

long inputs = 0;

void CheckForLeaks() {
#ifdef TESSARY_FUZZ_LEAK_CHECK
    if (__lsan_do_recoverable_leak_check() != 0) {
        std::fprintf(stderr, "fuzz: leaked blocks found after %ld inputs\n", inputs);
        std::abort();
    }
#endif
}

// Everything is drawn into a framebuffer of 4 x 4 pixels instead of the window's 1024 x 768. The
// program still makes every call of every frame (the viewport, the faces sorted and sent, the labels
// bound, the panel), but llvmpipe rasterises almost nothing: filling a frame of the 8-cube's
// translucent faces took more of the session than the program's own code, and no check here reads
// a pixel. The program never binds a framebuffer itself, so this one stays bound.
void DrawIntoSmallFramebuffer(const char* target) {
    GLuint buffers[2] = {};
    glGenRenderbuffers(2, buffers);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[0]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, 4, 4);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[1]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, 4, 4);
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers[0]);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, buffers[1]);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        std::fprintf(stderr, "%s: no framebuffer object to draw into\n", target);
        std::abort();
    }
}

} // namespace

void StartOnce(const char* target) {
    if (application)
        return;
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    platform_testing::SuppressSystemDialogs(true);
    platform_testing::SetManualTicks(1000);
    if (!CreateMainWindow(GetModuleHandleW(nullptr))) {
        std::fprintf(stderr, "%s: no window\n", target);
        std::abort();
    }
    application = new AppContext(); // owned until exit
    InitScene();
    DrawIntoSmallFramebuffer(target);
    std::atexit(CheckForLeaks);
}

void InputDone() {
    if (++inputs % leakCheckInterval == 0)
        CheckForLeaks();
}

} // namespace fuzz_program
