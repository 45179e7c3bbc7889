// The faces fontconfig offers for one GDI font description (face name, weight, italic), best first.
//
// The first face draws every character it has; a character it lacks comes from the first later face
// that has it, as GDI's font linking does, so no text shows empty boxes while any installed font has
// the character. Faces are opened only when a character first needs them.
#pragma once

#include "platform/gdi/TextBackend.h"

#include <fontconfig/fontconfig.h>

#include <string>
#include <unordered_map>
#include <vector>

namespace platform_freetype {

class FontEngine;
class FontFile;

// A face that draws a character, and how GDI would style it.
struct FaceChoice {
    FontFile* file = nullptr; // not owned: belongs to the font engine; null when no font is installed
    unsigned glyphIndex = 0;  // 0 is the face's missing-glyph box
    bool embolden = false;    // bold asked for, and the face is not bold itself
    bool slant = false;       // italic asked for, and the face is upright
};

// What the gdi layer holds for a resolved request.
class FontMatch : public platform_gdi::ResolvedFace {
public:
    FontMatch(FontEngine& engine, const platform_gdi::FaceRequest& request);
    ~FontMatch();
    FontMatch(const FontMatch&) = delete;
    FontMatch& operator=(const FontMatch&) = delete;

    // The face the font description resolves to; it sets the cell metrics.
    FaceChoice Primary();
    FaceChoice ForCharacter(char32_t character);

private:
    struct Candidate {
        std::string path;
        int faceIndex = 0;
        FcCharSet* characters = nullptr; // owned reference
        bool embolden = false;
        bool slant = false;
        FontFile* file = nullptr; // not owned; opened on first use
        bool opened = false;
    };

    FontFile* Open(Candidate& candidate);
    FaceChoice Choose(Candidate& candidate, char32_t character);

    FontEngine& engine;
    std::vector<Candidate> candidates;
    int primary = -1; // the first candidate that opens
    std::unordered_map<char32_t, int> candidateForCharacter;
};

} // namespace platform_freetype
