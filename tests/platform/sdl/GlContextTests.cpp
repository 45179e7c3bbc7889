// Pixel formats and OpenGL contexts: what the program's start-up and shutdown do, on a real context.
#include "platform/Gl.h"
#include "platform/core/PlatformTesting.h"
#include "tests/platform/core/RecordingWindow.h"
#include "tests/support/GlTestContext.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

PIXELFORMATDESCRIPTOR ProgramDescriptor() {
    // As the program fills it: the pixel-type byte holds 32 and the buffer sizes are left at zero.
    PIXELFORMATDESCRIPTOR descriptor = {};
    descriptor.nSize = 40;
    descriptor.nVersion = 1;
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    descriptor.iPixelType = 32;
    descriptor.cAccumAlphaBits = 32;
    descriptor.iLayerType = PFD_MAIN_PLANE;
    return descriptor;
}

// Clears the back buffer to the colour and reads one pixel of it back.
std::array<int, 3> ClearAndRead(float red, float green, float blue) {
    glClearColor(red, green, blue, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    uint8_t pixel[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(5, 5, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return {pixel[0], pixel[1], pixel[2]};
}

void ExpectNear(const std::array<int, 3>& actual, int red, int green, int blue) {
    EXPECT_NEAR(actual[0], red, 3) << "red";
    EXPECT_NEAR(actual[1], green, 3) << "green";
    EXPECT_NEAR(actual[2], blue, 3) << "blue";
}

class GlContextTest : public ::testing::Test {
protected:
    void TearDown() override {
        const platform_testing::LiveObjects live = platform_testing::CountLiveObjects();
        EXPECT_EQ(live.windows, 0);
        EXPECT_EQ(live.deviceContexts, 0);
        EXPECT_EQ(live.glContexts, 0);
    }
};

TEST_F(GlContextTest, PixelFormatNeedsOpenGlOnAWindowOfALiveWindow) {
    RecordingWindow window;
    const HDC dc = GetDC(window.handle);
    ASSERT_NE(dc, nullptr);
    PIXELFORMATDESCRIPTOR descriptor = ProgramDescriptor();
    EXPECT_EQ(ChoosePixelFormat(dc, &descriptor), 1);
    EXPECT_EQ(ChoosePixelFormat(nullptr, &descriptor), 0) << "no DC";
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_DOUBLEBUFFER;
    EXPECT_EQ(ChoosePixelFormat(dc, &descriptor), 0) << "without OpenGL";
    descriptor.dwFlags = PFD_SUPPORT_OPENGL;
    EXPECT_EQ(ChoosePixelFormat(dc, &descriptor), 0) << "not for a window";

    EXPECT_EQ(wglCreateContext(dc), nullptr) << "a context needs a pixel format first";
    EXPECT_FALSE(SetPixelFormat(dc, 0, &descriptor)) << "format 0 is what a failed choice gives";
    EXPECT_EQ(wglCreateContext(dc), nullptr);
    EXPECT_TRUE(SetPixelFormat(dc, 1, &descriptor));
    const HGLRC context = wglCreateContext(dc);
    EXPECT_NE(context, nullptr);
    EXPECT_TRUE(wglDeleteContext(context));
    EXPECT_FALSE(wglDeleteContext(context)) << "a second time";
    EXPECT_EQ(ReleaseDC(window.handle, dc), 1);
    EXPECT_EQ(ReleaseDC(window.handle, dc), 0) << "a second time";
}

TEST_F(GlContextTest, ContextClearsAndReadsBackColours) {
    GlTestContext gl;
    ASSERT_TRUE(gl.Ok());
    ExpectNear(ClearAndRead(0.2f, 0.4f, 0.6f), 51, 102, 153);
    EXPECT_TRUE(SwapBuffers(gl.deviceContext));
    ExpectNear(ClearAndRead(1.0f, 0.0f, 0.5f), 255, 0, 128);
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 24);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1024);
    EXPECT_EQ(viewport[3], 768);
}

TEST_F(GlContextTest, CreatingAContextDoesNotMakeItCurrent) {
    RecordingWindow window;
    const HDC dc = GetDC(window.handle);
    const PIXELFORMATDESCRIPTOR descriptor = ProgramDescriptor();
    ASSERT_TRUE(SetPixelFormat(dc, ChoosePixelFormat(dc, &descriptor), &descriptor));
    const HGLRC context = wglCreateContext(dc);
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
    ASSERT_TRUE(wglMakeCurrent(dc, context));
    EXPECT_NE(SDL_GL_GetCurrentContext(), nullptr);
    ASSERT_TRUE(wglMakeCurrent(dc, nullptr));
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
    wglDeleteContext(context);
    ReleaseDC(window.handle, dc);
}

// The program's shutdown: the window is destroyed first, then textures are deleted with the context
// still current, then the context and the DC are released.
TEST_F(GlContextTest, ContextOutlivesItsDestroyedWindowUntilReleased) {
    RecordingWindow window(WS_POPUP, 64, 48);
    const HDC dc = GetDC(window.handle);
    const PIXELFORMATDESCRIPTOR descriptor = ProgramDescriptor();
    SetPixelFormat(dc, ChoosePixelFormat(dc, &descriptor), &descriptor);
    const HGLRC context = wglCreateContext(dc);
    ASSERT_NE(context, nullptr);
    ASSERT_TRUE(wglMakeCurrent(dc, context));
    GLuint texture = 0;
    glGenTextures(1, &texture);
    ASSERT_NE(texture, 0u);
    glBindTexture(GL_TEXTURE_2D, texture); // a name becomes a texture when first bound
    glBindTexture(GL_TEXTURE_2D, 0);

    ASSERT_TRUE(DestroyWindow(window.handle));
    EXPECT_FALSE(IsWindow(window.handle));
    EXPECT_EQ(platform_testing::CountLiveObjects().windows, 0);
    EXPECT_EQ(glIsTexture(texture), GL_TRUE) << "the context is still current and intact";
    ExpectNear(ClearAndRead(0.0f, 1.0f, 0.0f), 0, 255, 0);
    glDeleteTextures(1, &texture);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_FALSE(SwapBuffers(dc)) << "nothing to show any more";

    EXPECT_TRUE(wglMakeCurrent(dc, nullptr));
    EXPECT_TRUE(wglDeleteContext(context));
    EXPECT_EQ(ReleaseDC(window.handle, dc), 1);
}

TEST_F(GlContextTest, WindowsAndContextsCanBeMadeManyTimes) {
    const float shades[] = {0.1f, 0.3f, 0.5f, 0.7f, 0.9f};
    for (float shade : shades) {
        GlTestContext gl;
        ASSERT_TRUE(gl.Ok());
        const int expected = static_cast<int>(shade * 255.0f + 0.5f);
        ExpectNear(ClearAndRead(shade, shade, shade), expected, expected, expected);
    }
}

TEST_F(GlContextTest, LiveObjectCountsFollowEveryHandle) {
    const platform_testing::LiveObjects before = platform_testing::CountLiveObjects();
    EXPECT_EQ(before.windows, 0);
    {
        GlTestContext gl;
        ASSERT_TRUE(gl.Ok());
        const HDC second = GetDC(gl.window);
        const platform_testing::LiveObjects during = platform_testing::CountLiveObjects();
        EXPECT_EQ(during.windows, 1);
        EXPECT_EQ(during.deviceContexts, 2);
        EXPECT_EQ(during.glContexts, 1);
        ReleaseDC(gl.window, second);
        EXPECT_EQ(platform_testing::CountLiveObjects().deviceContexts, 1);
    }
    const platform_testing::LiveObjects after = platform_testing::CountLiveObjects();
    EXPECT_EQ(after.fonts, 0);
    EXPECT_EQ(after.brushes, 0);
    EXPECT_EQ(after.bitmaps, 0);
}

} // namespace
