// Clips read back with the library that is each format's reference: frame count, size, timing,
// looping, pixels; and the rule that a clip appears whole or leaves nothing behind.
#include "export/FfmpegClip.h"
#include "export/FileKinds.h"
#include "export/FileWriters.h"
#include "export/PngSeriesClip.h"
#include "tests/export/ExportFolder.h"
#include "tests/export/ReadBack.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <numeric>

namespace {

constexpr int clipWidth = 64;
constexpr int clipHeight = 48;
constexpr int clipFrames = 12;

// What the viewer's frames are made of: black, a white line that moves, a translucent-looking face.
RgbaPicture Frame(int index) {
    RgbaPicture frame(clipWidth, clipHeight);
    for (int y = 0; y < clipHeight; ++y)
        for (int x = 0; x < clipWidth; ++x) {
            uint8_t* pixel = frame.Row(y) + x * 4;
            const bool line = x == (index * 5) % clipWidth;
            const bool face = x > 10 && x < 30 && y > 8 && y < 24 + index;
            pixel[0] = line ? 255 : face ? 96 : 0;
            pixel[1] = line ? 255 : face ? 64 : 0;
            pixel[2] = line ? 255 : face ? 160 : 0;
            pixel[3] = 255;
        }
    return frame;
}

// The largest difference of any channel between two pictures of the same size.
int LargestDifference(const RgbaPicture& a, const RgbaPicture& b) {
    if (a.width != b.width || a.height != b.height)
        return 256;
    int largest = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        largest = std::max(largest, std::abs(a.pixels[i] - b.pixels[i]));
    return largest;
}

void WriteClip(const std::string& path, double fps, int frames = clipFrames) {
    std::string reason;
    std::unique_ptr<ClipWriter> writer = FileWriters::OpenClip(path, clipWidth, clipHeight, fps, &reason);
    ASSERT_TRUE(writer) << reason;
    for (int i = 0; i < frames; ++i)
        ASSERT_TRUE(writer->AddFrame(Frame(i), &reason)) << reason;
    ASSERT_TRUE(writer->Finish(&reason)) << reason;
}

// The canvas, the endless loop and the frame count of a clip written by WriteClip.
void ExpectLoopingClipOfAllFrames(const ReadAnimation& clip) {
    ASSERT_TRUE(clip.ok) << "the format's library could not read the clip";
    EXPECT_EQ(clip.width, clipWidth);
    EXPECT_EQ(clip.height, clipHeight);
    EXPECT_EQ(clip.loopCount, 0) << "0 loops for ever";
    ASSERT_EQ(clip.frames.size(), static_cast<size_t>(clipFrames));
}

TEST(ClipWriterTest, WebpIsLosslessLoopingAndTimedByTheFrameRate) {
    ExportFolder folder;
    WriteClip(folder.Path("turn.webp"), 30.0);
    const ReadAnimation clip = ReadWebp(folder.Path("turn.webp"));
    ExpectLoopingClipOfAllFrames(clip);
    if (HasFatalFailure())
        return;
    for (int i = 0; i < clipFrames; ++i) {
        EXPECT_EQ(clip.endMs[i], static_cast<int>(std::lround((i + 1) * 1000.0 / 30.0)))
            << "end of frame " << i;
        EXPECT_LE(LargestDifference(clip.frames[i], Frame(i)), 3) << "frame " << i;
    }
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"turn.webp"});
}

// A WebP frame is stored as the part that changed: a repeated frame, single pixels in the corners and
// at odd places, translucent and transparent ones must all read back as drawn, one frame each.
TEST(ClipWriterTest, WebpFramesReadBackAsDrawnWhateverPartChanged) {
    std::vector<RgbaPicture> frames(6, Frame(3));
    const auto change = [&](int index, int x, int y, std::vector<uint8_t> rgba) {
        for (int i = index; i < static_cast<int>(frames.size()); ++i)
            std::copy(rgba.begin(), rgba.end(), frames[i].Row(y) + x * 4);
    };
    change(2, clipWidth - 1, clipHeight - 1, {255, 0, 0, 255});
    change(3, 0, 0, {0, 255, 0, 255});
    change(4, 33, 17, {90, 80, 70, 128});
    change(4, 35, 19, {200, 100, 50, 0});
    change(5, clipWidth - 1, 0, {0, 0, 255, 255});
    ExportFolder folder;
    std::string reason;
    std::unique_ptr<ClipWriter> writer =
        FileWriters::OpenClip(folder.Path("edits.webp"), clipWidth, clipHeight, 25.0, &reason);
    ASSERT_TRUE(writer) << reason;
    for (const RgbaPicture& frame : frames)
        ASSERT_TRUE(writer->AddFrame(frame, &reason)) << reason;
    ASSERT_TRUE(writer->Finish(&reason)) << reason;
    const ReadAnimation clip = ReadWebp(folder.Path("edits.webp"));
    ASSERT_TRUE(clip.ok);
    ASSERT_EQ(clip.frames.size(), frames.size());
    for (size_t i = 0; i < frames.size(); ++i)
        EXPECT_LE(LargestDifference(clip.frames[i], frames[i]), 3) << "frame " << i;
    EXPECT_EQ(clip.endMs.back(), 240) << "six frames of 40 ms";
}

TEST(ClipWriterTest, GifLoopsAndItsDelaysAddUpToTheClipsLength) {
    ExportFolder folder;
    WriteClip(folder.Path("turn.gif"), 30.0);
    const ReadAnimation clip = ReadGif(folder.Path("turn.gif"));
    ExpectLoopingClipOfAllFrames(clip);
    if (HasFatalFailure())
        return;
    // 12 frames at 30 per second last 40 hundredths; each delay is 3 or 4 of them.
    EXPECT_EQ(std::accumulate(clip.delayCs.begin(), clip.delayCs.end(), 0), 40);
    for (int i = 0; i < clipFrames; ++i) {
        EXPECT_TRUE(clip.delayCs[i] == 3 || clip.delayCs[i] == 4)
            << "delay of frame " << i << ": " << clip.delayCs[i];
        // The palette keeps 5 bits of each channel: up to 7 of 255 off.
        EXPECT_LE(LargestDifference(clip.frames[i], Frame(i)), 8) << "frame " << i;
    }
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"turn.gif"});
}

TEST(ClipWriterTest, PngSeriesIsNumberedWithDigitsForTheCount) {
    ExportFolder folder;
    WriteClip(folder.Path("turn.png"), 24.0);
    std::vector<std::string> expected;
    for (int i = 0; i < clipFrames; ++i) {
        char name[32];
        std::snprintf(name, sizeof(name), "turn-%03d.png", i);
        expected.push_back(name);
        const RgbaPicture back = ReadPng(folder.Path(name));
        EXPECT_EQ(back.width, clipWidth) << name;
        EXPECT_EQ(back.height, clipHeight) << name;
        EXPECT_LE(LargestDifference(back, Frame(i)), 3) << name;
    }
    EXPECT_EQ(folder.Names(), expected);
    EXPECT_EQ(PngSeriesClip::NumberedName("a/b.PNG", 7, 1000), "a/b-007.PNG");
    EXPECT_EQ(PngSeriesClip::NumberedName("a/b.png", 7, 1001), "a/b-0007.png");
}

// Every format this build writes without a helper program.
const char* const ownFormats[] = {"clip.webp", "clip.gif", "clip.png"};

// The kind is the extension's in any case of letters; the series keeps the case it was given.
TEST(ClipWriterTest, ExtensionsInAnyCaseChooseTheirKind) {
    ExportFolder folder;
    WriteClip(folder.Path("T.WEBP"), 30.0);
    ExpectLoopingClipOfAllFrames(ReadWebp(folder.Path("T.WEBP")));
    WriteClip(folder.Path("T.Gif"), 30.0);
    ExpectLoopingClipOfAllFrames(ReadGif(folder.Path("T.Gif")));
    WriteClip(folder.Path("S.PNG"), 30.0, 2);
    EXPECT_EQ(ReadPng(folder.Path("S-001.PNG")).width, clipWidth);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"S-000.PNG", "S-001.PNG", "T.Gif", "T.WEBP"}));
}

// The writers hold to the rate of FileKinds whoever calls them, not only the command line.
TEST(ClipWriterTest, EveryKindTakesTheRatesOfFileKindsAndNoOther) {
    const FileLimit rate = FileKinds::clipRate;
    ExportFolder folder;
    for (const char* name : ownFormats) {
        for (double fps : {rate.low - 0.5, rate.high + 0.5, rate.high + 10.0}) {
            std::string reason;
            EXPECT_FALSE(FileWriters::OpenClip(folder.Path(name), clipWidth, clipHeight, fps, &reason))
                << name << " at " << fps << " frames per second";
            EXPECT_EQ(reason, "cannot write " + folder.Path(name) + ": the frame rate must be " +
                                  rate.Span() + " frames per second");
        }
        for (double fps : {double(rate.low), double(rate.high)}) {
            std::string reason;
            EXPECT_TRUE(FileWriters::OpenClip(folder.Path(name), clipWidth, clipHeight, fps, &reason))
                << name << " at " << fps << " frames per second: " << reason;
        }
    }
    EXPECT_TRUE(folder.Names().empty());
}

TEST(ClipWriterTest, MissingFolderFailsAtOpenWithTheSystemsReason) {
    ExportFolder folder;
    for (const char* name : ownFormats) {
        const std::string path = folder.Path(std::string("absent/") + name);
        std::string reason;
        EXPECT_FALSE(FileWriters::OpenClip(path, clipWidth, clipHeight, 30.0, &reason)) << name;
        // The series names its first picture, absent/clip-000.png.
        const std::string expected = "cannot write " + folder.Path("absent/clip");
        EXPECT_EQ(reason.substr(0, expected.size()), expected) << reason;
        EXPECT_NE(reason.find(": No such file or directory"), std::string::npos) << reason;
    }
    EXPECT_TRUE(folder.Names().empty());
}

TEST(ClipWriterTest, UnfinishedOrFailedClipsLeaveNothing) {
    ExportFolder folder;
    for (const char* name : ownFormats) {
        std::string reason;
        {
            std::unique_ptr<ClipWriter> writer =
                FileWriters::OpenClip(folder.Path(name), clipWidth, clipHeight, 30.0, &reason);
            ASSERT_TRUE(writer) << reason;
            ASSERT_TRUE(writer->AddFrame(Frame(0), &reason)) << reason;
            // A frame of the wrong size is refused and the clip abandoned.
            EXPECT_FALSE(writer->AddFrame(RgbaPicture(clipWidth + 1, clipHeight), &reason)) << name;
            EXPECT_NE(reason.find("a frame of 65 x 48 in a clip of 64 x 48"), std::string::npos) << reason;
        }
        EXPECT_TRUE(folder.Names().empty())
            << name << " left " << (folder.Names().empty() ? "" : folder.Names()[0]);
        std::unique_ptr<ClipWriter> empty =
            FileWriters::OpenClip(folder.Path(name), clipWidth, clipHeight, 30.0, &reason);
        ASSERT_TRUE(empty) << reason;
        EXPECT_FALSE(empty->Finish(&reason)) << name << ": a clip without frames";
        empty.reset();
        EXPECT_TRUE(folder.Names().empty()) << name;
    }
}

// A directory standing at the second picture's final name makes its rename fail: the picture
// renamed before it must go too, and no temporary may stay.
TEST(ClipWriterTest, PngSeriesWhoseRenameFailsLeavesNothingNew) {
    ExportFolder folder;
    std::filesystem::create_directory(folder.Path("turn-001.png"));
    std::string reason;
    std::unique_ptr<ClipWriter> writer =
        FileWriters::OpenClip(folder.Path("turn.png"), clipWidth, clipHeight, 30.0, &reason);
    ASSERT_TRUE(writer) << reason;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(writer->AddFrame(Frame(i), &reason)) << reason;
    EXPECT_FALSE(writer->Finish(&reason));
    EXPECT_EQ(reason.rfind("cannot write " + folder.Path("turn-001.png") + ": ", 0), 0u) << reason;
    writer.reset();
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"turn-001.png"}) << "only the directory stays";
}

TEST(ClipWriterTest, UnknownExtensionListsTheKindsItWrites) {
    std::string reason;
    EXPECT_FALSE(FileWriters::OpenClip("clip.avi", clipWidth, clipHeight, 30.0, &reason));
    EXPECT_EQ(reason,
              "cannot write clip.avi: this build writes clips as .webp, .gif, .png (a numbered series), "
              ".mp4 and .webm (through ffmpeg), chosen by the extension");
}

// PATH set for the life of the object, then restored.
class ScopedPath {
public:
    explicit ScopedPath(const std::string& value) {
        const char* old = std::getenv("PATH");
        had = old != nullptr;
        saved = old ? old : "";
        setenv("PATH", value.c_str(), 1);
    }
    ~ScopedPath() {
        if (had)
            setenv("PATH", saved.c_str(), 1);
        else
            unsetenv("PATH");
    }

private:
    bool had = false;
    std::string saved;
};

TEST(ClipWriterTest, VideoWithoutFfmpegOnPathIsRefusedAtOpen) {
    ExportFolder folder;
    ExportFolder emptyBin;
    const ScopedPath path(emptyBin.Path("."));
    for (const char* name : {"clip.mp4", "clip.webm"}) {
        std::string reason;
        EXPECT_FALSE(FileWriters::OpenClip(folder.Path(name), clipWidth, clipHeight, 30.0, &reason)) << name;
        EXPECT_EQ(reason, "cannot write " + folder.Path(name) +
                              ": .mp4 and .webm clips are made by ffmpeg, and there is no ffmpeg on PATH");
    }
    EXPECT_TRUE(folder.Names().empty());
}

// A stand-in for ffmpeg on PATH, a shell script: what the writer hands to ffmpeg and how it takes
// ffmpeg's answer can be checked where ffmpeg is not installed.
class StandInFfmpeg {
public:
    // First on PATH, before the system's folders that its script needs.
    explicit StandInFfmpeg(const std::string& body) : path(bin.Path(".") + ":" + std::getenv("PATH")) {
        const std::string script = bin.Path("ffmpeg");
        if (std::FILE* file = std::fopen(script.c_str(), "w")) {
            std::fprintf(file, "#!/bin/sh\n%s\n", body.c_str());
            std::fclose(file);
        }
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    }

private:
    ExportFolder bin;
    ScopedPath path;
};

TEST(ClipWriterTest, FfmpegGetsEveryFrameRawAndItsOutputIsRenamed) {
    ExportFolder folder;
    // The output is ffmpeg's last argument.
    const StandInFfmpeg ffmpeg("for last; do :; done; cat > \"$last\"");
    WriteClip(folder.Path("clip.webm"), 30.0);
    EXPECT_EQ(std::filesystem::file_size(folder.Path("clip.webm")),
              static_cast<uintmax_t>(clipFrames) * clipWidth * clipHeight * 4);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"clip.webm"});
}

TEST(ClipWriterTest, FfmpegFailingLeavesNothing) {
    ExportFolder folder;
    for (const char* body : {"cat > /dev/null; exit 3", "exit 3"}) {
        const StandInFfmpeg ffmpeg(body);
        std::string reason;
        std::unique_ptr<ClipWriter> writer =
            FileWriters::OpenClip(folder.Path("clip.mp4"), clipWidth, clipHeight, 30.0, &reason);
        ASSERT_TRUE(writer) << reason;
        bool ok = true;
        for (int i = 0; ok && i < 200; ++i)
            ok = writer->AddFrame(Frame(i), &reason);
        ok = ok && writer->Finish(&reason);
        EXPECT_FALSE(ok) << body;
        EXPECT_NE(reason.find("(exit status 3)"), std::string::npos) << body << ": " << reason;
        writer.reset();
        EXPECT_TRUE(folder.Names().empty()) << body;
    }
}

TEST(ClipWriterTest, FfmpegMakesVideoWholeOrNothing) {
    if (FfmpegClip::FindOnPath("ffmpeg").empty())
        GTEST_SKIP() << "no ffmpeg on PATH: the .mp4 and .webm clips cannot be made here";
    ExportFolder folder;
    for (const char* name : {"clip.mp4", "clip.webm"}) {
        WriteClip(folder.Path(name), 30.0);
        EXPECT_GT(std::filesystem::file_size(folder.Path(name)), 0u) << name;
        std::string reason;
        const std::string missing = folder.Path(std::string("absent/") + name);
        EXPECT_FALSE(FileWriters::OpenClip(missing, clipWidth, clipHeight, 30.0, &reason));
        EXPECT_EQ(reason, "cannot write " + missing + ": No such file or directory");
    }
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"clip.mp4", "clip.webm"}));
}

} // namespace
