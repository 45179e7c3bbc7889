#include "render/PictureDrawer.h"

#include "app/AppContext.h"
#include "app/Shell.h"
#include "export/FileKinds.h"
#include "hypercube/CTessary.h"
#include "platform/Gl.h"

#include <algorithm>

RgbaPicture PictureDrawer::Draw(CTessary& screen, int width, bool panel, const ScenePalette& palette) {
    const int height = FileKinds::PictureHeight(width);
    const double scale = static_cast<double>(width) / clientWidth;

    RgbaPicture picture(width, height);
    screen.SetPixelScale(static_cast<float>(scale));
    screen.SetPalette(palette);
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
    // The buffer's own order, BGRA, turned into RGBA here: llvmpipe converts to RGBA through a
    // generic path several times slower.
    picture.TurnOverFromBgra();
    screen.SetPixelScale(1.0f);
    screen.SetPalette(ScenePalette::Dark());
    overlayArea = OverlayArea{};
    LoadWindowProjection();
    return picture;
}
