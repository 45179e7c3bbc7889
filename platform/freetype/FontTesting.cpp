#include "platform/freetype/FontTesting.h"

#include "platform/freetype/FontEngine.h"
#include "platform/freetype/FontFile.h"
#include "platform/freetype/FontMatch.h"
#include "platform/freetype/TextRun.h"
#include "platform/gdi/GdiObjects.h"

namespace platform_gdi {

namespace {

GdiFont* FindFont(HFONT font) {
    GdiObject* object = FindObject(font);
    return object && object->kind == ObjectKind::Font ? static_cast<GdiFont*>(object) : nullptr;
}

} // namespace

FontDescription DescribeFont(HFONT font) {
    FontDescription description;
    GdiFont* found = FindFont(font);
    if (!found)
        return description;
    const TextRun run(found->text, nullptr, 0);
    const FaceChoice primary = FontEngine::Instance().Match(found->text.description).Primary();
    if (!primary.file)
        return description;
    description.family = primary.file->Family();
    description.file = primary.file->Path();
    description.syntheticBold = primary.embolden;
    description.pixelsPerEm = run.PixelsPerEm();
    description.ascent = run.Ascent();
    description.descent = run.Descent();
    return description;
}

std::string FamilyForCharacter(HFONT font, char32_t character) {
    GdiFont* found = FindFont(font);
    if (!found)
        return std::string();
    const FaceChoice choice = FontEngine::Instance().Match(found->text.description).ForCharacter(character);
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

} // namespace platform_gdi
