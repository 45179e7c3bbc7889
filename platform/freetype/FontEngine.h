// FreeType and fontconfig for the text back end, started on first use and shared by all fonts.
//
// It owns every opened font file and every resolved request, so that a font object is only a LOGFONT
// and a pointer: thousands of fonts of a few descriptions cost a few faces and glyph sets.
#pragma once

#include "platform/gdi/TextBackend.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform_freetype {

class FontFile;
class FontMatch;

class FontEngine {
public:
    // The running engine, started if needed.
    static FontEngine& Instance();
    // Stops the running engine: every match and face goes, then FreeType and fontconfig.
    static void Shutdown();

    ~FontEngine();
    FontEngine(const FontEngine&) = delete;
    FontEngine& operator=(const FontEngine&) = delete;

    FcConfig* Config() const { return config; }
    // A new match for the request; the gdi layer asks once per distinct request.
    FontMatch& Match(const platform_gdi::FaceRequest& request);
    // The face at `path`, opened once; null when FreeType cannot use it.
    FontFile* OpenFile(const std::string& path, int faceIndex);
    // The configuration file with the program's face names that was loaded, empty when none was.
    const std::string& LoadedConfigFile() const { return configFile; }

private:
    FontEngine();
    void LoadFaceNames();

    FT_Library library = nullptr; // owned
    FcConfig* config = nullptr;   // not owned: fontconfig's current configuration
    std::string configFile;
    std::unordered_map<std::string, std::unique_ptr<FontFile>> files;
    std::vector<std::unique_ptr<FontMatch>> matches;
};

} // namespace platform_freetype
