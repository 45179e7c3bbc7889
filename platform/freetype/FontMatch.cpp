#include "platform/freetype/FontMatch.h"

#include "platform/freetype/FontEngine.h"
#include "platform/freetype/FontFile.h"

namespace platform_freetype {

FontMatch::FontMatch(FontEngine& fontEngine, const platform_gdi::FaceRequest& request) : engine(fontEngine) {
    const std::string& faceName = request.faceName;
    const bool italic = request.italic;
    FcConfig* config = engine.Config();
    FcPattern* pattern = FcPatternCreate();
    // An empty face name leaves the choice to fontconfig's defaults, as GDI picks its default face.
    if (!faceName.empty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(faceName.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(request.weight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);

    // Sorted with trimming: each later face adds characters the earlier ones lack.
    FcResult result = FcResultNoMatch;
    FcFontSet* fonts = FcFontSort(config, pattern, FcTrue, nullptr, &result);
    FcPatternDestroy(pattern);
    if (!fonts)
        return;
    for (int i = 0; i < fonts->nfont; ++i) {
        FcPattern* font = fonts->fonts[i];
        FcChar8* file = nullptr;
        if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch)
            continue;
        Candidate candidate;
        candidate.path = reinterpret_cast<const char*>(file);
        FcPatternGetInteger(font, FC_INDEX, 0, &candidate.faceIndex);
        int fontWeight = FC_WEIGHT_REGULAR;
        FcPatternGetInteger(font, FC_WEIGHT, 0, &fontWeight);
        int fontSlant = FC_SLANT_ROMAN;
        FcPatternGetInteger(font, FC_SLANT, 0, &fontSlant);
        FcCharSet* characters = nullptr;
        if (FcPatternGetCharSet(font, FC_CHARSET, 0, &characters) == FcResultMatch)
            candidate.characters = FcCharSetCopy(characters);
        // A family without a bold face is emboldened, one without an italic face slanted, as GDI
        // simulates missing styles.
        candidate.embolden = request.bold && fontWeight < FC_WEIGHT_DEMIBOLD;
        candidate.slant = italic && fontSlant == FC_SLANT_ROMAN;
        candidates.push_back(std::move(candidate));
    }
    FcFontSetDestroy(fonts);
}

FontMatch::~FontMatch() {
    for (Candidate& candidate : candidates) {
        if (candidate.characters)
            FcCharSetDestroy(candidate.characters);
    }
}

FontFile* FontMatch::Open(Candidate& candidate) {
    if (!candidate.opened) {
        candidate.opened = true;
        candidate.file = engine.OpenFile(candidate.path, candidate.faceIndex);
    }
    return candidate.file;
}

FaceChoice FontMatch::Choose(Candidate& candidate, char32_t character) {
    FaceChoice choice;
    choice.file = Open(candidate);
    choice.glyphIndex = choice.file ? choice.file->GlyphIndex(character) : 0;
    choice.embolden = candidate.embolden;
    choice.slant = candidate.slant;
    return choice;
}

FaceChoice FontMatch::Primary() {
    if (primary < 0) {
        for (size_t i = 0; i < candidates.size() && primary < 0; ++i) {
            if (Open(candidates[i]))
                primary = static_cast<int>(i);
        }
        if (primary < 0)
            return FaceChoice();
    }
    return Choose(candidates[primary], 0);
}

FaceChoice FontMatch::ForCharacter(char32_t character) {
    auto known = candidateForCharacter.find(character);
    if (known != candidateForCharacter.end())
        return Choose(candidates[known->second], character);

    FaceChoice first = Primary();
    if (!first.file)
        return first;
    int chosen = primary;
    for (size_t i = primary; i < candidates.size(); ++i) {
        Candidate& candidate = candidates[i];
        if (candidate.characters && !FcCharSetHasChar(candidate.characters, character))
            continue;
        // The character map of the file itself decides: fontconfig's set may be wider than it.
        FontFile* file = Open(candidate);
        if (file && file->GlyphIndex(character) != 0) {
            chosen = static_cast<int>(i);
            break;
        }
    }
    candidateForCharacter.emplace(character, chosen);
    return Choose(candidates[chosen], character);
}

} // namespace platform_freetype
