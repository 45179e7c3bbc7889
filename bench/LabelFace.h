// Fonts opened with fontconfig and FreeType alone, for the raw references the benchmarks compare the
// program with: the face numbers' font ("幼圆" maps to cwTeXYen) and any other family by name.
#pragma once

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace bench {

// The best match for `family` at the given pixel size, or null when no font can be found or opened.
inline FT_Face OpenFace(FT_Library library, const char* family, int pixelsPerEm) {
    FT_Face face = nullptr;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* file = nullptr;
    int index = 0;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        if (FT_New_Face(library, reinterpret_cast<const char*>(file), index, &face) != 0)
            face = nullptr;
        else
            FT_Set_Pixel_Sizes(face, 0, pixelsPerEm);
    }
    if (match)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return face;
}

inline FT_Face OpenLabelFace(FT_Library library, int pixelsPerEm) {
    return OpenFace(library, "cwTeXYen", pixelsPerEm);
}

} // namespace bench
