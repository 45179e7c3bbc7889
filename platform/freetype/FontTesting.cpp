#include "platform/freetype/FontTesting.h"

#include "platform/freetype/FontEngine.h"
#include "platform/freetype/FontFile.h"
#include "platform/freetype/FontMatch.h"
#include "platform/gdi/FontResolver.h"
#include "platform/gdi/GdiObjects.h"

namespace platform_freetype {

namespace {

using platform_gdi::GdiFont;
using platform_gdi::GdiObject;
using platform_gdi::ObjectKind;

GdiFont* FindFont(HFONT font) {
    GdiObject* object = platform_gdi::FindObject(font);
    return object && object->kind == ObjectKind::Font ? static_cast<GdiFont*>(object) : nullptr;
}

} // namespace

FontDescription DescribeFont(HFONT font) {
    FontDescription description;
    GdiFont* found = FindFont(font);
    if (!found)
        return description;
    const platform_gdi::FontCell cell = platform_gdi::CellOf(found->text);
    if (!cell.face)
        return description;
    const FaceChoice primary = static_cast<FontMatch*>(cell.face)->Primary();
    description.family = primary.file->Family();
    description.file = primary.file->Path();
    description.syntheticBold = primary.embolden;
    description.pixelsPerEm = cell.pixelsPerEm;
    description.ascent = cell.ascent;
    description.descent = cell.descent;
    return description;
}

std::string FamilyForCharacter(HFONT font, char32_t character) {
    GdiFont* found = FindFont(font);
    if (!found)
        return std::string();
    const platform_gdi::FontCell cell = platform_gdi::CellOf(found->text);
    if (!cell.face)
        return std::string();
    const FaceChoice choice = static_cast<FontMatch*>(cell.face)->ForCharacter(character);
    return choice.file && choice.glyphIndex != 0 ? choice.file->Family() : std::string();
}

bool FamilyInstalled(const std::string& family) {
    FcConfig* config = FontEngine::Instance().Config();
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, static_cast<char*>(nullptr));
    FcFontSet* fonts = FcFontList(config, pattern, objects);
    const bool installed = fonts && fonts->nfont > 0;
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return installed;
}

std::string LoadedFaceNameFile() {
    return FontEngine::Instance().LoadedConfigFile();
}

} // namespace platform_freetype
