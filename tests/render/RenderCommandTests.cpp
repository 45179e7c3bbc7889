// tessary --render as a user runs it: a separate process, without a window, whose picture must be the
// window's frame of the same view, and which fails cleanly when it cannot write.
#include "tests/support/AppFixture.h"
#include "tests/support/GlTestContext.h"

#include "app/CommandLine.h"
#include "export/FfmpegClip.h"
#include "export/SvgFigure.h"
#include "figure/ViewFigure.h"
#include "hypercube/CTessary.h"
#include "hypercube/ScenePalette.h"
#include "hypercube/ScreenView.h"
#include "hypercube/ViewText.h"
#include "model/ModelFile.h"
#include "render/TourRecorder.h"
#include "tests/export/ReadBack.h"

#include <png.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A 4-cube turned in two planes that reach the fourth axis, with faces, seen from the side.
View KnownFourCubeView() {
    View view;
    view.dimension = 4;
    view.wireframe = false;
    view.TurnInPlane(0, 3, 0.6);
    view.TurnInPlane(1, 3, -0.4);
    view.eye[0] = 60.0f, view.eye[1] = 0.0f, view.eye[2] = 120.0f;
    const float length = std::sqrt(60.0f * 60.0f + 120.0f * 120.0f) / 134.0f;
    for (float& e : view.eye)
        e /= length;
    return view;
}

struct Outcome {
    int status = -1;
    std::string err;
    std::string out;
};

std::string FileText(const std::string& path) {
    std::string text;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[65536];
        for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            text.append(buffer, got);
        std::fclose(file);
    }
    return text;
}

// Runs the program with `arguments` (already quoted for the shell). Drawing loads the GL libraries,
// which SDL unloads at exit; under the sanitizers their leftovers are reported from an "<unknown
// module>" that no suppression can name, so the child does not check leaks. Its drawing code is
// checked for leaks where it runs inside the test programs.
Outcome RunProgram(const std::string& arguments) {
    const std::string errFile = PicturePath("render-command.err");
    const std::string outFile = PicturePath("render-command.out");
    const std::string command =
        "SDL_VIDEODRIVER=offscreen ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" " TESSARY_EXECUTABLE " " +
        arguments + " 2>" + errFile + " >" + outFile;
    Outcome run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.err = FileText(errFile);
    run.out = FileText(outFile);
    return run;
}

bool ReadPng(const std::string& path, Frame* frame) {
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return false;
    image.format = PNG_FORMAT_RGBA;
    frame->width = static_cast<int>(image.width);
    frame->height = static_cast<int>(image.height);
    frame->rgba.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, frame->rgba.data(), 0, nullptr) != 0;
}

class RenderCommandTest : public AppFixture {};

// The turn's last frame, k = N - 1, against the window after holding Shift and the keys 1 and 3 for
// as long as that much of a turn takes: the same plane, the same way round.
TEST_F(RenderCommandTest, ATurnGoesTheWayTheHeldKeysTurn) {
    ASSERT_TRUE(InitScene());
    CTessary* screen = static_cast<CTessary*>(Manager().ActiveScreen());
    std::filesystem::create_directories(PicturePath("turn"));
    CommandLine options;
    std::string reason;
    View start;
    start.dimension = 4;
    ASSERT_TRUE(CommandLine::Read({"--render", PicturePath("turn/frame.png"), "--turn", "-3,1", "--frames",
                                   "8", "--width", "256", "--view", ViewText::Format(start)},
                                  &options, &reason))
        << reason;
    ASSERT_TRUE(ScreenView::Apply(*screen, options.request.view, &reason)) << reason;
    ASSERT_TRUE(TourRecorder::Record(*screen, options.request, &reason)) << reason;
    const std::vector<float> recorded(screen->model.vertices, screen->model.vertices + 16 * 4);
    struct stat info;
    EXPECT_EQ(stat(PicturePath("turn/frame-007.png").c_str(), &info), 0) << "eight frames, 000 to 007";

    ASSERT_TRUE(ScreenView::Apply(*screen, start, &reason)) << reason;
    Post(WM_KEYDOWN, VK_SHIFT);
    Post(WM_KEYDOWN, '3');
    Post(WM_KEYDOWN, '1');
    ASSERT_TRUE(FrameStep());
    platform_testing::AdvanceTicks(static_cast<int>(std::lround(7.0 / 8.0 * 2.0 * M_PI / 0.0016)));
    ASSERT_TRUE(FrameStep());
    for (int i = 0; i < 16 * 4; ++i)
        EXPECT_NEAR(recorded[i], screen->model.vertices[i], 0.02) << "vertex " << i / 4 << ", axis " << i % 4;
}

// With faces, and as the fogged wireframe the faces leave behind, whose far edges are darker and must
// stay behind the near ones from the picture's first tile. The window's frame is its second, drawn
// in the state its first one left.
TEST_F(RenderCommandTest, ThePictureOfAViewIsTheWindowsFrameOfItWithoutThePanel) {
    for (bool fogged : {false, true}) {
        View view = KnownFourCubeView();
        view.wireframe = fogged;
        view.fogged = fogged;
        const std::string text = ViewText::Format(view);
        const std::string path = PicturePath("render-four-cube.png");
        std::remove(path.c_str());
        const Outcome run = RunProgram("--render '" + path + "' --view '" + text + "'");
        ASSERT_EQ(run.status, 0) << run.err;
        Frame picture;
        ASSERT_TRUE(ReadPng(path, &picture)) << path;
        ASSERT_EQ(picture.width, 1024);
        ASSERT_EQ(picture.height, 768);

        ASSERT_TRUE(InitScene());
        ASSERT_TRUE(ScreenView::Apply(*static_cast<CTessary*>(Manager().ActiveScreen()), view, nullptr));
        DrawFrame();
        DrawFrame();
        const Frame window = ReadFrame();
        // The panel's bands at the top and bottom are the window's alone; between them, the pictures
        // must agree, and they must show the cube.
        int differing = 0, lit = 0;
        for (int y = 60; y < 700; ++y)
            for (int x = 0; x < 1024; ++x) {
                lit += picture.At(x, y)[0] > 128;
                for (int c = 0; c < 3; ++c)
                    if (std::abs(picture.At(x, y)[c] - window.At(x, y)[c]) > 3) {
                        ++differing;
                        break;
                    }
            }
        EXPECT_EQ(differing, 0) << "pixels that differ from the window's frame; view " << text;
        EXPECT_GT(lit, fogged ? 500 : 5000) << "the cube is drawn; view " << text;
        for (int x = 0; x < 1024; x += 3)
            ASSERT_TRUE(PixelNear(picture, x, 740, 0, 0, 0)) << "no help line at " << x;
    }
}

TEST_F(RenderCommandTest, ATwiceAsWidePictureShowsTheSameSceneTwiceAsLarge) {
    const std::string text = ViewText::Format(KnownFourCubeView());
    const std::string small = PicturePath("render-1024.png"), large = PicturePath("render-2048.png");
    ASSERT_EQ(RunProgram("--render '" + small + "' --view '" + text + "'").status, 0);
    ASSERT_EQ(RunProgram("--render '" + large + "' --width 2048 --view '" + text + "'").status, 0);
    Frame a, b;
    ASSERT_TRUE(ReadPng(small, &a));
    ASSERT_TRUE(ReadPng(large, &b));
    ASSERT_EQ(b.width, 2048);
    ASSERT_EQ(b.height, 1536);
    // Each pixel of the small picture against the mean of the large one's 2 x 2 block: edges,
    // which are twice as wide there, and the face labels, which are larger, must land in place.
    int differing = 0;
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x)
            for (int c = 0; c < 3; ++c) {
                const int mean = (b.At(2 * x, 2 * y)[c] + b.At(2 * x + 1, 2 * y)[c] +
                                  b.At(2 * x, 2 * y + 1)[c] + b.At(2 * x + 1, 2 * y + 1)[c] + 2) /
                                 4;
                if (std::abs(mean - a.At(x, y)[c]) > 48) {
                    ++differing;
                    break;
                }
            }
    EXPECT_LT(differing, 1024 * 768 / 200) << "pixels far from the small picture's";
}

// Pixels of a band of rows where two pictures differ by more than 3 in a channel.
int DifferingPixels(const Frame& a, const Frame& b, int fromRow, int toRow) {
    int differing = 0;
    for (int y = fromRow; y < toRow; ++y)
        for (int x = 0; x < a.width; ++x)
            for (int c = 0; c < 3; ++c)
                if (std::abs(a.At(x, y)[c] - b.At(x, y)[c]) > 3) {
                    ++differing;
                    break;
                }
    return differing;
}

// The panel's bands are the top 60 and the bottom 80 rows of the window's 768: at 256 pixels wide,
// 20 and 27 rows. A picture with --panel differs there and only there; its name, in capitals, is
// taken as .png.
TEST_F(RenderCommandTest, PanelPutsThePanelIntoAPictureAndNothingElse) {
    const std::string text = ViewText::Format(KnownFourCubeView());
    const std::string plain = PicturePath("render-256.png"), panel = PicturePath("RENDER-256-PANEL.PNG");
    ASSERT_EQ(RunProgram("--render '" + plain + "' --width 256 --view '" + text + "'").status, 0);
    const Outcome run = RunProgram("--render '" + panel + "' --width 256 --panel --view '" + text + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    Frame without, with;
    ASSERT_TRUE(ReadPng(plain, &without));
    ASSERT_TRUE(ReadPng(panel, &with));
    ASSERT_EQ(with.height, 192);
    EXPECT_GT(DifferingPixels(with, without, 0, 20), 100) << "the controls at the top";
    EXPECT_GT(DifferingPixels(with, without, 165, 192), 100) << "the help lines at the bottom";
    EXPECT_EQ(DifferingPixels(with, without, 20, 165), 0) << "the scene between them";
}

// --light: white where the window is black, black edges where it draws white ones, fading towards
// white as the window's fade towards black, in a picture and in the first frame of a clip (the
// turn's frame 0 is the view itself).
TEST_F(RenderCommandTest, LightDrawsBlackEdgesOnWhiteInPicturesAndClips) {
    const std::string text = ViewText::Format(KnownFourCubeView());
    const std::string dark = PicturePath("render-dark-256.png"), light = PicturePath("render-light-256.png");
    std::filesystem::create_directories(PicturePath("light-turn"));
    ASSERT_EQ(RunProgram("--render '" + dark + "' --width 256 --view '" + text + "'").status, 0);
    const Outcome run = RunProgram("--render '" + light + "' --width 256 --light --view '" + text + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    const Outcome clip = RunProgram("--render '" + PicturePath("light-turn/t.png") +
                                    "' --width 256 --light --turn 0,1 --frames 2 --view '" + text + "'");
    ASSERT_EQ(clip.status, 0) << clip.err;
    Frame a, b, frame;
    ASSERT_TRUE(ReadPng(dark, &a));
    ASSERT_TRUE(ReadPng(light, &b));
    ASSERT_TRUE(ReadPng(PicturePath("light-turn/t-000.png"), &frame));
    EXPECT_TRUE(PixelNear(a, 0, 0, 0, 0, 0)) << "the window's black";
    EXPECT_TRUE(PixelNear(b, 0, 0, 255, 255, 255)) << "a white background";
    // Where the dark picture is grey, an edge (white, faded by the fog towards black) lies over the
    // background; the light one's black edge fades towards white there by as much: 255 minus it.
    int grey = 0, faded = 0, notInverse = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            const uint8_t* pixel = a.At(x, y);
            const int value = pixel[0];
            if (std::abs(pixel[1] - value) > 2 || std::abs(pixel[2] - value) > 2)
                continue;
            ++grey;
            faded += value > 30 && value < 220;
            notInverse += !PixelNear(b, x, y, 255 - value, 255 - value, 255 - value, 6);
        }
    EXPECT_GT(faded, 200) << "edge pixels the fog fades in the dark picture";
    EXPECT_LT(notInverse, grey / 1000)
        << "of " << grey << " grey pixels of the dark picture, not its inverse in the light one";
    EXPECT_EQ(DifferingPixels(frame, b, 0, b.height), 0)
        << "the clip's first frame against the light picture";
}

// The command line builds a figure's cube without label textures; its numbers come from the label
// rasters all the same, so the file is the figure of the window's screen, which has them.
TEST_F(RenderCommandTest, AFigureIsTheWindowsFigureOfTheViewNumbersIncluded) {
    // A turned 4-cube whose text, read and written again, rounds two entries the other way: the
    // figure carries the very text it was made from.
    const std::string text = "v1.4f.AAAAAAAAAAAABDFgAAAAAAAAA_gAAAAAAAAA.2PCyQMFRf___PR02sovp70imf___WfzFf___"
                             "f______-f___zO7Uf___f___5kzV";
    const std::string path = PicturePath("render-four-cube.svg");
    std::remove(path.c_str());
    const Outcome run = RunProgram("--render '" + path + "' --view '" + text + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr) << path;
    std::string written;
    char buffer[65536];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        written.append(buffer, got);
    std::fclose(file);

    ASSERT_TRUE(InitScene());
    CTessary* screen = static_cast<CTessary*>(Manager().ActiveScreen());
    // The view as the command line read it, from its text.
    View read;
    ASSERT_TRUE(ViewText::Parse(text, &read, nullptr));
    ASSERT_TRUE(ScreenView::Apply(*screen, read, nullptr));
    ASSERT_GT(screen->model.faceLabels.Count(), 0) << "the window's cube has its label textures";
    const std::string window = SvgFigure::Write(ViewFigure::Draw(*screen, 1024, ScenePalette::Dark(), text));
    EXPECT_TRUE(written == window) << "the command line's SVG (" << written.size()
                                   << " bytes) is not the window's figure (" << window.size() << " bytes)";
    // Each face is its tile and the rim of its number (an edge-on face may have no rim).
    EXPECT_GT(std::count(written.begin(), written.end(), '<'), 2 * screen->model.faceCount)
        << "numbers drawn";
}

// A model is made of the vertices the window draws, by the same code the page calls: the command
// line's file is the one made from the window's screen showing the same view text. It says on stdout
// how the projection folded the cube.
TEST_F(RenderCommandTest, AModelIsTheWindowsViewFoldedAndSaysSo) {
    View aligned;
    aligned.dimension = 4;
    const std::pair<std::string, std::string> cases[] = {
        {ViewText::Format(aligned), "8 balls, 12 struts (16 vertices, 32 edges of the 4-cube)"},
        {ViewText::Format(KnownFourCubeView()), "16 balls, 32 struts (16 vertices, 32 edges of the 4-cube)"}};
    ASSERT_TRUE(InitScene());
    CTessary* screen = static_cast<CTessary*>(Manager().ActiveScreen());
    for (const auto& [text, summary] : cases) {
        const std::string path = PicturePath("render-model.glb");
        std::remove(path.c_str());
        const Outcome run = RunProgram("--render '" + path + "' --size 80 --view '" + text + "'");
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "tessary: " + path + ": " + summary + "\n");
        CheckedView read;
        ASSERT_TRUE(ViewText::Parse(text, &read, nullptr));
        ASSERT_TRUE(ScreenView::Apply(*screen, read, text, nullptr));
        const FileKind* glb = FileKinds::Find(path, FileUse::model);
        ASSERT_NE(glb, nullptr);
        const std::string window = ModelFile::Write(*glb, ModelSource::Of(*screen, text, false), 80.0,
                                                    FileKinds::strutShare * 80.0, nullptr);
        const std::string written = FileText(path);
        EXPECT_TRUE(written == window) << "the command line's GLB (" << written.size()
                                       << " bytes) is not the window's (" << window.size() << " bytes)";
    }
}

TEST_F(RenderCommandTest, AFileThatCannotBeWrittenEndsWithExitOneTheReasonAndNoFile) {
    const std::string folder = PicturePath("no-such-folder");
    const std::string view = ViewText::Format(KnownFourCubeView());
    for (const std::string name :
         {"/cube.png", "/cube.svg", "/cube.glb", "/cube.stl", "/cube.3mf", "/cube.obj"}) {
        const Outcome run = RunProgram("--render '" + folder + name + "' --view '" + view + "'");
        EXPECT_EQ(run.status, 1) << name << ": " << run.err;
        EXPECT_NE(run.err.find("No such file or directory"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
        struct stat info;
        EXPECT_NE(stat(folder.c_str(), &info), 0) << name << ": nothing was left behind";
    }
}

// A value outside a limit, or a turn or the panel asked of a still figure, is a bad argument,
// refused before anything is drawn or written, whatever the kind of file.
TEST_F(RenderCommandTest, BadArgumentsEndWithExitTwoBeforeAnythingIsDrawn) {
    const std::string view = ViewText::Format(KnownFourCubeView());
    const std::string picture = PicturePath("refused.png"), clip = PicturePath("refused.gif");
    const std::string svg = PicturePath("refused.svg"), pdf = PicturePath("refused.pdf");
    const std::string model = PicturePath("refused.stl");
    const std::pair<std::string, std::string> cases[] = {
        {"--render '" + picture + "' --width 99",
         "tessary: --width '99' is not a whole number from 256 to 4096\n"},
        {"--render '" + clip + "' --turn 0,1 --fps 110 --view '" + view + "'",
         "tessary: --fps '110' is not a number from 1 to 100\n"},
        {"--render '" + svg + "' --turn 0,1 --view '" + view + "'",
         "tessary: --turn makes clips; a .svg file is a still figure\n"},
        {"--render '" + pdf + "' --panel",
         "tessary: --panel is kept in pictures and clips; a .pdf figure shows the hypercube alone\n"},
        {"--render '" + clip + "' --view '" + view + "' --tour 'hold 1s; spin 90 in 1s'",
         "tessary: --tour: step 2 'spin 90 in 1s': 'spin' is no step; a step is turn, orbit, to, hold or "
         "faces\n"},
        {"--render '" + clip + "' --view '" + view + "' --tour 'orbit 90 in 1s' --loop",
         "tessary: --tour: a looping tour must end where it started; add 'to start in 2s' at its end\n"},
        {"--render '" + model + "' --turn 0,1 --view '" + view + "'",
         "tessary: --turn, --width and --panel are not for 3-D models; a .stl model takes --size and "
         "--strut\n"},
        {"--render '" + model + "' --strut 0 --view '" + view + "'",
         "tessary: --strut '0' is not a positive number of millimetres\n"},
        {"--render '" + model + "' --size 10 --strut 1.5 --view '" + view + "'",
         "tessary: --strut 1.5 is thicker than a tenth of --size 10\n"},
    };
    for (const auto& [arguments, err] : cases) {
        const Outcome run = RunProgram(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.err, err) << arguments;
    }
    struct stat info;
    EXPECT_NE(stat(picture.c_str(), &info), 0) << picture;
    EXPECT_NE(stat(clip.c_str(), &info), 0) << clip;
    EXPECT_NE(stat(svg.c_str(), &info), 0) << svg;
    EXPECT_NE(stat(pdf.c_str(), &info), 0) << pdf;
    EXPECT_NE(stat(model.c_str(), &info), 0) << model;
}

// The frames of a tour, printed: the number of lines, and the view of line k.
std::vector<std::string> PrintedViews(const std::string& arguments) {
    const Outcome run = RunProgram(arguments + " --print-frames");
    EXPECT_EQ(run.status, 0) << run.err;
    std::vector<std::string> views;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);)
        views.push_back(line.substr(line.rfind(' ') + 1));
    return views;
}

// How many video frames ffprobe counts in `path`; -1 when it cannot tell.
int ProbedFrames(const std::string& path) {
    const std::string command = "ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                                "stream=nb_read_frames -of csv=p=0 '" +
                                path + "'";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    int frames = -1;
    if (std::fscanf(pipe, "%d", &frames) != 1)
        frames = -1;
    pclose(pipe);
    return frames;
}

// A tour's clip has the frames --print-frames lists, one for each, in every kind of clip, counted by
// the formats' own readers; and its frame k is the picture of line k's view.
TEST_F(RenderCommandTest, ATourClipHasTheFramesItsListPrintsInEveryKind) {
    const std::string view = ViewText::Format(KnownFourCubeView());
    const std::string tour = "--fps 12 --view '" + view +
                             "' --tour 'turn 0,3 by 90 in 5f; hold 2f\nfaces off; to start in 5f linear'";
    const std::vector<std::string> looping = PrintedViews(tour + " --loop");
    const std::vector<std::string> whole = PrintedViews(tour);
    ASSERT_EQ(looping.size(), 12u);
    ASSERT_EQ(whole.size(), 13u);

    std::filesystem::create_directories(PicturePath("tour-series"));
    const std::string series = PicturePath("tour-series/t.png");
    const std::string webp = PicturePath("tour.webp"), gif = PicturePath("tour.gif");
    for (const auto& [file, loop] : {std::pair{series, true}, {webp, true}, {gif, false}}) {
        const Outcome run =
            RunProgram("--render '" + file + "' --width 256 " + tour + (loop ? " --loop" : ""));
        ASSERT_EQ(run.status, 0) << file << ": " << run.err;
    }
    EXPECT_EQ(ReadWebp(webp).frames.size(), looping.size()) << "libwebp's frames of the looping tour";
    EXPECT_EQ(ReadGif(gif).frames.size(), whole.size()) << "giflib's frames of the tour with its end";
    struct stat info;
    EXPECT_EQ(stat(PicturePath("tour-series/t-011.png").c_str(), &info), 0) << "the last of the series";
    EXPECT_NE(stat(PicturePath("tour-series/t-012.png").c_str(), &info), 0) << "no frame of the end";

    // Frame 3 is in the turn, frame 9 on the way back, where the start's faces show again.
    for (const int k : {3, 9}) {
        const std::string picture = PicturePath("tour-frame-" + std::to_string(k) + ".png");
        ASSERT_EQ(RunProgram("--render '" + picture + "' --width 256 --view '" + looping[k] + "'").status, 0);
        Frame drawn, clipped;
        char name[32];
        std::snprintf(name, sizeof name, "tour-series/t-%03d.png", k);
        ASSERT_TRUE(ReadPng(picture, &drawn));
        ASSERT_TRUE(ReadPng(PicturePath(name), &clipped));
        EXPECT_LE(DifferingPixels(drawn, clipped, 0, drawn.height), 10)
            << "frame " << k << " of the clip against the picture of its printed view " << looping[k];
    }

    if (FfmpegClip::FindOnPath("ffmpeg").empty() || FfmpegClip::FindOnPath("ffprobe").empty())
        GTEST_SKIP()
            << "no ffmpeg and ffprobe on PATH: the .mp4 and .webm clips cannot be made and counted here";
    for (const char* extension : {".mp4", ".webm"}) {
        const std::string video = PicturePath(std::string("tour") + extension);
        const Outcome run = RunProgram("--render '" + video + "' --width 256 " + tour + " --loop");
        ASSERT_EQ(run.status, 0) << video << ": " << run.err;
        EXPECT_EQ(ProbedFrames(video), static_cast<int>(looping.size())) << "ffprobe's frames of " << video;
    }
}

// --turn A,B --frames N is the looping tour of one whole turn in N frames, to the byte.
TEST_F(RenderCommandTest, ATurnIsTheTourOfOneWholeTurnByteForByte) {
    const std::string view = "--width 256 --view '" + ViewText::Format(KnownFourCubeView()) + "'";
    const std::string turn = PicturePath("turn-as-turn.webp"), tour = PicturePath("turn-as-tour.webp");
    ASSERT_EQ(RunProgram("--render '" + turn + "' --turn -3,1 --frames 9 " + view).status, 0);
    ASSERT_EQ(RunProgram("--render '" + tour + "' --tour 'turn 1,3 by -360 in 9f' --loop " + view).status, 0);
    const std::string a = FileText(turn), b = FileText(tour);
    EXPECT_GT(a.size(), 1000u);
    EXPECT_TRUE(a == b) << "--turn's clip (" << a.size() << " bytes) and its tour's (" << b.size() << ")";
}

} // namespace
