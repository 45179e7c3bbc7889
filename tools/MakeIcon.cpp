// tessary-icon: draws the program's icon with the viewer's own model and renderer and writes it as
// PNG files, one per size: <directory>/tessary-<size>.png, or with --ico as one Windows icon file
// holding every size. Used by the build for the desktop icon and for the Windows program's icon.
#include "app/GlWindow.h"
#include "hypercube/HypercubeModel.h"
#include "hypercube/OrbitCamera.h"
#include "platform/PlatformShutdown.h"
#include "tools/IcoFile.h"
#include "tools/IconPicture.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

// The hidden window's client area bounds the largest picture that can be drawn at once: it is
// square, as the pictures are, and large enough for the web-app icon of 512 px.
constexpr int windowWidth = 1024;
constexpr int windowHeight = 1024;

bool WritePng(const std::vector<uint8_t>& rgba, int size, const std::string& path) {
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(size);
    image.height = static_cast<png_uint_32>(size);
    image.format = PNG_FORMAT_RGBA;
    return png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr) != 0;
}

// A picture with no lit pixel means the renderer drew nothing (no GL, no model): an icon that is
// only a black tile must fail the build rather than be installed.
bool ShowsSomething(const std::vector<uint8_t>& rgba) {
    int lit = 0;
    for (size_t i = 0; i + 3 < rgba.size(); i += 4)
        if (rgba[i + 3] == 255 && rgba[i] > 200 && rgba[i + 1] > 200 && rgba[i + 2] > 200)
            ++lit;
    return lit * 100 >= static_cast<int>(rgba.size() / 4);
}

bool WriteFile(const std::vector<uint8_t>& bytes, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

// Draws every size, into `target`: a directory of PNG files, or with `ico` one .ico file. Returns
// the process exit code.
int DrawIcons(const std::string& target, bool ico, int count, char** sizes) {
    const GlWindow context(windowWidth, windowHeight);
    if (!context.Ok()) {
        std::fprintf(stderr, "tessary-icon: no OpenGL context\n");
        return 1;
    }
    // Declared after the context, so the model's number textures go while it is still current.
    HypercubeModel model;
    OrbitCamera camera;
    SetUpIconScene(model, camera);
    std::vector<IcoPicture> pictures;
    for (int i = 0; i < count; ++i) {
        const int size = std::atoi(sizes[i]);
        if (size <= 0 || size * 2 > windowHeight) {
            std::fprintf(stderr, "tessary-icon: size %s is not between 1 and %d\n", sizes[i],
                         windowHeight / 2);
            return 2;
        }
        std::vector<uint8_t> picture = DrawIconPicture(model, camera, size);
        if (!ShowsSomething(picture)) {
            std::fprintf(stderr, "tessary-icon: the %d px picture shows nothing\n", size);
            return 1;
        }
        if (ico) {
            pictures.push_back({size, std::move(picture)});
            continue;
        }
        const std::string path = target + "/tessary-" + std::to_string(size) + ".png";
        if (!WritePng(picture, size, path)) {
            std::fprintf(stderr, "tessary-icon: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    if (ico) {
        const std::vector<uint8_t> bytes = EncodeIco(pictures);
        if (bytes.empty() || !WriteFile(bytes, target)) {
            std::fprintf(stderr, "tessary-icon: cannot write %s\n", target.c_str());
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool ico = argc > 1 && std::string(argv[1]) == "--ico";
    const int first = ico ? 2 : 1;
    if (argc < first + 2) {
        std::fprintf(stderr, "usage: %s <directory> <size>...\n       %s --ico <file.ico> <size>...\n",
                     argv[0], argv[0]);
        return 2;
    }
    const int status = DrawIcons(argv[first], ico, argc - first - 1, argv + first + 1);
    ShutdownPlatform();
    return status;
}
