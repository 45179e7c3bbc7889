#include "app/PictureDrawer.h"

#include "app/AppContext.h"
#include "app/Shell.h"
#include "hypercube/CTessary.h"
#include "platform/Gl.h"

#include <algorithm>
#include <vector>

RgbaPicture PictureDrawer::Draw(CTessary& screen, int width, bool panel) {
    const int height = width * 3 / 4;
    const double scale = static_cast<double>(width) / clientWidth;

    RgbaPicture picture(width, height);
    std::vector<uint8_t> tile(static_cast<size_t>(clientWidth) * clientHeight * 4);
    screen.pixelScale = static_cast<float>(scale);
    glViewport(0, 0, clientWidth, clientHeight);
    // ty and tx are the tile's top-left corner in picture pixels, y downwards.
    for (int ty = 0; ty < height; ty += clientHeight)
        for (int tx = 0; tx < width; tx += clientWidth) {
            LoadWindowProjection(-1.0 + 2.0 * tx / width, -1.0 + 2.0 * (tx + clientWidth) / width,
                                 1.0 - 2.0 * (ty + clientHeight) / height, 1.0 - 2.0 * ty / height);
            overlayArea = {tx / scale, ty / scale, (tx + clientWidth) / scale, (ty + clientHeight) / scale};
            if (panel) {
                DrawFrame();
            } else {
                // The same passes and GL state as DrawFrame, with nothing in the overlay.
                glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
                glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
                screen.Draw3D();
                BeginOverlay();
                EndOverlay();
            }
            // Read in the colour buffer's own order, which llvmpipe keeps as BGRA: asked for RGBA it
            // converts every pixel through a generic path, several times slower than turning the
            // bytes here while the rows are copied anyway.
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glReadPixels(0, 0, clientWidth, clientHeight, GL_BGRA_EXT, GL_UNSIGNED_BYTE, tile.data());
            const int columns = std::min(clientWidth, width - tx);
            for (int row = 0; row < clientHeight && ty + row < height; ++row) {
                const uint8_t* from = &tile[static_cast<size_t>(clientHeight - 1 - row) * clientWidth * 4];
                uint8_t* to = picture.Row(ty + row) + static_cast<size_t>(tx) * 4;
                for (int x = 0; x < columns * 4; x += 4) {
                    to[x] = from[x + 2];
                    to[x + 1] = from[x + 1];
                    to[x + 2] = from[x];
                    to[x + 3] = 255;
                }
            }
        }
    screen.pixelScale = 1.0f;
    overlayArea = OverlayArea{};
    LoadWindowProjection();
    return picture;
}
