// Cost of the face numbers of the 8-cube: the 1792 strings "0".."1791" rendered in "幼圆" at 60 points,
// inverted, and uploaded, as a hypercube build does; next to the same strings rasterised with FreeType
// alone into a buffer, the limit for any text layer. Reports the median time and the peak RSS.
#include "app/GlWindow.h"
#include "gui/FormatWide.h"
#include "gui/TextTexture.h"
#include "platform/Gl.h"
#include "platform/gdi/FontResolver.h"
#include "platform/gdi/GdiCounts.h"

#include "bench/GlyphRaster.h"
#include "bench/LabelFace.h"
#include <benchmark/benchmark.h>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int labelCount = 1792; // faces of the 8-cube
constexpr int pixelsPerEm = 80;  // 60 points at 96 dots per inch

const std::vector<std::wstring>& Labels() {
    static const std::vector<std::wstring> labels = [] {
        std::vector<std::wstring> all;
        WCHAR number[16];
        for (int i = 0; i < labelCount; ++i) {
            FormatWide(number, 16, L"%d", i);
            all.emplace_back(number);
        }
        return all;
    }();
    return labels;
}

double MegabytesResident() {
    long pages = 0, resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double PeakMegabytes() {
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::unique_ptr<TextTexture> MakeLabel() {
    auto label = std::make_unique<TextTexture>();
    label->SetFont(L"幼圆", 60);
    label->inverted = true;
    return label;
}

// A full build's worth of labels: created, set up and rendered, then released, as a rebuild does.
void BM_BuildLabelSet(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<std::unique_ptr<TextTexture>> labels;
        labels.reserve(labelCount);
        for (const std::wstring& text : Labels()) {
            labels.push_back(MakeLabel());
            labels.back()->Render(text.c_str());
        }
        glFinish();
        state.PauseTiming();
        labels.clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * labelCount);
    state.counters["peak_RSS_MB"] = PeakMegabytes();
}
BENCHMARK(BM_BuildLabelSet)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Rendering again into existing labels: measuring, rasterising, converting and uploading only.
void BM_RenderLabels(benchmark::State& state) {
    std::vector<std::unique_ptr<TextTexture>> labels;
    for (int i = 0; i < labelCount; ++i)
        labels.push_back(MakeLabel());
    for (auto _ : state) {
        for (int i = 0; i < labelCount; ++i)
            labels[i]->Render(Labels()[i].c_str());
        glFinish();
    }
    state.SetItemsProcessed(state.iterations() * labelCount);
    state.counters["peak_RSS_MB"] = PeakMegabytes();
}
BENCHMARK(BM_RenderLabels)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The same strings rasterised by FreeType alone into an 8-bit buffer of the texture's size: every
// glyph loaded, emboldened and rendered each time, no cache, no bitmap conversion, no upload.
class RawFreeType {
public:
    RawFreeType() {
        FT_Init_FreeType(&library);
        face = bench::OpenLabelFace(library, pixelsPerEm);
    }
    ~RawFreeType() {
        if (face)
            FT_Done_Face(face);
        FT_Done_FreeType(library);
    }
    RawFreeType(const RawFreeType&) = delete;
    RawFreeType& operator=(const RawFreeType&) = delete;

    bool Ok() const { return face != nullptr; }

    // Rasterises the text into `buffer`, sized like the program's texture; returns the width drawn.
    int Render(const std::wstring& text, std::vector<uint8_t>& buffer) {
        const int ascent = static_cast<int>(face->size->metrics.ascender >> 6);
        const int height = NextPowerOfTwo(static_cast<int>(face->size->metrics.height >> 6));
        const int width = bench::TextWidth(face, text, 1);
        const int stride = NextPowerOfTwo(width);
        buffer.assign(static_cast<size_t>(stride) * height, 0);
        bench::DrawGlyphs(face, text, pixelsPerEm, ascent, 1, buffer, stride, height);
        return width;
    }

private:
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

void BM_RawFreeTypeLabels(benchmark::State& state) {
    RawFreeType raw;
    if (!raw.Ok()) {
        state.SkipWithError("cwTeXYen is not installed");
        return;
    }
    std::vector<uint8_t> buffer;
    for (auto _ : state) {
        int total = 0;
        for (const std::wstring& text : Labels())
            total += raw.Render(text, buffer);
        benchmark::DoNotOptimize(total);
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetItemsProcessed(state.iterations() * labelCount);
    state.counters["peak_RSS_MB"] = PeakMegabytes();
}
BENCHMARK(BM_RawFreeTypeLabels)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// What the labels of one 8-cube keep while it is shown: each its texture. A label's DIB section is
// released once its pixels are uploaded, so the sections are only drawn on, one at a time.
void ReportHeldMemory() {
    const double before = MegabytesResident();
    std::vector<std::unique_ptr<TextTexture>> labels;
    double dibBytes = 0, texelBytes = 0;
    for (const std::wstring& text : Labels()) {
        labels.push_back(MakeLabel());
        labels.back()->Render(text.c_str());
        const TextTexture& label = *labels.back();
        dibBytes += static_cast<double>((label.textureWidth * 3 + 3) / 4 * 4) * label.textureHeight;
        texelBytes += 4.0 * label.textureWidth * label.textureHeight;
    }
    glFinish();
    const double megabyte = 1024.0 * 1024.0;
    std::printf(
        "%d labels held: %.1f MB resident (RGBA texels %.1f MB; DIB sections drawn on, not kept: %.1f MB)\n",
        labelCount, MegabytesResident() - before, texelBytes / megabyte, dibBytes / megabyte);
}

} // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    const GlWindow gl(1024, 768);
    if (!gl.Ok()) {
        std::fprintf(stderr, "no OpenGL context\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    ReportHeldMemory();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("peak RSS of the whole run: %.1f MB\n", PeakMegabytes());
    platform_gdi::ShutdownText();
    return 0;
}
