#include "render/PictureDrawer.h"

#include "app/AppContext.h"
#include "app/Shell.h"
#include "hypercube/CTessary.h"
#include "platform/Gl.h"

#include <algorithm>

namespace {

// The picture as OpenGL gives it, bottom row first and each pixel's bytes in the colour buffer's
// own order, BGRA (llvmpipe converts to RGBA through a generic path several times slower than this),
// turned top row first, RGBA and opaque: blending leaves alpha below 1 where faces are, which the
// window ignores.
void TurnOverAsRgba(RgbaPicture& picture) {
    for (int y = 0; y <= picture.height - 1 - y; ++y) {
        uint8_t* top = picture.Row(y);
        uint8_t* bottom = picture.Row(picture.height - 1 - y);
        for (int x = 0; x < picture.width * 4; x += 4) {
            // Both read before either is written: in the middle row the two are the same.
            const uint8_t t0 = top[x], t1 = top[x + 1], t2 = top[x + 2];
            const uint8_t b0 = bottom[x], b1 = bottom[x + 1], b2 = bottom[x + 2];
            top[x] = b2, top[x + 1] = b1, top[x + 2] = b0, top[x + 3] = 255;
            bottom[x] = t2, bottom[x + 1] = t1, bottom[x + 2] = t0, bottom[x + 3] = 255;
        }
    }
}

} // namespace

RgbaPicture PictureDrawer::Draw(CTessary& screen, int width, bool panel) {
    const int height = width * 3 / 4;
    const double scale = static_cast<double>(width) / clientWidth;

    RgbaPicture picture(width, height);
    screen.SetPixelScale(static_cast<float>(scale));
    glViewport(0, 0, clientWidth, clientHeight);
    // Each tile is read straight into its place in the picture, which stays bottom row first, as
    // OpenGL gives rows, until all tiles are in.
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, width);
    // ty and tx are the tile's top-left corner in picture pixels, y downwards.
    for (int ty = 0; ty < height; ty += clientHeight)
        for (int tx = 0; tx < width; tx += clientWidth) {
            LoadWindowProjection(-1.0 + 2.0 * tx / width, -1.0 + 2.0 * (tx + clientWidth) / width,
                                 1.0 - 2.0 * (ty + clientHeight) / height, 1.0 - 2.0 * ty / height);
            overlayArea = {tx / scale, ty / scale, (tx + clientWidth) / scale, (ty + clientHeight) / scale};
            DrawFrame(panel);
            // The buffer's top `rows` rows hold picture rows ty to ty + rows - 1.
            const int columns = std::min(clientWidth, width - tx);
            const int rows = std::min(clientHeight, height - ty);
            glReadPixels(0, clientHeight - rows, columns, rows, GL_BGRA_EXT, GL_UNSIGNED_BYTE,
                         picture.Row(height - ty - rows) + static_cast<size_t>(tx) * 4);
        }
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    TurnOverAsRgba(picture);
    screen.SetPixelScale(1.0f);
    overlayArea = OverlayArea{};
    LoadWindowProjection();
    return picture;
}
