#include "platform/freetype/FontEngine.h"

#include "platform/core/Utf16Text.h"
#include "platform/freetype/FontFile.h"
#include "platform/freetype/FontMatch.h"
#include "platform/gdi/TextBackend.h"

#include <climits>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace platform_gdi {

namespace {

std::unique_ptr<FontEngine>& RunningEngine() {
    static std::unique_ptr<FontEngine> engine;
    return engine;
}

unsigned generation = 1;

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

unsigned FontEngine::Generation() {
    return generation;
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

FontMatch& FontEngine::Match(const LOGFONTW& description) {
    const std::string faceName = platform_utf16::Utf16ToUtf8(description.lfFaceName);
    const int weight = description.lfWeight == 0 ? FW_NORMAL : static_cast<int>(description.lfWeight);
    const bool italic = description.lfItalic != 0;
    // One match per face name, weight and slant, however many fonts share them.
    const std::string key = faceName + '\n' + std::to_string(weight) + (italic ? "i" : "r");
    auto found = matches.find(key);
    if (found != matches.end())
        return *found->second;
    auto match = std::make_unique<FontMatch>(*this, faceName, weight, italic);
    FontMatch& result = *match;
    matches.emplace(key, std::move(match));
    return result;
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

void ShutdownText() {
    std::unique_ptr<FontEngine>& engine = RunningEngine();
    if (!engine)
        return;
    engine.reset();
    ++generation;
    FcFini();
}

} // namespace platform_gdi
