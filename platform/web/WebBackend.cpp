// The platform back end of the browser build. The window is the page's one canvas, the GL context a
// desktop-GL pipeline over WebGL, and every wait gives the thread back to the browser (through
// Asyncify), so that the program's own loops run as written while the page keeps drawing and taking
// input.
#include "platform/core/Backend.h"
// The core's one UTF-8 encoder: the page takes the title and dialog texts as UTF-8.
#include "platform/core/Utf16Text.h"
#include "platform/web/WebEventFunnel.h"
#include "platform/web/WebHost.h"
#include "platform/webgl/GlCurrent.h"
#include "platform/webgl/WebGlSink.h"

#include <emscripten.h>

#include <algorithm>
#include <string>

namespace platform_backend {

struct NativeWindowObject {
    LONG width = 0, height = 0;
};

struct NativeGlContextObject {
    webgl::WebGlSink sink;
    webgl::GlPipeline pipeline{sink};
};

namespace {
// The page has one canvas, so one window is shown on it; others exist but draw nowhere.
NativeWindowObject* canvasOwner = nullptr;
bool webGlStarted = false;

// The drawing buffer's pixels per window pixel, taken up between frames, as the page resizes it.
void FollowDrawingBuffer(webgl::GlPipeline* pipeline) {
    if (pipeline && canvasOwner)
        pipeline->SetPixelScale(webgl::WebGlSink::PixelScale(canvasOwner->width));
}

// Feeds the page's waiting events into the message queue; the number fed.
int FeedEvents() {
    constexpr int batch = 64;
    web_host::InputRecord records[batch];
    int total = 0;
    for (int n; (n = tessary_web_pump(records, batch)) > 0; total += n) {
        for (int i = 0; i < n; ++i)
            platform_web::TranslateWebEvent(canvasOwner, records[i]);
    }
    return total;
}

} // namespace

bool StartVideo(bool) {
    return true;
}

void PumpEvents() {
    FeedEvents();
}

bool WaitForEvents(int timeoutMs) {
    // The browser delivers input only while the program is not running, so waiting is yielding.
    const double end = emscripten_get_now() + timeoutMs;
    for (;;) {
        if (FeedEvents() > 0)
            return true;
        const double left = end - emscripten_get_now();
        if (left <= 0)
            return false;
        emscripten_sleep(static_cast<unsigned>(std::min(left, 10.0)));
    }
}

void SleepMilliseconds(DWORD milliseconds) {
    emscripten_sleep(milliseconds);
}

NativeWindow CreateNativeWindow(const NativeWindowLook& look) {
    // The newest window takes the canvas: the program shows only one.
    auto* window = new NativeWindowObject{look.width, look.height};
    canvasOwner = window;
    if (look.title)
        tessary_web_set_title(platform_utf16::Utf16ToUtf8(look.title).c_str());
    return window;
}

void DestroyNativeWindow(NativeWindow window) {
    if (canvasOwner == window)
        canvasOwner = nullptr;
    delete window;
}

// The canvas keeps the page's place and size; the core keeps the window's notional frame.
void ShowNativeWindow(NativeWindow, bool) {}
void PlaceNativeWindow(NativeWindow window, POINT, LONG width, LONG height) {
    window->width = std::max<LONG>(width, 1);
    window->height = std::max<LONG>(height, 1);
}
void RestyleNativeWindow(NativeWindow, bool, bool) {}

NativeGlContext CreateGlContext(NativeWindow) {
    // WebGL gives one context per canvas, which every GL context of the program shares.
    if (!webGlStarted && !webgl::WebGlSink::Create())
        return nullptr;
    webGlStarted = true;
    return new NativeGlContextObject();
}

bool MakeGlContextCurrent(NativeWindow, NativeGlContext context) {
    if (webgl::GlPipeline* current = webgl::Current())
        current->Flush();
    webgl::MakeCurrent(context ? &context->pipeline : nullptr);
    FollowDrawingBuffer(webgl::Current());
    return true;
}

void DeleteGlContext(NativeGlContext context) {
    if (context && webgl::Current() == &context->pipeline)
        webgl::MakeCurrent(nullptr);
    delete context;
}

void SwapGlBuffers(NativeWindow window) {
    if (webgl::GlPipeline* current = webgl::Current())
        current->Flush();
    webgl::WebGlSink::Submit();
    // The browser shows what was drawn once the program gives it the thread; the page may resize the
    // drawing buffer meanwhile, and the next frame is drawn at the size it then has.
    if (window == canvasOwner)
        tessary_web_next_frame();
    FollowDrawingBuffer(webgl::Current());
}

// Pointer capture is taken by the page itself when a button goes down on the canvas.
void CaptureMouse(bool) {}

void ApplyCursor(SystemCursor cursor) {
    switch (cursor) {
    case SystemCursor::Hidden:
        tessary_web_set_cursor(web_host::cursorNone);
        break;
    case SystemCursor::IBeam:
        tessary_web_set_cursor(web_host::cursorText);
        break;
    default:
        tessary_web_set_cursor(web_host::cursorArrow);
        break;
    }
}

int ShowNativeMessageBox(NativeWindow, const WCHAR* text, const WCHAR* caption, UINT type) {
    std::string message = platform_utf16::Utf16ToUtf8(caption ? caption : L"");
    if (!message.empty())
        message += "\n\n";
    message += platform_utf16::Utf16ToUtf8(text ? text : L"");
    const bool withCancel = (type & MB_TYPEMASK) == MB_OKCANCEL;
    return tessary_web_dialog(message.c_str(), withCancel) ? IDOK : IDCANCEL;
}

// The browser has one mode, the screen as it is, and cannot change it.
bool GetDisplayMode(int mode, DEVMODEW& description) {
    if (mode != currentDisplayMode && mode != desktopDisplayMode && mode != 0)
        return false;
    int32_t width = 0, height = 0;
    tessary_web_screen_size(&width, &height);
    description.dmPelsWidth = static_cast<DWORD>(width);
    description.dmPelsHeight = static_cast<DWORD>(height);
    description.dmBitsPerPel = 32;
    description.dmDisplayFrequency = 60;
    description.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL | DM_DISPLAYFREQUENCY;
    return true;
}

void ShutdownBackend() {}

} // namespace platform_backend
