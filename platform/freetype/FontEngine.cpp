#include "platform/freetype/FontEngine.h"

#include "platform/freetype/FontFile.h"
#include "platform/freetype/FontMatch.h"

#include <climits>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace platform_freetype {

namespace {

std::unique_ptr<FontEngine>& RunningEngine() {
    static std::unique_ptr<FontEngine> engine;
    return engine;
}

// The configuration installed next to the program (bin/../share/tessary/fonts.conf), if there is one.
std::string InstalledConfigFile() {
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (length <= 0)
        return std::string();
    buffer[length] = '\0';
    std::error_code error;
    const std::filesystem::path candidate =
        std::filesystem::path(buffer).parent_path() / ".." / "share" / "tessary" / "fonts.conf";
    return std::filesystem::is_regular_file(candidate, error) ? candidate.lexically_normal().string()
                                                              : std::string();
}

} // namespace

FontEngine& FontEngine::Instance() {
    std::unique_ptr<FontEngine>& engine = RunningEngine();
    if (!engine)
        engine.reset(new FontEngine());
    return *engine;
}

FontEngine::FontEngine() {
    if (FT_Init_FreeType(&library) != 0)
        library = nullptr;
    // Never null: fontconfig builds its default configuration on first call.
    config = FcConfigGetCurrent();
    LoadFaceNames();
}

FontEngine::~FontEngine() {
    // Matches refer to files; files must go before the library.
    matches.clear();
    files.clear();
    if (library)
        FT_Done_FreeType(library);
}

void FontEngine::LoadFaceNames() {
    // The face names the program asks for ("宋体", "黑体", "幼圆") are mapped to installed fonts by a
    // file of aliases added to the system's configuration. An installed copy next to the program comes
    // first; the build's source tree second. Both are absolute paths: fontconfig resolves relative
    // ones against its own directory.
    std::string candidates[] = {InstalledConfigFile(),
#ifdef TESSARY_FONTCONFIG_FILE
                                std::string(TESSARY_FONTCONFIG_FILE)
#else
                                std::string()
#endif
    };
    for (const std::string& path : candidates) {
        std::error_code error;
        if (path.empty() || !std::filesystem::is_regular_file(path, error))
            continue;
        if (FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8*>(path.c_str()), FcFalse)) {
            configFile = path;
            return;
        }
    }
}

FontMatch& FontEngine::Match(const platform_gdi::FaceRequest& request) {
    matches.push_back(std::make_unique<FontMatch>(*this, request));
    return *matches.back();
}

FontFile* FontEngine::OpenFile(const std::string& path, int faceIndex) {
    if (!library)
        return nullptr;
    const std::string key = path + '#' + std::to_string(faceIndex);
    auto found = files.find(key);
    if (found == files.end())
        found = files.emplace(key, std::make_unique<FontFile>(library, path, faceIndex)).first;
    return found->second->Usable() ? found->second.get() : nullptr;
}

void FontEngine::Shutdown() {
    std::unique_ptr<FontEngine>& engine = RunningEngine();
    if (!engine)
        return;
    engine.reset();
    FcFini();
}

} // namespace platform_freetype
