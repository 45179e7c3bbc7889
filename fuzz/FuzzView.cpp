// libFuzzer target: the fuzzer's bytes are read as a view's text. What the reader accepts is shown
// on one running viewer, and must then come back: the view taken from the screen is written as text
// that reads again, and the accepted view, written again, reads to the same view (to a rounding
// step of the text). A view the reader refuses must leave its target untouched. Every view shown is
// also drawn as a figure and written, in memory, in each vector format, and made into a 3-D model of
// each model kind, so the writers meet hostile views too. Any broken rule aborts, so the fuzzer keeps
// the input.
#include "app/AppContext.h"
#include "app/ScreenManager.h"
#include "app/Shell.h"
#include "export/PdfFigure.h"
#include "export/SvgFigure.h"
#include "export/TikzFigure.h"
#include "figure/LabelOutlines.h"
#include "figure/ViewFigure.h"
#include "hypercube/CTessary.h"
#include "hypercube/ScenePalette.h"
#include "hypercube/ScreenView.h"
#include "hypercube/ViewText.h"
#include "model/ModelFile.h"
#include "platform/core/PlatformTesting.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int largestAppliedDimension = 6;

// The program is started once and its one screen kept: applying a view of the dimension already
// built only turns the vertices, so most inputs cost no texture work.
CTessary* StartOnce() {
    if (!application) {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        platform_testing::SuppressSystemDialogs(true);
        platform_testing::SetManualTicks(1000);
        std::string reason;
        if (!StartProgram(GetModuleHandleW(nullptr), false, &reason)) { // running until exit
            std::fprintf(stderr, "fuzz_view: %s\n", reason.c_str());
            std::abort();
        }
    }
    return CTessary::Active();
}

void Require(bool held, const char* rule, const std::string& text) {
    if (held)
        return;
    std::fprintf(stderr, "fuzz_view: %s for \"%s\"\n", rule, text.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CTessary* screen = StartOnce();
    const std::string text(reinterpret_cast<const char*>(data), size);
    View view;
    view.dimension = 3;
    const std::string before = ViewText::Format(view);
    std::string reason;
    if (!ViewText::Parse(text, &view, &reason)) {
        Require(!reason.empty() && reason.find('\n') == std::string::npos, "a refusal without one line",
                text);
        Require(ViewText::Format(view) == before, "a refused view changed its target", text);
        return 0;
    }
    View again;
    Require(ViewText::Parse(ViewText::Format(view), &again, &reason),
            "an accepted view wrote unreadable text", text);
    // Straightening may move an entry across a rounding step of the text, never further.
    bool same = again.dimension == view.dimension && again.wireframe == view.wireframe;
    for (int i = 0; i < 3; ++i)
        same = same && again.eye[i] == view.eye[i] && again.up[i] == view.up[i];
    for (int i = 0; i < view.dimension; ++i)
        for (int k = 0; k < view.dimension; ++k)
            same = same && std::fabs(again.At(i, k) - view.At(i, k)) < 1e-6;
    Require(same, "a view read back differently", text);
    // Applying a view of another dimension rebuilds every face label: 672 textures for the 7-cube
    // and 1,792 for the 8-cube, a second or more under the sanitizers, while reading a view takes
    // microseconds. Those views are read and written back above but not shown; applying them runs
    // the same code as the smaller cubes (loops to the view's dimension), and building the 7- and
    // 8-cube with their labels is what the message target's generate clicks do.
    if (view.dimension > largestAppliedDimension)
        return 0;
    Require(ScreenView::Apply(*screen, view, &reason), "an accepted view was not applied", text);
    View shown;
    Require(ViewText::Parse(ViewText::Format(ScreenView::Capture(*screen)), &shown, &reason),
            "the screen's view wrote unreadable text", text);
    Require(shown.dimension == view.dimension && shown.wireframe == view.wireframe,
            "the screen shows another dimension or mode", text);
    DrawFrame();
    // The smallest picture, in the palette the input's length picks; the labels are traced once
    // for the whole session.
    static LabelOutlines* labels = new LabelOutlines(); // kept to the end of the process
    const ScenePalette palette = size % 2 ? ScenePalette::Light() : ScenePalette::Dark();
    const Figure figure = ViewFigure::Draw(*screen, 256, palette, text, *labels);
    for (const FigureArea& area : figure.areas)
        for (const auto& contour : area.contours)
            for (const FigurePoint& p : contour)
                Require(std::isfinite(p.x) && std::isfinite(p.y), "a figure's point is not finite", text);
    Require(SvgFigure::Write(figure).rfind("</svg>\n") != std::string::npos, "an SVG without its end", text);
    const std::string pdf = PdfFigure::Write(figure);
    Require(pdf.compare(0, 5, "%PDF-") == 0 && pdf.rfind("%%EOF") != std::string::npos,
            "a PDF without its frame", text);
    Require(TikzFigure::Write(figure).find("\\end{tikzpicture}") != std::string::npos,
            "a TikZ picture unended", text);
    // Every model kind, at a size and strut the input's length picks; each file must hold together
    // as its format frames it, and an STL's every number be finite.
    const ModelSource source = ModelSource::Of(*screen, text, size % 2 != 0);
    const double modelSize = 10.0 + static_cast<double>(size % 7) * 40.0;
    for (const FileKind* kind : FileKinds::Select(FileUse::model, false)) {
        std::string summary;
        const std::string file =
            ModelFile::Write(*kind, source, modelSize, modelSize * 0.01 * (1 + size % 10), &summary);
        Require(summary.find(" balls, ") != std::string::npos, "a model without its summary", text);
        uint32_t word = 0;
        switch (kind->format) {
        case FileFormat::glb:
            std::memcpy(&word, file.data() + 8, 4);
            Require(file.compare(0, 4, "glTF") == 0 && word == file.size(), "a GLB without its frame", text);
            break;
        case FileFormat::stl: {
            std::memcpy(&word, file.data() + 80, 4);
            Require(file.size() == 84 + 50 * static_cast<size_t>(word), "an STL of another length", text);
            for (size_t t = 0; t < word; ++t)
                for (int k = 0; k < 12; ++k) {
                    float value;
                    std::memcpy(&value, file.data() + 84 + 50 * t + 4 * static_cast<size_t>(k), 4);
                    Require(std::isfinite(value), "an STL number is not finite", text);
                }
            break;
        }
        case FileFormat::threeMf:
            std::memcpy(&word, file.data() + file.size() - 22, 4);
            Require(word == 0x06054b50u, "a 3MF without its archive's end", text);
            break;
        default:
            // A built cube has at least its balls; nothing built, no group at all.
            Require(file.rfind("# ", 0) == 0 &&
                        (source.dimension == 0) == (file.find("\ng vertices\n") == std::string::npos),
                    "an OBJ without its frame or its balls", text);
        }
    }
    return 0;
}
