// PNG pictures and the write-whole-or-nothing rule every exported file follows.
#include "export/FileKinds.h"
#include "export/FileWriters.h"
#include "export/PictureFile.h"
#include "tests/export/ExportFolder.h"
#include "tests/export/ReadBack.h"

#include <gtest/gtest.h>

namespace {

// A picture whose every channel varies, so that each of the encoder's row filters is chosen
// somewhere and a wrong prediction shows as a wrong pixel.
RgbaPicture Pattern(int width, int height) {
    RgbaPicture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = picture.Row(y) + x * 4;
            pixel[0] = static_cast<uint8_t>(x * 7 + y);
            pixel[1] = static_cast<uint8_t>((x * y) % 251);
            pixel[2] = static_cast<uint8_t>(x == y ? 255 : 0);
            pixel[3] = static_cast<uint8_t>(255 - (x + 3 * y) % 128);
        }
    return picture;
}

TEST(PictureFileTest, LibpngReadsBackEveryPixel) {
    ExportFolder folder;
    const RgbaPicture picture = Pattern(67, 41);
    const std::string path = folder.Path("pattern.png");
    std::string reason;
    ASSERT_TRUE(WritePngFile(path, picture, &reason)) << reason;
    const RgbaPicture back = ReadPng(path);
    ASSERT_EQ(back.width, picture.width);
    ASSERT_EQ(back.height, picture.height);
    size_t wrong = 0;
    for (size_t i = 0; i < picture.pixels.size(); ++i)
        wrong += back.pixels[i] != picture.pixels[i];
    EXPECT_EQ(wrong, 0u) << "bytes that differ after libpng read the file back";
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"pattern.png"}) << "no temporary left beside it";
}

TEST(PictureFileTest, ReplacesAnOlderFileWhole) {
    ExportFolder folder;
    const std::string path = folder.Path("again.png");
    std::string reason;
    ASSERT_TRUE(WritePngFile(path, Pattern(300, 200), &reason)) << reason;
    ASSERT_TRUE(WritePngFile(path, Pattern(20, 10), &reason)) << reason;
    EXPECT_EQ(ReadPng(path).width, 20);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"again.png"});
}

TEST(PictureFileTest, MissingFolderGivesTheSystemsReasonAndLeavesNothing) {
    ExportFolder folder;
    const std::string path = folder.Path("absent/picture.png");
    std::string reason;
    EXPECT_FALSE(WritePngFile(path, Pattern(8, 8), &reason));
    EXPECT_EQ(reason, "cannot write " + path + ": No such file or directory");
    EXPECT_TRUE(folder.Names().empty());
}

// The picture writer the command line calls: the kinds and sizes of FileKinds, in any case of letters.
TEST(PictureFileTest, PicturesAreWrittenInTheKindsAndSizesOfFileKindsOnly) {
    ExportFolder folder;
    const int width = FileKinds::pictureWidth.low;
    const RgbaPicture picture = Pattern(width, FileKinds::PictureHeight(width));
    std::string reason;
    ASSERT_TRUE(FileWriters::WritePicture(folder.Path("A.PNG"), picture, &reason)) << reason;
    EXPECT_EQ(ReadPng(folder.Path("A.PNG")).height, picture.height);

    EXPECT_FALSE(FileWriters::WritePicture(folder.Path("a.jpg"), picture, &reason));
    EXPECT_EQ(reason, "cannot write " + folder.Path("a.jpg") +
                          ": this build writes pictures as .png, chosen by the extension");
    for (const RgbaPicture& wrong :
         {Pattern(width - 2, FileKinds::PictureHeight(width - 2)), Pattern(width, width)}) {
        EXPECT_FALSE(FileWriters::WritePicture(folder.Path("b.png"), wrong, &reason))
            << wrong.width << " x " << wrong.height;
        EXPECT_NE(reason.find("a picture is from 256 to 4096 pixels wide"), std::string::npos) << reason;
    }
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"A.PNG"});
}

} // namespace
