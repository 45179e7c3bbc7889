// The entry field driven through the window procedure: focus, typing, Backspace, arrows, scrolling
// and the cursor.
#include "gui/QV_Button.h"
#include "gui/QV_TextBox.h"
#include "gui/TextTexture.h"
#include "tests/gui/ToolkitHarness.h"

#include <string>

namespace {

class ToolkitTextBox : public ToolkitFixture {
protected:
    void SetUp() override {
        ToolkitFixture::SetUp();
        if (HasFatalFailure())
            return;
        field = Add(new QV_TextBox()); // (160, 15), 100 x 20
        spy = std::make_unique<Spy>(&log, "t");
        Bind(field->textChangedHandlers, spy.get(), &Spy::Changed);
    }

    void Focus() { Click(200, 25); }

    // The invariants that must hold after every event.
    void ExpectConsistent() {
        EXPECT_LE(0, field->scroll);
        EXPECT_LE(field->scroll, field->caret);
        EXPECT_LE(field->caret, static_cast<int32_t>(field->text.size()));
        // caretX is the width of the characters from scroll to the caret, measured apart.
        TextTexture measure;
        measure.SetFont(L"宋体", 10);
        const std::wstring shown = field->text.substr(field->scroll, field->caret - field->scroll);
        measure.Render(shown.c_str());
        EXPECT_EQ(field->caretX, measure.textWidth + 2)
            << "caret " << field->caret << ", scroll " << field->scroll;
    }

    QV_TextBox* field = nullptr;
    std::unique_ptr<Spy> spy;
};

TEST_F(ToolkitTextBox, StartsEmptyWithoutFocusAtItsPlace) {
    EXPECT_EQ(field->x, 160);
    EXPECT_EQ(field->y, 15);
    EXPECT_EQ(field->width, 100);
    EXPECT_EQ(field->height, 20);
    EXPECT_TRUE(field->text.empty());
    EXPECT_FALSE(field->focused);
    EXPECT_FALSE(field->digitsOnly);
    EXPECT_EQ(field->caret, 0);
    EXPECT_EQ(field->scroll, 0);
    EXPECT_EQ(field->caretX, 2);
    EXPECT_EQ(field->fontName, L"宋体");
    EXPECT_EQ(field->fontSize, 10);
}

TEST_F(ToolkitTextBox, TheFocusFollowsThePressesThatReachTheBox) {
    Type(L"1");
    EXPECT_TRUE(field->text.empty()) << "without the focus characters go nowhere";
    EXPECT_EQ(spy->Count("changed"), 0);

    Focus();
    EXPECT_TRUE(field->focused);
    EXPECT_EQ(screen->focus, field);
    Type(L"12");
    EXPECT_EQ(field->text, L"12");

    Click(600, 600); // reaches the box, outside it
    EXPECT_FALSE(field->focused);
    EXPECT_EQ(screen->focus, nullptr);
    Type(L"3");
    EXPECT_EQ(field->text, L"12");
}

TEST_F(ToolkitTextBox, APressTakenByAnEarlierSiblingLeavesTheFocusAlone) {
    // A second screen with a button before the box.
    CountingScreen* page = new CountingScreen();
    QV_Button* earlier = new QV_Button(L"e", 400);
    QV_TextBox* box = new QV_TextBox();
    page->AddChild(earlier);
    page->AddChild(box);
    Manager().AddScreen(page);
    Manager().current = 1;

    Click(200, 25);
    ASSERT_EQ(page->focus, box);
    Click(440, 399); // on the button
    EXPECT_EQ(page->focus, box);
    EXPECT_TRUE(box->focused);
    Type(L"5");
    EXPECT_EQ(box->text, L"5");
    Click(440, 300); // misses the button, reaches the box
    EXPECT_EQ(page->focus, nullptr);
    EXPECT_FALSE(box->focused);
}

TEST_F(ToolkitTextBox, DigitsOnlyDropsOtherCharactersSilently) {
    field->digitsOnly = true;
    Focus();
    Type(L"a");
    EXPECT_TRUE(field->text.empty());
    EXPECT_EQ(spy->Count("changed"), 0) << "a dropped character calls no handler";
    Type(L"7");
    EXPECT_EQ(field->text, L"7");
    EXPECT_EQ(field->caret, 1);
    EXPECT_EQ(spy->Count("changed"), 1);
    ASSERT_EQ(spy->senders.size(), 1u);
    EXPECT_EQ(spy->senders[0], field);
    Type(L"/:８");
    EXPECT_EQ(field->text, L"7") << "the neighbours of 0 and 9 and full-width digits are not digits";
    ExpectConsistent();
}

TEST_F(ToolkitTextBox, WithoutDigitsOnlyLettersAndControlCharactersAreInserted) {
    Focus();
    Type(L"x\x01y");
    Send(WM_CHAR, 13, 0); // the window procedure drops Enter, Tab and Escape
    Send(WM_CHAR, 9, 0);
    Send(WM_CHAR, 27, 0);
    EXPECT_EQ(field->text, std::wstring(L"x\x01y"));
    EXPECT_EQ(spy->Count("changed"), 3);
}

TEST_F(ToolkitTextBox, BackspaceInAnEmptyBoxCallsTheHandlerOnceAndChangesNothing) {
    Focus();
    Send(WM_CHAR, 8, 0);
    EXPECT_EQ(spy->Count("changed"), 1);
    EXPECT_TRUE(field->text.empty());
    EXPECT_EQ(field->caret, 0);
    EXPECT_EQ(field->scroll, 0);
    EXPECT_EQ(field->caretX, 2);
}

TEST_F(ToolkitTextBox, BackspaceAndArrowsEditAtTheCaret) {
    Focus();
    Type(L"123");
    Tap(VK_LEFT);
    EXPECT_EQ(field->caret, 2);
    Send(WM_CHAR, 8, 0);
    EXPECT_EQ(field->text, L"13");
    EXPECT_EQ(field->caret, 1);
    Type(L"9");
    EXPECT_EQ(field->text, L"193");
    ExpectConsistent();

    Tap(VK_LEFT);
    Tap(VK_LEFT);
    Tap(VK_LEFT); // already at 0: nothing happens
    EXPECT_EQ(field->caret, 0);
    EXPECT_EQ(field->caretX, 2);
    Tap(VK_RIGHT);
    EXPECT_EQ(field->caret, 1);
    Tap(VK_RIGHT);
    Tap(VK_RIGHT);
    Tap(VK_RIGHT); // already at the end
    EXPECT_EQ(field->caret, 3);
    ExpectConsistent();
    EXPECT_EQ(spy->Count("changed"), 5) << "arrows call no handler";
}

TEST_F(ToolkitTextBox, AHeldArrowActsOnEveryKeyDownAndLeftWinsOverRight) {
    Focus();
    Type(L"12345");
    KeyDown(VK_LEFT);
    KeyDown(VK_LEFT); // auto-repeat
    EXPECT_EQ(field->caret, 3);
    KeyDown(VK_RIGHT); // Left is still held, so this moves left again
    EXPECT_EQ(field->caret, 2);
    KeyUp(VK_LEFT);
    KeyDown(VK_SHIFT); // any key-down while Right is held moves right
    EXPECT_EQ(field->caret, 3);
}

TEST_F(ToolkitTextBox, TypingPastTheRightEdgeScrollsAndKeepsTheHiddenText) {
    field->digitsOnly = true;
    Focus();
    std::wstring typed;
    for (int i = 0; i < 40; ++i) {
        const wchar_t digit = static_cast<wchar_t>(L'0' + i % 10);
        typed += digit;
        Send(WM_CHAR, digit, 0);
        EXPECT_LE(field->caretX, field->width - 2) << "after " << typed.size() << " characters";
    }
    EXPECT_EQ(field->text, typed) << "hidden characters stay in the text";
    EXPECT_EQ(field->caret, 40);
    EXPECT_GT(field->scroll, 0);
    EXPECT_EQ(spy->Count("changed"), 40);
    ExpectConsistent();
    // Scrolling stops as soon as the caret is inside: one character fewer hidden would not fit.
    TextTexture measure;
    measure.SetFont(L"宋体", 10);
    const std::wstring oneMore = field->text.substr(field->scroll - 1, field->caret - field->scroll + 1);
    measure.Render(oneMore.c_str());
    EXPECT_GT(measure.textWidth + 2, field->width - 2);
}

TEST_F(ToolkitTextBox, BackspaceFromTheEndShowsHiddenCharactersAgainWhileTheTextStillFits) {
    Focus();
    Type(L"1234567890123456789012345");
    TextTexture measure;
    measure.SetFont(L"宋体", 10);
    while (!field->text.empty()) {
        Send(WM_CHAR, 8, 0);
        ExpectConsistent();
        if (field->scroll == 0)
            continue;
        // The box stays as full as typing left it: one more character on the left would not fit.
        measure.Render(field->text.c_str() + field->scroll - 1);
        ASSERT_GT(measure.textWidth + 2, field->width - 2)
            << field->text.size() << " characters left, scroll " << field->scroll;
    }
    EXPECT_EQ(field->scroll, 0);
    EXPECT_EQ(field->caretX, 2);
}

TEST_F(ToolkitTextBox, LeftAtTheVisibleLeftEdgeMovesCaretAndScrollTogether) {
    Focus();
    for (int i = 0; i < 30; ++i)
        Send(WM_CHAR, L'4', 0);
    const int32_t scroll = field->scroll;
    ASSERT_GT(scroll, 1);
    while (field->caret > field->scroll)
        Tap(VK_LEFT);
    EXPECT_EQ(field->scroll, scroll) << "moving inside the visible part does not scroll";
    EXPECT_EQ(field->caretX, 2);
    Tap(VK_LEFT);
    EXPECT_EQ(field->caret, scroll - 1);
    EXPECT_EQ(field->scroll, scroll - 1);
    EXPECT_EQ(field->caretX, 2);
    ExpectConsistent();

    // Backspace at the left edge scrolls back by one too.
    Tap(VK_RIGHT);
    Send(WM_CHAR, 8, 0);
    EXPECT_EQ(field->caret, scroll - 1);
    EXPECT_EQ(field->scroll, scroll - 1);
    EXPECT_EQ(field->text.size(), 29u);

    // Right past the right edge scrolls forward again.
    while (field->caret < static_cast<int32_t>(field->text.size())) {
        Tap(VK_RIGHT);
        EXPECT_LE(field->caretX, field->width - 2);
    }
    ExpectConsistent();
}

TEST_F(ToolkitTextBox, TheCursorChangesOnceOnEnteringAndOnceOnLeaving) {
    Spy hover(&log, "h");
    Bind(field->mouseEnterHandlers, &hover, &Spy::Enter);
    Bind(field->mouseLeaveHandlers, &hover, &Spy::Leave);
    MoveMouse(600, 600);
    const int before = platform_testing::CursorChangeCount();

    MoveMouse(200, 25);
    EXPECT_EQ(platform_testing::CurrentCursor(), platform_testing::SystemCursor::IBeam);
    MoveMouse(201, 26);
    MoveMouse(259, 34);
    EXPECT_EQ(platform_testing::CursorChangeCount(), before + 1);
    MoveMouse(260, 34); // the right edge is outside
    EXPECT_EQ(platform_testing::CurrentCursor(), platform_testing::SystemCursor::Arrow);
    MoveMouse(700, 34);
    EXPECT_EQ(platform_testing::CursorChangeCount(), before + 2);
    EXPECT_EQ(log, (std::vector<std::string>{"h:enter", "h:leave"}));
}

TEST_F(ToolkitTextBox, MovesInsideTheBoxAreNotPassedToLaterSiblings) {
    QV_Button* later = Add(new QV_Button(L"under", 200));
    later->y = 10; // overlaps the box's right half
    MoveMouse(230, 25);
    EXPECT_EQ(later->state, ButtonState::Normal);
    EXPECT_FALSE(later->hovered);
    MoveMouse(270, 25); // right of the box, still on the button
    EXPECT_EQ(later->state, ButtonState::Hover);
}

TEST_F(ToolkitTextBox, AHiddenOrDisabledFocusedBoxGetsNoCharactersButKeepsTheFocus) {
    Focus();
    field->enabled = false;
    Type(L"1");
    field->enabled = true;
    field->visible = false;
    Type(L"2");
    field->visible = true;
    Type(L"3");
    EXPECT_EQ(field->text, L"3");
    EXPECT_EQ(screen->focus, field);
}

TEST_F(ToolkitTextBox, AnUnparentedBoxChangesOnlyItsOwnFocusFlag) {
    QV_TextBox loose;
    inputState.mouseX = 200;
    inputState.mouseY = 25;
    EXPECT_TRUE(loose.OnMouseDown());
    EXPECT_TRUE(loose.focused);
    EXPECT_EQ(screen->focus, nullptr);
    inputState.mouseX = 10;
    EXPECT_FALSE(loose.OnMouseDown());
    EXPECT_FALSE(loose.focused);
}

} // namespace
