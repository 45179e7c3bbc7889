// Every kind of file the command line writes, chosen by its extension in any case of letters; which
// builds write it; and the limits of what is drawn into it. This is the one statement of those rules:
// the command line reads its limits and extensions here, the writers (FileWriters) check against it,
// the page asks it which figure a name is, and the tests hold the help text, the manual page and
// docs/export.md to it. It is data and small look-ups only, in this header, so that the browser build
// reads it too: of export/ that build compiles only the figure writers (it saves pictures and clips
// with the browser's encoders).
#pragma once

#include "hypercube/WindowLens.h"

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

// A picture of pixels, a turning clip of pictures, a figure of flat shapes (export/Figure.h), or a
// 3-D model of the view's shadow, struts and balls (model/).
enum class FileUse { picture, clip, figure, model };

// The writer that makes a kind of file.
enum class FileFormat { png, pngSeries, webp, gif, video, svg, pdf, tikz, glb, stl, threeMf, obj };

struct FileKind {
    const char* extension; // with its dot, in lower case
    FileUse use;
    FileFormat format;
    bool onLinux;
    bool onWindows;   // Debian has no mingw-w64 builds of libwebp or giflib, and Windows no posix_spawn
    const char* note; // what a list of the kinds says after the last of a run with this note, or ""
};

// From `low` to `high`, both included.
struct FileLimit {
    int low;
    int high;
    bool Holds(double value) const { return value >= low && value <= high; }
    // "from 1 to 100", as the reasons for a refusal say it.
    std::string Span() const { return "from " + std::to_string(low) + " to " + std::to_string(high); }
};

class FileKinds {
public:
    // In the order a list of them names them.
    static constexpr FileKind all[] = {
        {".png", FileUse::picture, FileFormat::png, true, true, ""},
        {".webp", FileUse::clip, FileFormat::webp, true, false, ""},
        {".gif", FileUse::clip, FileFormat::gif, true, false, ""},
        {".png", FileUse::clip, FileFormat::pngSeries, true, true, "(a numbered series)"},
        {".mp4", FileUse::clip, FileFormat::video, true, false, "(through ffmpeg)"},
        {".webm", FileUse::clip, FileFormat::video, true, false, "(through ffmpeg)"},
        // Figures are text the program writes itself, on every build.
        {".svg", FileUse::figure, FileFormat::svg, true, true, ""},
        {".pdf", FileUse::figure, FileFormat::pdf, true, true, ""},
        {".tex", FileUse::figure, FileFormat::tikz, true, true, "(TikZ)"},
        // So are the 3-D models.
        {".glb", FileUse::model, FileFormat::glb, true, true, "(glTF)"},
        {".stl", FileUse::model, FileFormat::stl, true, true, ""},
        {".3mf", FileUse::model, FileFormat::threeMf, true, true, ""},
        {".obj", FileUse::model, FileFormat::obj, true, true, ""},
    };

    // A picture's width in pixels, and a figure's; its height is PictureHeight of it, the lens's 4:3.
    static constexpr FileLimit pictureWidth = {256, 4096};
    static constexpr int PictureHeight(int width) { return WindowLens::HeightFor(width); }
    static constexpr FileLimit clipFrames = {2, 10000};
    // Frames per second. GIF's delays are hundredths of a second, and many viewers show a delay
    // below 2 as 10: above 50 frames per second a GIF plays slower there (docs/export.md).
    static constexpr FileLimit clipRate = {1, 100};
    // A clip's sides in pixels: WebP's limit (GIF's 65535 is larger).
    static constexpr FileLimit clipSide = {1, 16383};
    // A model's largest extent in millimetres, balls and struts included, unless --size says.
    static constexpr double modelSize = 100.0;
    // A strut's diameter unless --strut says, as a share of the size; and the thickest one taken.
    // Thicker struts would swallow the balls of a folded view and the view with them.
    static constexpr double strutShare = 0.025;
    static constexpr double strutMostShare = 0.1;

    // The kind `path` names when used as `use`, whichever build writes it: its extension compared in
    // any case of letters. Null when it names none.
    static const FileKind* Find(const std::string& path, FileUse use) {
        for (const FileKind& kind : all)
            if (kind.use == use && EndsWithAnyCase(path, kind.extension))
                return &kind;
        return nullptr;
    }

    // Whether this build has the kind's writer.
    static bool WrittenHere(const FileKind& kind) {
#ifdef _WIN32
        return kind.onWindows;
#else
        return kind.onLinux;
#endif
    }

    // The kinds of `use`, only those this build writes when `hereOnly`.
    static std::vector<const FileKind*> Select(FileUse use, bool hereOnly) {
        std::vector<const FileKind*> kinds;
        for (const FileKind& kind : all)
            if (kind.use == use && (!hereOnly || WrittenHere(kind)))
                kinds.push_back(&kind);
        return kinds;
    }

    // The kind of `use` named by its extension without the dot ("svg", "glb"), as the page names the
    // file it asks for; null when there is none.
    static const FileKind* Named(const std::string& name, FileUse use) {
        const FileKind* kind = Find("." + name, use);
        return kind && name == kind->extension + 1 ? kind : nullptr;
    }

    // "svg, pdf or tex": the names Named takes for `use`.
    static std::string Names(FileUse use) {
        const std::vector<const FileKind*> kinds = Select(use, false);
        std::string names;
        for (size_t i = 0; i < kinds.size(); ++i) {
            if (i > 0)
                names += i + 1 == kinds.size() ? " or " : ", ";
            names += kinds[i]->extension + 1;
        }
        return names;
    }

    // The extensions as a sentence lists them, `last` before the last one: ".webp, .gif, .png (a
    // numbered series), .mp4 and .webm (through ffmpeg)"; with `notes`, a note after the last of
    // a run of kinds that have it.
    static std::string Sentence(const std::vector<const FileKind*>& kinds, bool notes, const char* last) {
        std::string text;
        for (size_t i = 0; i < kinds.size(); ++i) {
            if (i > 0)
                text += i + 1 == kinds.size() ? std::string(" ") + last + " " : std::string(", ");
            text += kinds[i]->extension;
            const bool runEnds =
                i + 1 == kinds.size() || std::strcmp(kinds[i + 1]->note, kinds[i]->note) != 0;
            if (notes && runEnds && *kinds[i]->note)
                text += std::string(" ") + kinds[i]->note;
        }
        return text;
    }

private:
    static bool EndsWithAnyCase(const std::string& text, const char* end) {
        const size_t length = std::strlen(end);
        if (text.size() < length)
            return false;
        for (size_t i = 0; i < length; ++i)
            if (std::tolower(static_cast<unsigned char>(text[text.size() - length + i])) != end[i])
                return false;
        return true;
    }
};
