// What the controls look like: frames drawn through the real frame code into the back buffer, read
// back and compared per channel with colours computed from the colour tables over the black clear
// colour. One enlarged picture of each control is written to the build directory's test-pictures
// folder for looking at.
#include "gui/QV_Button.h"
#include "gui/QV_CheckBox.h"
#include "gui/QV_Label.h"
#include "gui/QV_TextBox.h"
#include "gui/TextTexture.h"
#include "tests/gui/ToolkitHarness.h"

#include <algorithm>
#include <cmath>

namespace {

using ToolkitDrawing = ToolkitFixture;

struct Rgb {
    int r, g, b;
};

// A fill colour of the tables blended over black, and an outline colour (drawn opaque).
Rgb Fill(float r, float g, float b, float a) {
    return {OverBlack(r, a), OverBlack(g, a), OverBlack(b, a)};
}
Rgb Opaque(float r, float g, float b) {
    return {OverBlack(r), OverBlack(g), OverBlack(b)};
}

TEST_F(ToolkitDrawing, AButtonShowsTheColoursOfItsState) {
    QV_Button* button = Add(new QV_Button(L"OK", 100)); // (100, 384), 80 x 30
    // The fill is sampled left of the caption, the outline in the middle of its 4-pixel top line.
    const int fillX = 110, fillY = 399, lineX = 110, lineY = 385;

    struct Case {
        const char* name;
        Rgb fill;
        Rgb outline;
    };
    const Case normal = {"normal", Fill(0.05f, 0.05f, 0.5f, 0.5f), Opaque(0.0f, 0.4f, 1.0f)};
    const Case hover = {"hover", Fill(0.33f, 0.33f, 1.0f, 0.7f), Opaque(0.0f, 0.4f, 1.0f)};
    const Case pressed = {"pressed", Fill(0.05f, 0.05f, 0.5f, 0.5f), Opaque(0.5f, 0.78f, 1.0f)};
    const Case disabled = {"disabled", Fill(0.12f, 0.12f, 0.12f, 0.55f), Opaque(0.4f, 0.4f, 0.4f)};

    auto check = [&](const Case& expected) {
        Frame frame = Render();
        EXPECT_TRUE(PixelIs(frame, fillX, fillY, expected.fill.r, expected.fill.g, expected.fill.b))
            << expected.name << " fill";
        EXPECT_TRUE(PixelIs(frame, lineX, lineY, expected.outline.r, expected.outline.g, expected.outline.b))
            << expected.name << " outline";
        EXPECT_TRUE(PixelIs(frame, 175, 412, expected.outline.r, expected.outline.g, expected.outline.b))
            << expected.name << " outline, bottom right";
        EXPECT_TRUE(PixelIs(frame, 99, 399, 0, 0, 0)) << expected.name << ": nothing left of the outline";
        EXPECT_TRUE(PixelIs(frame, 140, 416, 0, 0, 0)) << expected.name << ": nothing below the outline";
        return frame;
    };

    Frame normalFrame = check(normal);
    MoveMouse(140, 399);
    ASSERT_EQ(button->state, ButtonState::Hover);
    Frame hoverFrame = check(hover);
    Send(WM_LBUTTONDOWN, 0, MAKELPARAM(140, 399));
    ASSERT_EQ(button->state, ButtonState::Pressed);
    Frame pressedFrame = check(pressed);
    button->enabled = false;
    Frame disabledFrame = check(disabled);

    // The caption: white glyph cores while enabled, the disabled label colour while disabled.
    const int cx = button->caption->x, cy = button->caption->y;
    const int cw = button->caption->texture->textWidth, ch = button->caption->texture->textHeight;
    EXPECT_GT(CountPixels(normalFrame, cx, cy, cw, ch, 255, 255, 255), 0) << "white caption";
    EXPECT_EQ(CountPixels(disabledFrame, cx, cy, cw, ch, 255, 255, 255), 0)
        << "no white in a disabled caption";
    EXPECT_GT(CountPixels(disabledFrame, cx, cy, cw, ch, OverBlack(0.4f), OverBlack(0.4f), OverBlack(0.5f)),
              0)
        << "greyed caption";
    EXPECT_EQ(CountBright(normalFrame, 95, 340, 90, 40, 0), 0) << "nothing drawn above the button";

    // One picture with the four looks side by side.
    Frame strip;
    strip.width = 4 * 90;
    strip.height = 40;
    strip.rgba.resize(static_cast<size_t>(strip.width) * strip.height * 4);
    const Frame* looks[] = {&normalFrame, &hoverFrame, &pressedFrame, &disabledFrame};
    for (int i = 0; i < 4; ++i)
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 90; ++x)
                std::copy_n(looks[i]->At(95 + x, 379 + y), 4,
                            &strip.rgba[(static_cast<size_t>(y) * strip.width + i * 90 + x) * 4]);
    EXPECT_TRUE(
        SaveRegion(strip, 0, 0, strip.width, strip.height, 3, PicturePath("toolkit-button-states.png")));
}

TEST_F(ToolkitDrawing, TwoOverlappingButtonsDrawTheLaterOnTop) {
    Add(new QV_Button(L"", 100));
    QV_Button* later = Add(new QV_Button(L"", 140));
    MoveMouse(200, 399); // hover on the later one only
    ASSERT_EQ(later->state, ButtonState::Hover);
    Frame frame = Render();
    // Inside the overlap, away from the outlines: the later hover fill over the earlier normal fill.
    const float hoverAlpha = 0.7f;
    auto blend = [&](float hoverChannel, float normalChannel) {
        return static_cast<int>(
            std::lround(255.0f * (hoverChannel * hoverAlpha + normalChannel * 0.5f * (1.0f - hoverAlpha))));
    };
    EXPECT_TRUE(PixelIs(frame, 160, 399, blend(0.33f, 0.05f), blend(0.33f, 0.05f), blend(1.0f, 0.5f)));
}

TEST_F(ToolkitDrawing, ACheckBoxDrawsAWhiteCrossWhileCheckedAndGreysWhenDisabled) {
    QV_CheckBox* box = Add(new QV_CheckBox()); // (400, 18), 21 x 21
    const Rgb normalFill = Fill(0.05f, 0.05f, 0.5f, 0.5f);
    const Rgb outline = Opaque(0.0f, 0.4f, 1.0f);

    Frame checkedFrame = Render();
    EXPECT_TRUE(PixelIs(checkedFrame, 410, 28, 255, 255, 255)) << "centre of the cross";
    EXPECT_TRUE(PixelIs(checkedFrame, 406, 28, normalFill.r, normalFill.g, normalFill.b))
        << "beside the cross";
    EXPECT_TRUE(PixelIs(checkedFrame, 401, 28, outline.r, outline.g, outline.b)) << "left outline";
    // Both diagonals, 11 pixels each way from (405, 23).
    for (int i = 1; i < 10; ++i) {
        EXPECT_GT(std::min(checkedFrame.At(405 + i, 23 + i)[0], checkedFrame.At(405 + i, 23 + i)[1]), 128)
            << i;
        EXPECT_GT(std::min(checkedFrame.At(415 - i, 23 + i)[0], checkedFrame.At(415 - i, 23 + i)[1]), 128)
            << i;
    }
    const int cx = box->caption->x, cy = box->caption->y;
    const int cw = box->caption->texture->textWidth, ch = box->caption->texture->textHeight;
    EXPECT_EQ(cx, 423) << "caption two pixels right of the square";
    EXPECT_EQ(cy, 18 + 10 - ch / 2);
    EXPECT_GT(CountPixels(checkedFrame, cx, cy, cw, ch, 255, 255, 255), 0) << "white caption";
    EXPECT_TRUE(SaveRegion(checkedFrame, 395, 10, cw + 35, 36, 6, PicturePath("toolkit-checkbox.png")));

    box->checked = false;
    Frame clearFrame = Render();
    EXPECT_TRUE(PixelIs(clearFrame, 410, 28, normalFill.r, normalFill.g, normalFill.b)) << "no cross";

    box->checked = true;
    box->enabled = false;
    Frame disabledFrame = Render();
    const Rgb disabledOutline = Opaque(0.4f, 0.4f, 0.4f);
    const Rgb disabledFill = Fill(0.12f, 0.12f, 0.12f, 0.55f);
    EXPECT_TRUE(PixelIs(disabledFrame, 410, 28, 128, 128, 128)) << "grey cross";
    EXPECT_TRUE(PixelIs(disabledFrame, 406, 28, disabledFill.r, disabledFill.g, disabledFill.b));
    EXPECT_TRUE(PixelIs(disabledFrame, 401, 28, disabledOutline.r, disabledOutline.g, disabledOutline.b));
    EXPECT_EQ(CountPixels(disabledFrame, cx, cy, cw, ch, 255, 255, 255), 0) << "caption greyed too";
    EXPECT_GT(CountPixels(disabledFrame, cx, cy, cw, ch, OverBlack(0.4f), OverBlack(0.4f), OverBlack(0.5f)),
              0);
    EXPECT_TRUE(
        SaveRegion(disabledFrame, 395, 10, cw + 35, 36, 6, PicturePath("toolkit-checkbox-disabled.png")));
}

TEST_F(ToolkitDrawing, ATextBoxDrawsItsFrameCaretAndClippedText) {
    QV_TextBox* field = Add(new QV_TextBox());       // (160, 15), 100 x 20
    QV_Button* after = Add(new QV_Button(L"", 300)); // drawn after the box: the clip must be gone
    after->y = 15;
    const Rgb frameColour = Opaque(0.0f, 0.4f, 1.0f);

    Frame empty = Render();
    EXPECT_TRUE(PixelIs(empty, 210, 15, frameColour.r, frameColour.g, frameColour.b)) << "top line";
    EXPECT_TRUE(PixelIs(empty, 160, 25, frameColour.r, frameColour.g, frameColour.b)) << "left line";
    EXPECT_TRUE(PixelIs(empty, 260, 25, frameColour.r, frameColour.g, frameColour.b)) << "right line";
    EXPECT_TRUE(PixelIs(empty, 210, 35, frameColour.r, frameColour.g, frameColour.b)) << "bottom line";
    EXPECT_EQ(CountBright(empty, 163, 18, 94, 14, 10), 0)
        << "an empty box without focus shows nothing inside";

    Click(200, 25);
    Frame focused = Render();
    EXPECT_TRUE(PixelIs(focused, 162, 25, 255, 255, 255)) << "caret 2 pixels from the left edge";
    EXPECT_TRUE(PixelIs(focused, 162, 18, 255, 255, 255)) << "caret top";
    EXPECT_TRUE(PixelIs(focused, 165, 25, 0, 0, 0)) << "right of the caret";
    EXPECT_TRUE(SaveRegion(focused, 150, 8, 120, 34, 6, PicturePath("toolkit-textbox-empty-focused.png")));

    // Forty digits: scrolled so that the caret stays inside, the first digits hidden.
    for (int i = 0; i < 40; ++i)
        Send(WM_CHAR, static_cast<WPARAM>(L'0' + i % 10), 0);
    Frame scrolled = Render();
    EXPECT_TRUE(PixelIs(scrolled, 160 + field->caretX, 25, 255, 255, 255)) << "caret at the end";
    EXPECT_GT(CountBright(scrolled, 163, 18, 94, 14, 128), 20) << "digits visible";
    EXPECT_EQ(CountBright(scrolled, 262, 16, 30, 18, 10), 0) << "nothing right of the frame";
    EXPECT_TRUE(SaveRegion(scrolled, 150, 8, 120, 34, 6, PicturePath("toolkit-textbox-scrolled.png")));

    // Back to the start: the whole text is drawn from the left and cut at the interior.
    for (int i = 0; i < 40; ++i)
        Tap(VK_LEFT);
    ASSERT_EQ(field->scroll, 0);
    ASSERT_GT(field->texture->textWidth, 200) << "the text is far wider than the box";
    Frame clipped = Render();
    EXPECT_GT(CountBright(clipped, 163, 18, 94, 14, 128), 20) << "digits visible";
    EXPECT_EQ(CountBright(clipped, 262, 16, 37, 18, 10), 0) << "text clipped at the right of the interior";
    EXPECT_EQ(CountBright(clipped, 258, 18, 1, 14, 10), 0) << "the interior ends 2 pixels inside the frame";
    const Rgb afterFill = Fill(0.05f, 0.05f, 0.5f, 0.5f);
    EXPECT_TRUE(PixelIs(clipped, 310, 30, afterFill.r, afterFill.g, afterFill.b))
        << "a control drawn after the box is not clipped";
    EXPECT_TRUE(SaveRegion(clipped, 150, 8, 120, 34, 6, PicturePath("toolkit-textbox-clipped.png")));

    field->enabled = false;
    Frame disabled = Render();
    const Rgb grey = Opaque(0.4f, 0.4f, 0.4f);
    EXPECT_TRUE(PixelIs(disabled, 210, 15, grey.r, grey.g, grey.b)) << "grey frame";
    EXPECT_EQ(CountPixels(disabled, 161, 17, 2, 17, 255, 255, 255), 0) << "no caret while disabled";
    EXPECT_EQ(CountPixels(disabled, 163, 18, 94, 14, 255, 255, 255), 0) << "no white text";
    EXPECT_GT(CountPixels(disabled, 163, 18, 94, 14, OverBlack(0.4f), OverBlack(0.4f), OverBlack(0.5f)), 0)
        << "text in the disabled colour";
    EXPECT_TRUE(SaveRegion(disabled, 150, 8, 120, 34, 6, PicturePath("toolkit-textbox-disabled.png")));
}

TEST_F(ToolkitDrawing, ALabelDrawsInItsColourAndInGreyBlueWhileDisabled) {
    QV_Label* label = Add(new QV_Label(L"标签", 600, 500));
    const int32_t defaultWidth = label->texture->textWidth;
    label->SetFont(L"黑体", 20, 1.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_GT(label->texture->textWidth, defaultWidth) << "SetFont renders the current text again at once";
    EXPECT_EQ(label->text, L"标签");

    const int w = label->texture->textWidth, h = label->texture->textHeight;
    Frame red = Render();
    EXPECT_GT(CountPixels(red, 600, 500, w, h, 255, 0, 0), 10) << "red glyph cores";
    EXPECT_EQ(CountBright(red, 560, 460, 40, 80, 10) + CountBright(red, 600, 460, w, 40, 10), 0)
        << "nothing left of or above the label";
    EXPECT_TRUE(SaveRegion(red, 595, 495, w + 10, h + 10, 6, PicturePath("toolkit-label.png")));

    label->enabled = false;
    Frame grey = Render();
    EXPECT_EQ(CountPixels(grey, 600, 500, w, h, 255, 0, 0, 40), 0);
    EXPECT_GT(CountPixels(grey, 600, 500, w, h, OverBlack(0.4f), OverBlack(0.4f), OverBlack(0.5f)), 10);

    label->enabled = true;
    Frame again = Render();
    EXPECT_GT(CountPixels(again, 600, 500, w, h, 255, 0, 0), 10) << "enabling restores the colour";

    label->visible = false;
    Frame hidden = Render();
    EXPECT_EQ(CountBright(hidden, 600, 500, w, h, 10), 0);
}

} // namespace
