// Seams for tests of the GDI text functions: what a font resolved to and which face draws a character.
// The program never includes this header.
#pragma once

#include "platform/Win32.h"

#include <string>

namespace platform_freetype {

struct FontDescription {
    std::string family;         // family of the face the font resolves to; empty when none is installed
    std::string file;           // its font file
    bool syntheticBold = false; // bold asked for and drawn by emboldening a regular face
    int pixelsPerEm = 0;
    int ascent = 0; // the text cell, as GetTextExtentPoint32W reports its height
    int descent = 0;
};
FontDescription DescribeFont(HFONT font);

// Family of the face that draws `character` in `font` (the font's own face or a fallback).
std::string FamilyForCharacter(HFONT font, char32_t character);

// Whether fontconfig knows an installed font of this family.
bool FamilyInstalled(const std::string& family);

// The file of face-name aliases that was loaded, empty when none was found.
std::string LoadedFaceNameFile();

} // namespace platform_freetype
