// Text textures: measuring, rasterising, converting to RGBA, uploading and drawing.
#include "gui/FormatWide.h"
#include "gui/TextCanvas.h"
#include "gui/TextTexture.h"
#include "platform/core/PlatformTesting.h"
#include "platform/freetype/FontTesting.h"
#include "tests/support/GlTestContext.h"
#include "tests/support/TextTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

class TextTextureTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(context.Ok()) << "no OpenGL context"; }

    // The overlay state the program draws text in: 1024 x 768 units, y down, alpha blending.
    static void BeginOverlay() {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 1024, 768, 0, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }

    static std::vector<uint8_t> Texels(const TextTexture& text) {
        return ReadTexture(text.textureName, text.textureWidth, text.textureHeight);
    }

    GlTestContext context;
};

const uint8_t* TexelAt(const std::vector<uint8_t>& texels, const TextTexture& text, int x, int y) {
    return &texels[(static_cast<size_t>(y) * text.textureWidth + x) * 4];
}

// Builds a string whose measured width is exactly `width` from characters measured one by one (the
// layer adds advances without kerning), trying the point sizes in turn.
struct SizedText {
    std::wstring text;
    int pointSize = 0;
};
SizedText TextOfWidth(int width) {
    std::wstring candidates = L"0123456789 .,:;!|iIl1jftrABMW请输入超立方体维度：～";
    for (WCHAR c = 0x2000; c <= 0x200B; ++c)
        candidates += c;
    for (int pointSize : {10, 9, 8, 12, 20, 1, 2, 3, 4, 5, 6, 7}) {
        DibCanvas canvas(4, 4);
        canvas.UseFont(CreateProgramFont(L"宋体", pointSize));
        // reachable[w] holds a string of width w, built by the smallest number of characters.
        std::map<int, std::wstring> reachable = {{0, L""}};
        std::vector<std::pair<int, WCHAR>> widths;
        for (WCHAR c : candidates) {
            SIZE size = {};
            GetTextExtentPoint32W(canvas.dc, &c, 1, &size);
            if (size.cx > 0 && size.cx <= width)
                widths.emplace_back(size.cx, c);
        }
        for (int w = 1; w <= width; ++w) {
            for (const auto& [advance, c] : widths) {
                auto shorter = reachable.find(w - advance);
                if (shorter != reachable.end() && !reachable.count(w))
                    reachable[w] = shorter->second + c;
            }
        }
        if (reachable.count(width))
            return SizedText{reachable[width], pointSize};
    }
    return SizedText{};
}

TEST_F(TextTextureTest, TextureSidesAreTheNextPowersOfTwoOfTheMeasuredText) {
    for (int width : {64, 65, 1}) {
        const SizedText sized = TextOfWidth(width);
        ASSERT_FALSE(sized.text.empty()) << "no string of width " << width << " could be built";
        TextTexture text;
        text.SetFont(L"宋体", sized.pointSize);
        text.Render(sized.text.c_str());
        EXPECT_EQ(text.textWidth, width) << "point size " << sized.pointSize;
        EXPECT_EQ(text.textureWidth, NextPowerOfTwo(width));
        EXPECT_EQ(text.textureHeight, NextPowerOfTwo(text.textHeight));
        GLint uploadedWidth = 0, uploadedHeight = 0;
        glBindTexture(GL_TEXTURE_2D, text.textureName);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &uploadedWidth);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &uploadedHeight);
        glBindTexture(GL_TEXTURE_2D, 0);
        EXPECT_EQ(uploadedWidth, text.textureWidth);
        EXPECT_EQ(uploadedHeight, text.textureHeight);
    }
    EXPECT_EQ(NextPowerOfTwo(64), 64);
    EXPECT_EQ(NextPowerOfTwo(65), 128);
}

TEST_F(TextTextureTest, DefaultFontIsTenPointSongti) {
    TextTexture text;
    text.Render(L"请输入超立方体维度：");
    DibCanvas canvas(4, 4);
    canvas.UseFont(CreateProgramFont(L"宋体", 10));
    SIZE size = {};
    GetTextExtentPoint32W(canvas.dc, L"请输入超立方体维度：", 10, &size);
    EXPECT_EQ(text.textWidth, size.cx);
    EXPECT_EQ(text.textHeight, size.cy);
    EXPECT_EQ(text.textureHeight, NextPowerOfTwo(size.cy));
}

TEST_F(TextTextureTest, NormalAndInvertedImagesFollowTheConversionTable) {
    const WCHAR* label = L"请输入超立方体维度：";
    TextTexture normal;
    TextTexture inverted;
    inverted.inverted = true;
    normal.Render(label);
    inverted.Render(label);
    ASSERT_EQ(normal.textureWidth, inverted.textureWidth);
    ASSERT_EQ(normal.textureHeight, inverted.textureHeight);
    ASSERT_GT(normal.textureWidth, normal.textWidth) << "the label should leave room beyond its extent";
    const std::vector<uint8_t> a = Texels(normal);
    const std::vector<uint8_t> b = Texels(inverted);

    // The red byte v of the bitmap, drawn by the layer directly, is what both images come from.
    DibCanvas canvas(normal.textureWidth, normal.textureHeight);
    canvas.UseFont(CreateProgramFont(L"宋体", 10));
    TextOutW(canvas.dc, 0, 0, label, 10);

    int ink = 0, fullInk = 0;
    for (int y = 0; y < normal.textureHeight; ++y) {
        for (int x = 0; x < normal.textureWidth; ++x) {
            const uint8_t* n = TexelAt(a, normal, x, y);
            const uint8_t* i = TexelAt(b, inverted, x, y);
            const bool beyond = x >= normal.textWidth || y >= normal.textHeight;
            const int v = canvas.Red(x, y);
            if (beyond || v == 255) {
                ASSERT_TRUE(n[0] == 0 && n[1] == 0 && n[2] == 0 && n[3] == 0)
                    << "normal paper texel at " << x << "," << y << " is " << int(n[0]) << "," << int(n[1])
                    << "," << int(n[2]) << "," << int(n[3]);
                ASSERT_TRUE(i[0] == 255 && i[1] == 255 && i[2] == 255 && i[3] == 255)
                    << "inverted paper texel at " << x << "," << y << " has alpha " << int(i[3]);
                ASSERT_FALSE(beyond && v != 255) << "ink beyond the measured extent at " << x << "," << y;
                continue;
            }
            ++ink;
            fullInk += v == 0 ? 1 : 0;
            ASSERT_TRUE(n[0] == 255 && n[1] == 255 && n[2] == 255 && n[3] == 255 - v)
                << "normal ink texel at " << x << "," << y << " for v=" << v << " has alpha " << int(n[3]);
            ASSERT_TRUE(i[0] == 0 && i[1] == 0 && i[2] == 0 && i[3] == v)
                << "inverted ink texel at " << x << "," << y << " for v=" << v << " has alpha " << int(i[3]);
        }
    }
    EXPECT_GT(ink, 100) << "the label must leave ink";
    EXPECT_GT(fullInk, 10) << "bold strokes have pure black pixels, which become opaque white / clear";
}

TEST_F(TextTextureTest, EmptyTextGivesAZeroWidthTextureThatDrawsNothing) {
    const GdiCounts before = CountGdi();
    {
        TextTexture text;
        text.Render(L"请");
        text.Render(L"");
        EXPECT_EQ(text.textWidth, 0);
        EXPECT_EQ(text.textureWidth, 0);
        EXPECT_GT(text.textHeight, 0) << "an empty string still has the font's cell height";
        EXPECT_EQ(CountGdi().bitmaps, before.bitmaps + 1)
            << "one DIB section per canvas, also after an empty text";
        BeginOverlay();
        text.DrawAt(10, 10);
        const Frame frame = ReadFrame();
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x)
                ASSERT_TRUE(PixelNear(frame, x, y, 0, 0, 0)) << "something drawn at " << x << "," << y;
        }
        text.Render(L"1");
        EXPECT_GT(text.textureWidth, 0) << "a text after the empty one renders again";
    }
    EXPECT_EQ(CountGdi(), before);
}

// 9,000 characters of 60 points need a bitmap of over 256 MB, which the layer refuses.
TEST_F(TextTextureTest, TextTooLargeForABitmapDrawsNothingAndTheNextTextRendersAgain) {
    TextTexture text;
    text.SetFont(L"宋体", 60);
    text.Render(std::wstring(9000, L'面').c_str());
    EXPECT_GT(text.textWidth, 500000) << "the text is still measured";
    EXPECT_EQ(text.textureWidth, 0);
    EXPECT_EQ(text.textureHeight, 0);
    BeginOverlay();
    text.DrawAt(10, 10);
    const Frame frame = ReadFrame();
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 256; ++x)
            ASSERT_TRUE(PixelNear(frame, x, y, 0, 0, 0)) << "something drawn at " << x << "," << y;
    }
    text.Render(L"1");
    EXPECT_GT(text.textureWidth, 0) << "a text of normal size renders again";
}

TEST_F(TextTextureTest, DrawAtPutsTexelsOneToOneWithTheTopLeftCornerAtThePoint) {
    TextTexture text;
    text.SetFont(L"黑体", 20);
    text.Render(L"生成");
    text.red = 1.0f;
    text.green = 0.5f;
    text.blue = 0.0f;
    text.alpha = 1.0f;
    const std::vector<uint8_t> texels = Texels(text);
    BeginOverlay();
    text.DrawAt(100, 50);
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0) << "DrawAt unbinds its texture";
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << "texturing stays switched on";
    const Frame frame = ReadFrame();
    for (int y = 0; y < text.textureHeight; ++y) {
        for (int x = 0; x < text.textureWidth; ++x) {
            // Over black, a white texel of coverage a shows as the colour times a.
            const int a = TexelAt(texels, text, x, y)[3];
            ASSERT_TRUE(PixelNear(frame, 100 + x, 50 + y, a, a / 2, 0))
                << "at texel " << x << "," << y << " with alpha " << a << ": "
                << int(frame.At(100 + x, 50 + y)[0]) << "," << int(frame.At(100 + x, 50 + y)[1]);
        }
    }
    EXPECT_TRUE(PixelNear(frame, 99, 50, 0, 0, 0));
    EXPECT_TRUE(PixelNear(frame, 100, 49, 0, 0, 0));
}

TEST_F(TextTextureTest, SetFontWithoutRenderKeepsTheOldImage) {
    TextTexture text;
    text.Render(L"体");
    const std::vector<uint8_t> before = Texels(text);
    const int width = text.textWidth;
    text.SetFont(L"黑体", 20);
    EXPECT_EQ(text.textWidth, width);
    EXPECT_EQ(Texels(text), before) << "the texture must not change before the next Render";
    text.Render(L"体");
    EXPECT_GT(text.textWidth, width) << "20 points are wider than 10";
}

TEST_F(TextTextureTest, ColourFieldsKeepTheirValuesBetweenDraws) {
    TextTexture text;
    text.SetFont(L"黑体", 20);
    text.Render(L"一");
    text.red = 0.0f;
    text.green = 1.0f;
    text.blue = 0.0f;
    text.alpha = 0.8f;
    const std::vector<uint8_t> texels = Texels(text);
    int inkX = -1, inkY = -1;
    for (int y = 0; y < text.textHeight && inkX < 0; ++y) {
        for (int x = 0; x < text.textWidth && inkX < 0; ++x) {
            if (TexelAt(texels, text, x, y)[3] == 255) {
                inkX = x;
                inkY = y;
            }
        }
    }
    ASSERT_GE(inkX, 0) << "no fully inked texel";
    for (int draw = 0; draw < 2; ++draw) {
        BeginOverlay();
        text.DrawAt(0, 0);
        const Frame frame = ReadFrame();
        EXPECT_TRUE(PixelNear(frame, inkX, inkY, 0, 204, 0))
            << "draw " << draw << ": " << int(frame.At(inkX, inkY)[1]);
    }
    EXPECT_FLOAT_EQ(text.alpha, 0.8f);
}

TEST_F(TextTextureTest, ManyTexturesAndRendersLeaveNothingBehind) {
    const GdiCounts before = CountGdi();
    const platform_testing::LiveObjects liveBefore = platform_testing::CountLiveObjects();
    std::vector<GLuint> names;
    names.reserve(10000);
    for (int i = 0; i < 10000; ++i) {
        auto text = std::make_unique<TextTexture>();
        text->Render(i % 2 ? L"确定" : L"7");
        names.push_back(text->textureName);
    }
    {
        TextTexture reused;
        names.push_back(reused.textureName);
        WCHAR number[16];
        for (int i = 0; i < 10000; ++i) {
            FormatWide(number, 16, L"%d", i);
            reused.Render(number);
        }
        TextTexture fresh;
        fresh.Render(L"9999");
        EXPECT_EQ(reused.textWidth, fresh.textWidth) << "the last render shows 9999";
        EXPECT_EQ(Texels(reused), Texels(fresh));
        EXPECT_EQ(CountGdi().bitmaps, before.bitmaps + 2) << "each Render replaces the DIB section";
    }
    EXPECT_EQ(CountGdi(), before);
    const platform_testing::LiveObjects liveAfter = platform_testing::CountLiveObjects();
    EXPECT_EQ(liveAfter.deviceContexts, liveBefore.deviceContexts);
    EXPECT_EQ(liveAfter.fonts, liveBefore.fonts);
    EXPECT_EQ(liveAfter.brushes, liveBefore.brushes);
    EXPECT_EQ(liveAfter.bitmaps, liveBefore.bitmaps);
    int stillTextures = 0;
    for (GLuint name : names)
        stillTextures += glIsTexture(name) ? 1 : 0;
    EXPECT_EQ(stillTextures, 0) << "texture objects outlived their text textures";
}

} // namespace
