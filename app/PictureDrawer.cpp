#include "app/PictureDrawer.h"

#include "app/AppContext.h"
#include "app/Shell.h"
#include "hypercube/CTessary.h"
#include "platform/Gl.h"

#include <algorithm>
#include <cstring>
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
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glReadPixels(0, 0, clientWidth, clientHeight, GL_RGBA, GL_UNSIGNED_BYTE, tile.data());
            const int columns = std::min(clientWidth, width - tx);
            for (int row = 0; row < clientHeight && ty + row < height; ++row) {
                const uint8_t* from = &tile[static_cast<size_t>(clientHeight - 1 - row) * clientWidth * 4];
                uint8_t* to = picture.Row(ty + row) + static_cast<size_t>(tx) * 4;
                std::memcpy(to, from, static_cast<size_t>(columns) * 4);
                for (int x = 0; x < columns; ++x)
                    to[x * 4 + 3] = 255;
            }
        }
    screen.pixelScale = 1.0f;
    overlayArea = OverlayArea{};
    LoadWindowProjection();
    return picture;
}
