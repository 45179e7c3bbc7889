// Tour cost: the clip of a tour against the clip of --turn, per frame, of the same view, size and
// format (the 5-cube with faces at 1024 x 768, animated WebP, 120 frames each). The tour turns in two
// planes and goes back to its start the shortest way, so that its pictures change about as much per
// frame as the whole turn's do: what is compared is the cost of the tour's clock and of showing its
// views, not of pictures that are harder to encode. The two clips are made in turn, five times,
// each pair under the same load, and the ratio is the median of the pairs'.
#include "BenchSupport.h"

#include "export/FileKinds.h"
#include "hypercube/ScreenView.h"
#include "platform/PlatformShutdown.h"
#include "render/RenderRequest.h"
#include "render/TourRecorder.h"
#include "tour/TourReader.h"

#include <filesystem>

namespace {

constexpr int rounds = 5;

// A request for a WebP clip of `tour` from `start`, looping; false when the tour is refused.
bool ClipRequest(const std::string& path, const CheckedView& start, const std::string& tour,
                 RenderRequest* request) {
    std::vector<TourStep> steps;
    std::string reason;
    request->view = start;
    request->renderFile = path;
    request->kind = FileKinds::Find(path, FileUse::clip);
    request->turning = true;
    if (!TourReader::Read(tour, &steps, &reason) ||
        !Tour::Make(steps, start, request->fps, true, &request->tour, &reason)) {
        std::fprintf(stderr, "bench_tour: %s\n", reason.c_str());
        return false;
    }
    return true;
}

// The milliseconds per frame of the clip of `request`, made from its start view.
double MsPerFrame(CTessary& screen, const RenderRequest& request) {
    std::string reason;
    ScreenView::Apply(screen, request.view, nullptr);
    const double start = bench::NowMs();
    if (!TourRecorder::Record(screen, request, &reason)) {
        std::fprintf(stderr, "bench_tour: %s\n", reason.c_str());
        std::exit(1);
    }
    const double perFrame = (bench::NowMs() - start) / request.tour.FrameCount();
    std::filesystem::remove(request.renderFile);
    return perFrame;
}

} // namespace

int main() {
    CTessary* screen = bench::StartProgram();
    View view;
    view.dimension = 5;
    view.wireframe = false;
    view.fogged = true;
    view.TurnInPlane(0, 1, 0.5);
    view.TurnInPlane(1, 2, 0.7);
    view.TurnInPlane(0, 3, 0.7);
    view.TurnInPlane(1, 4, 0.8);
    CheckedView start;
    CheckedView::Check(view, &start, nullptr);
    const std::string folder = std::filesystem::temp_directory_path().string();
    RenderRequest turn, tour;
    // --turn 0,3 --frames 120 is this tour (the command line makes it so, and a test holds it).
    if (!ClipRequest(folder + "/tessary-bench-turn.webp", start, "turn 0,3 by 360 in 120f", &turn) ||
        !ClipRequest(folder + "/tessary-bench-tour.webp", start,
                     "turn 0,3 by 120 in 40f; turn 1,2 by 90 in 40f; to start in 40f linear", &tour))
        return 1;
    MsPerFrame(*screen, turn); // textures reach llvmpipe's memory on first use
    std::vector<double> turnMs, tourMs;
    for (int i = 0; i < rounds; ++i) {
        // Each goes first in turn, so that neither always follows the other's warm caches.
        if (i % 2 == 0) {
            tourMs.push_back(MsPerFrame(*screen, tour));
            turnMs.push_back(MsPerFrame(*screen, turn));
        } else {
            turnMs.push_back(MsPerFrame(*screen, turn));
            tourMs.push_back(MsPerFrame(*screen, tour));
        }
    }
    bench::Row("P7-tour", "a tour's WebP clip per frame / a --turn clip's, 5-cube faces",
               bench::Median(tourMs), bench::Median(turnMs), "ms", 1.05, bench::PairedRatio(tourMs, turnMs));
    Shutdown();
    ShutdownPlatform();
    return 0;
}
