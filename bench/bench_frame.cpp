// Frame cost: the real program's frame step next to a raw OpenGL frame that issues the same
// primitives with the same state, for the 3-, 6- and 8-cube, wireframe and faces, unrotated and in a
// fixed general pose. llvmpipe works asynchronously, so every frame ends with glFinish.
//
// The reference draws the 3-D pass with plain loops over the model's arrays (one glBegin/glEnd per
// edge and per face, one bind per face, the depth sort) and then the same overlay as the program
// (its controls draw themselves; the overlay is not what this figure is about) and swaps.
#include "BenchSupport.h"

#include "app/FrameCounter.h"
#include "gui/QV_CheckBox.h"
#include "hypercube/HypercubeRenderer.h"
#include "hypercube/WindowLens.h"
#include "platform/PlatformShutdown.h"

#include <time.h>

#include <cmath>
#include <numeric>

namespace {

// CPU time of this thread alone: the program's own work and the GL driver's work on the calling
// thread, without llvmpipe's rasteriser threads, whose timing a busy machine disturbs most.
double ThreadCpuMs() {
    timespec now = {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1.0e6;
}

// At least this many alternating turns of each; cheap frames get more, since a few milliseconds
// are easily disturbed on a shared machine.
constexpr int repetitions = 9;
constexpr double cheapFrameBudgetMs = 2500.0;
constexpr int mostRepetitions = 61;

void ReferenceFaces(const HypercubeModel& model, const OrbitCamera& camera, std::vector<int32_t>& order,
                    std::vector<float>& keys) {
    const float* eye = camera.eye;
    const int32_t count = model.faceCount;
    order.resize(static_cast<size_t>(count));
    keys.resize(static_cast<size_t>(count));
    for (int32_t m = 0; m < count; ++m) {
        const CubeEdge& base = model.edges[model.faces[m].base];
        const CubeEdge& copy = model.edges[model.faces[m].copy];
        const float* a = model.Vertex(base.first);
        const float* b = model.Vertex(base.second);
        const float* c = model.Vertex(copy.first);
        const float* d = model.Vertex(copy.second);
        float key = 0.0f;
        for (int axis = 0; axis < 3; ++axis)
            key += (a[axis] + b[axis] + c[axis] + d[axis] - eye[axis]) * -eye[axis];
        keys[static_cast<size_t>(m)] = key;
        order[static_cast<size_t>(m)] = m;
    }
    std::stable_sort(order.begin(), order.end(), [&keys](int32_t p, int32_t q) { return keys[p] > keys[q]; });

    const float distance = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
    const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glFogfv(GL_FOG_COLOR, black);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, distance);
    glFogf(GL_FOG_END, distance + 28.0f);
    glEnable(GL_FOG);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);
    for (int32_t m : order) {
        const CubeEdge& base = model.edges[model.faces[m].base];
        const CubeEdge& copy = model.edges[model.faces[m].copy];
        glBindTexture(GL_TEXTURE_2D, model.faceLabels[m].textureName);
        glBegin(GL_QUADS);
        glColor4fv(faceColours[m % 3]);
        glTexCoord2i(0, 0);
        glVertex3fv(model.Vertex(base.first));
        glTexCoord2i(0, 1);
        glVertex3fv(model.Vertex(base.second));
        glTexCoord2i(1, 1);
        glVertex3fv(model.Vertex(copy.second));
        glTexCoord2i(1, 0);
        glVertex3fv(model.Vertex(copy.first));
        glEnd();
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

void ReferenceFrame(CTessary& screen, bool wireframe, std::vector<int32_t>& order, std::vector<float>& keys) {
    const HypercubeModel& model = screen.model;
    const OrbitCamera& camera = screen.camera;
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glDisable(GL_CULL_FACE);
    gluLookAt(camera.eye[0], camera.eye[1], camera.eye[2], camera.target[0], camera.target[1],
              camera.target[2], camera.up[0], camera.up[1], camera.up[2]);
    if (!wireframe) {
        glEnable(GL_TEXTURE_2D);
        ReferenceFaces(model, camera, order, keys);
        glEnable(GL_DEPTH_TEST);
    }
    glDisable(GL_LIGHTING);
    glLineWidth(WindowLens::edgeWidth);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    for (int32_t i = 0; i < model.edgeCount; ++i) {
        glBegin(GL_LINES);
        glVertex3fv(model.Vertex(model.edges[i].first));
        glVertex3fv(model.Vertex(model.edges[i].second));
        glEnd();
    }
    BeginOverlay();
    screen.Draw();
    application->frameCounter->text->DrawAt(0, 0);
    EndOverlay();
    SwapBuffers(application->deviceContext);
}

} // namespace

int main() {
    CTessary* screen = bench::StartProgram();
    application->showFrameCounter = true;
    std::vector<int32_t> order;
    std::vector<float> keys;
    double programCpuSum = 0.0, referenceCpuSum = 0.0;
    for (int n : {3, 6, 8}) {
        for (bool rotated : {false, true}) {
            bench::Generate(*screen, n);
            if (rotated)
                bench::Pose(screen->model);
            for (bool wireframe : {true, false}) {
                screen->wireframeBox->checked = wireframe;
                // One untimed frame of each first: textures reach llvmpipe's memory on first use.
                FrameStep();
                ReferenceFrame(*screen, wireframe, order, keys);
                glFinish();
                std::vector<double> program, reference, programCpu, referenceCpu;
                // Alternating turns, so that a slow moment of the shared machine hits both alike.
                const double started = bench::NowMs();
                for (int r = 0; r < mostRepetitions; ++r) {
                    if (r >= repetitions && bench::NowMs() - started > cheapFrameBudgetMs)
                        break;
                    // Which of the pair goes first alternates too: on llvmpipe the first frame of a
                    // pair was seen to be slower at times, whichever program drew it.
                    for (int turn = 0; turn < 2; ++turn) {
                        const bool programTurn = (turn == 0) == (r % 2 == 0);
                        const double start = bench::NowMs();
                        const double cpuStart = ThreadCpuMs();
                        if (programTurn)
                            FrameStep();
                        else
                            ReferenceFrame(*screen, wireframe, order, keys);
                        glFinish();
                        (programTurn ? program : reference).push_back(bench::NowMs() - start);
                        (programTurn ? programCpu : referenceCpu).push_back(ThreadCpuMs() - cpuStart);
                    }
                }
                const std::string what = "frame n=" + std::to_string(n) + (wireframe ? " wire" : " faces") +
                                         (rotated ? " rotated" : " start");
                // Each pair ran back to back under the same load, so the ratio is the median of the pairs'
                // ratios; the medians of each side are shown beside it.
                bench::Row("P1", what, bench::Median(program), bench::Median(reference), "ms", 1.05,
                           bench::PairedRatio(program, reference));
                programCpuSum += bench::Median(programCpu);
                referenceCpuSum += bench::Median(referenceCpu);
            }
        }
    }
    bench::Row("P1-cpu", "main-thread CPU per frame, the 12 cases summed", programCpuSum, referenceCpuSum,
               "ms", 0.0);
    Shutdown();
    ShutdownPlatform();
    return 0;
}
