// Buttons and check boxes driven through the real window procedure, as a user would drive them.
#include "gui/QV_Button.h"
#include "gui/QV_CheckBox.h"
#include "gui/QV_Label.h"
#include "gui/TextTexture.h"
#include "tests/gui/ToolkitHarness.h"

namespace {

class ToolkitButton : public ToolkitFixture {
protected:
    void SetUp() override {
        ToolkitFixture::SetUp();
        if (HasFatalFailure())
            return;
        button = Add(new QV_Button(L"OK", 100)); // (100, 384), 80 x 30
        spy = std::make_unique<Spy>(&log, "b");
        Bind(button->mouseDownHandlers, spy.get(), &Spy::Down);
        Bind(button->mouseUpHandlers, spy.get(), &Spy::Up);
        Bind(button->mouseEnterHandlers, spy.get(), &Spy::Enter);
        Bind(button->mouseLeaveHandlers, spy.get(), &Spy::Leave);
    }

    QV_Button* button = nullptr;
    std::unique_ptr<Spy> spy;
};

TEST_F(ToolkitButton, ConstructorsPlaceTheGenerateAndTheMessageBoxButtons) {
    QV_Button generate;
    EXPECT_EQ(generate.x, 874);
    EXPECT_EQ(generate.y, 20);
    EXPECT_EQ(generate.width, 100);
    EXPECT_EQ(generate.height, 30);
    EXPECT_EQ(generate.caption->text, L"马上生成～～");
    EXPECT_EQ(generate.state, ButtonState::Normal);
    EXPECT_FALSE(generate.hovered);
    EXPECT_EQ(generate.caption->parent, nullptr) << "the caption belongs to no container";

    EXPECT_EQ(button->x, 100);
    EXPECT_EQ(button->y, 384);
    EXPECT_EQ(button->width, 80);
    EXPECT_EQ(button->height, 30);
    EXPECT_EQ(button->caption->text, L"OK");
}

TEST_F(ToolkitButton, AClickIsAReleaseInsideWhereverThePressWas) {
    // Pressed outside, moved in, released inside: a click.
    Press(50, 50);
    EXPECT_EQ(button->state, ButtonState::Normal);
    MoveMouse(140, 399);
    EXPECT_EQ(button->state, ButtonState::Hover);
    Release(140, 399);
    EXPECT_EQ(log, (std::vector<std::string>{"b:enter", "b:up"}));
    EXPECT_EQ(button->state, ButtonState::Normal) << "after a click the button shows Normal until a move";
    EXPECT_TRUE(button->hovered);

    // Pressed inside, moved out, released outside: no click.
    log.clear();
    Press(140, 399);
    EXPECT_EQ(button->state, ButtonState::Pressed);
    MoveMouse(300, 300);
    Release(300, 300);
    EXPECT_EQ(log, (std::vector<std::string>{"b:down", "b:leave"}));
    EXPECT_EQ(button->state, ButtonState::Normal);
}

TEST_F(ToolkitButton, LeavingWhilePressedThenReturningShowsHoverAndStillClicks) {
    Press(140, 399);
    MoveMouse(150, 400);
    EXPECT_EQ(button->state, ButtonState::Pressed) << "moving inside keeps the pressed look";
    MoveMouse(150, 450);
    EXPECT_EQ(button->state, ButtonState::Normal) << "leaving drops the pressed look";
    EXPECT_FALSE(button->hovered);
    MoveMouse(150, 400);
    EXPECT_EQ(button->state, ButtonState::Hover) << "coming back shows Hover, not Pressed";
    Release(150, 400);
    EXPECT_EQ(log, (std::vector<std::string>{"b:enter", "b:down", "b:leave", "b:enter", "b:up"}));
}

TEST_F(ToolkitButton, TheRightButtonPressesAndClicksToo) {
    MoveMouse(140, 399);
    Send(WM_RBUTTONDOWN, 0, MAKELPARAM(140, 399));
    EXPECT_EQ(button->state, ButtonState::Pressed);
    Send(WM_RBUTTONUP, 0, MAKELPARAM(140, 399));
    EXPECT_EQ(spy->Count("up"), 1);
    EXPECT_EQ(spy->Count("down"), 1);
}

TEST_F(ToolkitButton, DisabledOrHiddenButtonsIgnoreInputAndTheScreenPassesItOn) {
    // A second button under the first: when the first does not take the press the second gets it.
    QV_Button* below = Add(new QV_Button(L"below", 100));
    Spy belowSpy(&log, "below");
    Bind(below->mouseUpHandlers, &belowSpy, &Spy::Up);

    button->enabled = false;
    Click(140, 399);
    EXPECT_EQ(spy->Count("up"), 0);
    EXPECT_EQ(spy->Count("enter"), 0) << "a disabled button sees no moves either";
    EXPECT_EQ(button->state, ButtonState::Normal);
    EXPECT_EQ(belowSpy.Count("up"), 1);

    button->enabled = true;
    button->visible = false;
    Click(140, 399);
    EXPECT_EQ(spy->Count("up"), 0);
    EXPECT_EQ(belowSpy.Count("up"), 2);

    // Called directly, the slots refuse as well.
    inputState.mouseX = 140;
    inputState.mouseY = 399;
    EXPECT_FALSE(button->OnMouseDown());
    EXPECT_FALSE(button->OnMouseUp());
    button->visible = true;
    button->enabled = false;
    EXPECT_FALSE(button->OnMouseDown());
    EXPECT_FALSE(button->OnMouseUp());
    EXPECT_EQ(button->state, ButtonState::Normal);
    EXPECT_EQ(spy->Count("up") + spy->Count("down"), 0);
}

TEST_F(ToolkitButton, InTheOverlapOfTwoButtonsTheOneAddedFirstTakesThePress) {
    QV_Button* later = Add(new QV_Button(L"later", 140)); // overlaps columns 140..180
    Spy laterSpy(&log, "later");
    Bind(later->mouseDownHandlers, &laterSpy, &Spy::Down);
    Bind(later->mouseUpHandlers, &laterSpy, &Spy::Up);

    Click(160, 399);
    EXPECT_EQ(spy->Count("up"), 1);
    EXPECT_EQ(laterSpy.Count("down") + laterSpy.Count("up"), 0);
    EXPECT_EQ(later->state, ButtonState::Normal);
    EXPECT_FALSE(later->hovered) << "the move was taken by the first button as well";

    // Outside the first button the later one reacts normally.
    Click(200, 399);
    EXPECT_EQ(laterSpy.Count("up"), 1);
}

TEST_F(ToolkitButton, MovingFromALaterControlStraightOntoAnEarlierOneLeavesTheLaterHovered) {
    QV_Button* later = Add(new QV_Button(L"later", 300));
    Spy laterSpy(&log, "later");
    Bind(later->mouseLeaveHandlers, &laterSpy, &Spy::Leave);

    MoveMouse(340, 399);
    EXPECT_EQ(later->state, ButtonState::Hover);
    EXPECT_EQ(button->state, ButtonState::Normal);

    MoveMouse(140, 399);
    EXPECT_EQ(button->state, ButtonState::Hover);
    EXPECT_EQ(later->state, ButtonState::Hover) << "the earlier button took the move";
    EXPECT_TRUE(later->hovered);
    EXPECT_EQ(laterSpy.Count("leave"), 0);

    MoveMouse(600, 600);
    EXPECT_EQ(later->state, ButtonState::Normal);
    EXPECT_EQ(button->state, ButtonState::Normal);
    EXPECT_EQ(laterSpy.Count("leave"), 1);
    EXPECT_EQ(spy->Count("leave"), 1);
}

TEST_F(ToolkitButton, TheScreenListFiresBeforeTheButtonAndOncePerPressEitherWay) {
    Spy screenSpy(&log, "screen");
    Bind(screen->mouseDownHandlers, &screenSpy, &Spy::Down);
    Press(140, 399);
    Press(600, 600);
    EXPECT_EQ(log, (std::vector<std::string>{"b:enter", "screen:down", "b:down", "b:leave", "screen:down"}));
}

TEST_F(ToolkitButton, TheCaptionIsCentredOnItsMeasuredTextAndFollowsTheEnabledFlag) {
    QV_Button* wide = Add(new QV_Button(L"a caption much wider than eighty pixels", 500));
    Render();
    const TextTexture* text = button->caption->texture;
    EXPECT_EQ(button->caption->x, 100 + 40 - text->textWidth / 2);
    EXPECT_EQ(button->caption->y, 384 + 15 - text->textHeight / 2);
    EXPECT_NE(text->textHeight, text->textureHeight) << "centring must not use the power-of-two height";
    EXPECT_TRUE(button->caption->enabled);

    ASSERT_GT(wide->caption->texture->textWidth, 80);
    EXPECT_LT(wide->caption->x, 500) << "a wide caption overflows to the left";
    EXPECT_EQ(wide->caption->x, 540 - wide->caption->texture->textWidth / 2);

    button->enabled = false;
    Render();
    EXPECT_FALSE(button->caption->enabled);
    button->enabled = true;
    Render();
    EXPECT_TRUE(button->caption->enabled);
}

class ToolkitCheckBox : public ToolkitFixture {
protected:
    void SetUp() override {
        ToolkitFixture::SetUp();
        if (HasFatalFailure())
            return;
        box = Add(new QV_CheckBox()); // square (400, 18), 21 x 21; caption right of it
        spy = std::make_unique<Spy>(&log, "c");
        Bind(box->mouseDownHandlers, spy.get(), &Spy::Down);
        Bind(box->mouseUpHandlers, spy.get(), &Spy::Up);
        Bind(box->mouseEnterHandlers, spy.get(), &Spy::Enter);
        Bind(box->mouseLeaveHandlers, spy.get(), &Spy::Leave);
        Bind(box->checkChangedHandlers, spy.get(), &Spy::Checked);
    }

    QV_CheckBox* box = nullptr;
    std::unique_ptr<Spy> spy;
};

TEST_F(ToolkitCheckBox, StartsCheckedAtItsPlaceWithItsCaption) {
    EXPECT_TRUE(box->checked);
    EXPECT_EQ(box->x, 400);
    EXPECT_EQ(box->y, 18);
    EXPECT_EQ(box->width, 21);
    EXPECT_EQ(box->height, 21);
    EXPECT_EQ(box->caption->text, L"线框渲染");
    EXPECT_EQ(box->state, ButtonState::Normal);
}

TEST_F(ToolkitCheckBox, EachClickTogglesThenFiresTheClickListThenTheChangeList) {
    Click(410, 28);
    EXPECT_FALSE(box->checked);
    EXPECT_EQ(box->state, ButtonState::Normal) << "Normal after the toggle until the pointer moves";
    Click(410, 28);
    EXPECT_TRUE(box->checked) << "two clicks restore the value";
    EXPECT_EQ(log, (std::vector<std::string>{"c:enter", "c:down", "c:up", "c:checked=0", "c:down", "c:up",
                                             "c:checked=1"}));
    MoveMouse(411, 28);
    EXPECT_EQ(box->state, ButtonState::Hover);
}

TEST_F(ToolkitCheckBox, OnlyTheSquareReactsNotItsCaption) {
    Render(); // places the caption
    ASSERT_EQ(box->caption->x, 423);
    Click(430, 28); // on the caption text
    Click(421, 28); // the square's right edge
    EXPECT_TRUE(box->checked);
    EXPECT_TRUE(log.empty()) << log.size() << " handler calls";
    Click(420, 38); // last column and row of the square
    EXPECT_FALSE(box->checked);
}

TEST_F(ToolkitCheckBox, AReleaseInsideAfterAPressOutsideToggles) {
    Press(300, 300);
    Release(410, 28);
    EXPECT_FALSE(box->checked);
    EXPECT_EQ(spy->Count("down"), 0);
    EXPECT_EQ(spy->Count("checked=0"), 1);
}

TEST_F(ToolkitCheckBox, TheRightButtonTogglesToo) {
    RightClick(410, 28);
    EXPECT_FALSE(box->checked);
}

TEST_F(ToolkitCheckBox, DisabledOrHiddenItIgnoresPressesReleasesAndMovesCompletely) {
    MoveMouse(410, 28);
    ASSERT_TRUE(box->hovered);
    ASSERT_EQ(box->state, ButtonState::Hover);
    log.clear();

    for (bool hide : {false, true}) {
        box->enabled = hide;
        box->visible = !hide;
        // Directly, as a screen that did not filter would call it, and through the window.
        inputState.mouseX = 500;
        inputState.mouseY = 500;
        EXPECT_FALSE(box->OnMouseMove());
        inputState.mouseX = 410;
        inputState.mouseY = 28;
        EXPECT_FALSE(box->OnMouseDown());
        EXPECT_FALSE(box->OnMouseUp());
        Click(410, 28);
        MoveMouse(500, 500);
        EXPECT_TRUE(box->checked);
        EXPECT_TRUE(box->hovered) << "the hover flag is kept";
        EXPECT_EQ(box->state, ButtonState::Hover);
        EXPECT_TRUE(log.empty()) << log.size() << " handler calls";
    }
}

} // namespace
