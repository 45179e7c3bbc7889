#include "tools/IconPicture.h"

#include "hypercube/HypercubeModel.h"
#include "hypercube/HypercubeRenderer.h"
#include "hypercube/OrbitCamera.h"
#include "hypercube/WindowLens.h"
#include "platform/Gl.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int supersampling = 2;

// Rows of the back buffer's bottom-left `side` x `side` square, top row first.
std::vector<uint8_t> ReadSquare(int side) {
    std::vector<uint8_t> bottomUp(static_cast<size_t>(side) * side * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, side, side, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<uint8_t> topDown(bottomUp.size());
    const size_t row = static_cast<size_t>(side) * 4;
    for (int y = 0; y < side; ++y)
        std::copy_n(&bottomUp[(side - 1 - y) * row], row, &topDown[y * row]);
    return topDown;
}

} // namespace

void SetUpIconScene(HypercubeModel& model, OrbitCamera& camera) {
    model.BuildCountTables();
    model.Build(4);
    model.built = true;
    // Turning X and Y towards W separates the inner and outer cubes that the dropped fourth
    // coordinate would otherwise lay on top of each other.
    model.RotatePlane(0, 3, 0.7f);
    model.RotatePlane(1, 3, 0.5f);
    SetUpViewerCamera(camera);
    // Seen a little from above and from the side, as a user would after a short drag.
    camera.Yaw(0.5f);
    camera.Pitch(-0.35f);
}

std::vector<uint8_t> DrawIconPicture(HypercubeModel& model, const OrbitCamera& camera, int size) {
    const int side = size * supersampling;
    glViewport(0, 0, side, side);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // The viewer's lens, but square like the icon.
    gluPerspective(WindowLens::fieldOfViewDegrees, 1.0, WindowLens::nearPlane, WindowLens::farPlane);
    glMatrixMode(GL_MODELVIEW);

    // The state every frame of the viewer starts its 3-D pass with.
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    DrawHypercube(model, camera, false, true);
    glDisable(GL_FOG);
    glDisable(GL_BLEND);
    glFinish();
    const std::vector<uint8_t> large = ReadSquare(side);

    std::vector<uint8_t> picture(static_cast<size_t>(size) * size * 4);
    const float radius = static_cast<float>(size) * 0.18f;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            uint8_t* out = &picture[(static_cast<size_t>(y) * size + x) * 4];
            for (int channel = 0; channel < 3; ++channel) {
                int sum = 0;
                for (int dy = 0; dy < supersampling; ++dy)
                    for (int dx = 0; dx < supersampling; ++dx) {
                        const size_t at = (static_cast<size_t>(y * supersampling + dy) * side +
                                           static_cast<size_t>(x * supersampling + dx)) *
                                              4 +
                                          static_cast<size_t>(channel);
                        sum += large[at];
                    }
                out[channel] = static_cast<uint8_t>((sum + supersampling * supersampling / 2) /
                                                    (supersampling * supersampling));
            }
            out[3] = static_cast<uint8_t>(std::lround(TileCoverage(x, y, size, radius) * 255.0f));
        }
    }
    return picture;
}

float TileCoverage(int x, int y, int size, float radius) {
    // Distance from the pixel centre to the nearest point of the square shrunk by the radius; the
    // tile is everything within `radius` of that smaller square.
    const float cx = static_cast<float>(x) + 0.5f;
    const float cy = static_cast<float>(y) + 0.5f;
    const float low = radius;
    const float high = static_cast<float>(size) - radius;
    const float dx = std::max({low - cx, 0.0f, cx - high});
    const float dy = std::max({low - cy, 0.0f, cy - high});
    const float outside = std::sqrt(dx * dx + dy * dy) - radius;
    // A one-pixel-wide ramp across the rim gives the rounded corners a smooth edge.
    return std::clamp(0.5f - outside, 0.0f, 1.0f);
}
