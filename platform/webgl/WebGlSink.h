// The sink of the desktop-GL emulation in the browser: WebGL through library_webgl_sink.js.
//
// The page has one WebGL context, which every GL context of the program shares, so batches of all
// of them wait in one queue: their vertices go up to the device in one upload, and their draws
// follow, when the frame is shown, or before anything else reaches the device (a clear, a texture),
// so that the device sees every call in the program's order.
#pragma once

#include "platform/webgl/GlSink.h"

namespace webgl {

class WebGlSink : public GlSink {
public:
    // False when the page's canvas gives no WebGL context.
    static bool Create();
    // Hands the waiting batches to WebGL.
    static void Submit();
    // Device pixels per window pixel: the drawing buffer's width over the window's, which the page
    // sets from the canvas's size on the screen and the screen's pixel ratio.
    static float PixelScale(int32_t windowWidth);

    void Draw(const DrawState& state, const GlVertex* vertices, int32_t count) override;
    void Clear(uint32_t mask, const float colour[4], bool scissor, const Box& scissorBox) override;
    void TexImage(uint32_t texture, int32_t width, int32_t height, const uint8_t* rgba) override;
    void TexParameters(uint32_t texture, const TextureParameters& parameters) override;
    void DeleteTexture(uint32_t texture) override;
};

} // namespace webgl
