// A picture of the program's kinds of text, drawn as the overlay draws them, kept for looking at.
#include "gui/TextTexture.h"
#include "tests/support/GlTestContext.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct Sample {
    const WCHAR* text;
    const WCHAR* face;
    int pointSize;
    bool inverted;
    int x, y;
};

// Pixels that show the glyphs: white text over the dark background, or the red face through the
// glyphs cut out of a (green-tinted) inverted tile.
int GlyphPixels(const Frame& frame, const Sample& sample, int width, int height) {
    int glyph = 0;
    for (int y = sample.y; y < sample.y + height && y < frame.height; ++y) {
        for (int x = sample.x; x < sample.x + width && x < frame.width; ++x) {
            const uint8_t* p = frame.At(x, y);
            glyph += (sample.inverted ? p[0] > 128 && p[1] < 100 : p[0] > 128) ? 1 : 0;
        }
    }
    return glyph;
}

TEST(TextSample, ProgramTextsDrawLegiblyAndArePictured) {
    GlTestContext context;
    ASSERT_TRUE(context.Ok());
    const Sample samples[] = {
        {L"60", L"宋体", 9, false, 0, 0},
        {L"请输入超立方体维度：", L"宋体", 10, false, 20, 40},
        {L"马上生成～～", L"宋体", 10, false, 20, 70},
        {L"显示面", L"宋体", 10, false, 200, 70},
        {L"维度必须是3到8之间的整数！", L"黑体", 20, false, 20, 100},
        {L"0", L"幼圆", 60, true, 20, 160},
        {L"17", L"幼圆", 60, true, 120, 160},
        {L"1791", L"幼圆", 60, true, 280, 160},
        {L"请输维", L"幼圆", 60, true, 20, 300},
    };
    glClearColor(0.1f, 0.1f, 0.3f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1024, 768, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    std::vector<std::unique_ptr<TextTexture>> texts;
    for (const Sample& sample : samples) {
        auto text = std::make_unique<TextTexture>();
        text->SetFont(sample.face, sample.pointSize);
        text->inverted = sample.inverted;
        text->Render(sample.text);
        if (sample.inverted) {
            // Face numbers are cut out of a white tile: show them over a red face.
            glDisable(GL_TEXTURE_2D);
            glColor4f(0.8f, 0.1f, 0.1f, 1.0f);
            glRecti(sample.x, sample.y, sample.x + text->textureWidth, sample.y + text->textureHeight);
            text->red = 0.2f;
            text->green = 0.9f;
            text->blue = 0.2f;
        }
        text->alpha = sample.pointSize == 9 ? 0.8f : 1.0f;
        text->DrawAt(sample.x, sample.y);
        texts.push_back(std::move(text));
    }
    const Frame frame = ReadFrame();
    for (size_t i = 0; i < texts.size(); ++i) {
        const Sample& s = samples[i];
        const int glyph = GlyphPixels(frame, s, texts[i]->textWidth, texts[i]->textHeight);
        const int area = texts[i]->textWidth * texts[i]->textHeight;
        // Glyphs cover a part of their cell, neither nothing nor all of it.
        EXPECT_GT(glyph, area / 20) << "sample " << i;
        EXPECT_LT(glyph, area * 3 / 4) << "sample " << i;
    }
    const std::string path = PicturePath("tessary-text-sample.png");
    EXPECT_TRUE(WritePng(frame, path)) << path;
}

} // namespace
