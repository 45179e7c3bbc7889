// FreeType and fontconfig for the text back end, started on first use and shared by all fonts.
//
// It owns every opened font file and every resolved font description, so that a font object is only
// a LOGFONT and a pointer: thousands of fonts of a few descriptions cost a few faces and glyph sets.
#pragma once

#include "platform/Win32.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <string>
#include <unordered_map>

namespace platform_gdi {

class FontFile;
class FontMatch;

class FontEngine {
public:
    // The running engine, started if needed. ShutdownText (platform/gdi/TextBackend.h) stops it:
    // every match and face goes, then FreeType and fontconfig.
    static FontEngine& Instance();
    // Changes at every ShutdownText, so that a font can tell whether its cached match still exists.
    static unsigned Generation();

    ~FontEngine();
    FontEngine(const FontEngine&) = delete;
    FontEngine& operator=(const FontEngine&) = delete;

    FcConfig* Config() const { return config; }
    // The match for a font description, made on first request (once per face name and style).
    FontMatch& Match(const LOGFONTW& description);
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
    std::unordered_map<std::string, std::unique_ptr<FontMatch>> matches;
};

} // namespace platform_gdi
