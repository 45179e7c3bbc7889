// What the ratio benchmarks share: clocks, medians, peak memory, the real program started in-process,
// a fixed rotated pose, and the raw FreeType + OpenGL label build that is the limit for a hypercube
// build. Each benchmark program prints its figures as tab-separated "ROW" lines that
// scripts/run-benchmarks.sh gathers into one table.
#pragma once

#include "app/AppContext.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "gui/FormatWide.h"
#include "gui/TextTexture.h"
#include "hypercube/CTessary.h"
#include "platform/Gl.h"
#include "platform/Win32.h"

#include "bench/GlyphRaster.h"
#include "bench/LabelFace.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace bench {

inline double NowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

inline double Median(std::vector<double> values) {
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

// A value from /proc/self/status in megabytes ("VmHWM" is the peak resident set, "VmRSS" the current).
inline double StatusMegabytes(const char* field) {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return 0.0;
    char line[256];
    double kilobytes = 0.0;
    const size_t length = std::strlen(field);
    while (std::fgets(line, sizeof(line), status)) {
        if (std::strncmp(line, field, length) == 0 && line[length] == ':') {
            kilobytes = std::atof(line + length + 1);
            break;
        }
    }
    std::fclose(status);
    return kilobytes / 1024.0;
}

// The median of program[i] / reference[i]: each pair ran back to back, under the same load.
inline double PairedRatio(const std::vector<double>& program, const std::vector<double>& reference) {
    std::vector<double> ratios;
    for (size_t i = 0; i < program.size() && i < reference.size(); ++i)
        ratios.push_back(reference[i] > 0.0 ? program[i] / reference[i] : 0.0);
    return Median(ratios);
}

// One line of the final table: figure, what is measured, program, reference, unit, target ratio
// (0 for none), and the ratio itself when it is not program / reference (paired measurements).
inline void Row(const std::string& figure, const std::string& what, double program, double reference,
                const char* unit, double target, double ratio = -1.0) {
    if (ratio < 0.0)
        ratio = reference > 0.0 ? program / reference : 0.0;
    std::printf("ROW\t%s\t%s\t%.2f\t%.2f\t%s\t%.2f\t%.3f\n", figure.c_str(), what.c_str(), program, reference,
                unit, target, ratio);
    std::fflush(stdout);
}

// The start-up of WinMain without its loop: window, AppContext, first screen. Returns the screen.
inline CTessary* StartProgram() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    std::string reason;
    if (!::StartProgram(GetModuleHandleW(nullptr), true, &reason)) {
        std::fprintf(stderr, "%s\n", reason.c_str());
        std::exit(1);
    }
    return CTessary::Active();
}

// What OnGenerate does once the dimension is accepted.
inline void Generate(CTessary& screen, int n) {
    screen.BuildModel(n);
}

// A fixed general pose: turns in planes of the first three axes and in planes with every higher axis.
inline void Pose(HypercubeModel& model) {
    model.RotatePlane(0, 1, 0.5f);
    model.RotatePlane(1, 2, 0.7f);
    model.RotatePlane(0, 2, 0.3f);
    for (int axis = 3; axis < model.dimension; ++axis)
        model.RotatePlane(axis % 3, axis, 0.4f + 0.1f * static_cast<float>(axis));
}

constexpr int labelPixelsPerEm = 80; // "幼圆" at 60 points and 96 dots per inch

inline std::wstring LabelText(int i) {
    WCHAR number[16];
    FormatWide(number, 16, L"%d", i);
    return number;
}

// The face numbers made with FreeType and OpenGL alone: every glyph loaded, emboldened and rendered
// for each label (no cache), drawn into a byte buffer of the texture's size, turned into the inverted
// RGBA tile and uploaded into a texture object of its own. The limit for the program's label build.
class RawLabels {
public:
    RawLabels() {
        FT_Init_FreeType(&library);
        face = bench::OpenLabelFace(library, labelPixelsPerEm);
    }
    ~RawLabels() {
        Clear();
        if (face)
            FT_Done_Face(face);
        FT_Done_FreeType(library);
    }
    RawLabels(const RawLabels&) = delete;
    RawLabels& operator=(const RawLabels&) = delete;

    bool Ok() const { return face != nullptr; }

    // Makes labels "0" .. count-1 and waits until the GL has them.
    void Build(int count) {
        Clear();
        texelBytes = 0.0;
        textures.resize(static_cast<size_t>(count));
        glGenTextures(count, textures.data());
        for (int i = 0; i < count; ++i)
            Make(LabelText(i), textures[static_cast<size_t>(i)]);
        glFinish();
    }

    void Clear() {
        if (!textures.empty())
            glDeleteTextures(static_cast<GLsizei>(textures.size()), textures.data());
        textures.clear();
    }

    double texelBytes = 0.0; // RGBA bytes uploaded by the last Build

private:
    void Make(const std::wstring& text, GLuint texture) {
        const FT_Size_Metrics& metrics = face->size->metrics;
        const int ascent = static_cast<int>(metrics.ascender >> 6);
        const int height = NextPowerOfTwo(static_cast<int>((metrics.ascender - metrics.descender) >> 6));
        const int stride = NextPowerOfTwo(TextWidth(face, text, 0));
        coverage.assign(static_cast<size_t>(stride) * height, 0);
        DrawGlyphs(face, text, labelPixelsPerEm, ascent, 0, coverage, stride, height);
        // The inverted tile: opaque white paper, glyph cores transparent.
        texels.resize(coverage.size() * 4);
        for (size_t i = 0; i < coverage.size(); ++i) {
            const uint8_t v = static_cast<uint8_t>(255 - coverage[i]);
            texels[4 * i] = texels[4 * i + 1] = texels[4 * i + 2] = v == 255 ? 255 : 0;
            texels[4 * i + 3] = v;
        }
        texelBytes += static_cast<double>(texels.size());
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
        glTexImage2D(GL_TEXTURE_2D, 0, 4, stride, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        glBindTexture(GL_TEXTURE_2D, 0);
    }

    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::vector<GLuint> textures;
    std::vector<uint8_t> coverage;
    std::vector<uint8_t> texels;
};

// RGBA bytes of the model's label textures, to show that program and reference hold the same.
inline double LabelTexelBytes(const HypercubeModel& model) {
    double bytes = 0.0;
    for (int32_t m = 0; m < model.faceLabels.Count(); ++m)
        bytes += 4.0 * model.faceLabels[m].textureWidth * model.faceLabels[m].textureHeight;
    return bytes;
}

} // namespace bench
