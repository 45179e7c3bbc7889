// Handler lists as the controls use them: duplicates, order, ownership, and the hit rule every
// clickable control applies.
#include "gui/QV_Button.h"
#include "gui/QV_CheckBox.h"
#include "gui/QV_TextBox.h"
#include "tests/gui/ToolkitHarness.h"

namespace {

class ToolkitHandlers : public ToolkitFixture {
protected:
    // Outlives the screen, whose teardown deletes the remaining counted handlers.
    std::map<int, int> deletions;
};

TEST_F(ToolkitHandlers, TheSameObjectAndMethodTwiceLeavesOneHandlerAndDeletesTheSecond) {
    QV_Button* button = Add(new QV_Button(L"OK", 100));
    Spy spy(&log, "a");
    AddHandler(button->mouseUpHandlers,
               static_cast<SenderHandler*>(new CountedHandler(&spy, &Spy::Up, &deletions, 1)));
    AddHandler(button->mouseUpHandlers,
               static_cast<SenderHandler*>(new CountedHandler(&spy, &Spy::Up, &deletions, 2)));

    EXPECT_EQ(button->mouseUpHandlers.Size(), 1u);
    EXPECT_EQ(deletions[2], 1) << "the duplicate is deleted at once";
    EXPECT_EQ(deletions[1], 0) << "the first stays in the list";

    Click(140, 399);
    EXPECT_EQ(spy.Count("up"), 1) << "one click calls the method once";
}

TEST_F(ToolkitHandlers, OneMethodOnTwoObjectsAndTwoMethodsOnOneObjectAreKeptInOrder) {
    QV_Button* button = Add(new QV_Button(L"OK", 100));
    Spy first(&log, "first");
    Spy second(&log, "second");
    Bind(button->mouseUpHandlers, &second, &Spy::Up);
    Bind(button->mouseUpHandlers, &first, &Spy::Up);
    Bind(button->mouseUpHandlers, &second, &Spy::Changed);
    ASSERT_EQ(button->mouseUpHandlers.Size(), 3u);

    Click(140, 399);
    EXPECT_EQ(log, (std::vector<std::string>{"second:up", "first:up", "second:changed"}));
    ASSERT_EQ(first.senders.size(), 1u);
    EXPECT_EQ(first.senders[0], button) << "the sender is the clicked button";
}

TEST_F(ToolkitHandlers, DestroyingAScreenDeletesEveryHandlerOfEveryControlExactlyOnce) {
    Spy spy(&log, "s");
    int nextId = 0;
    auto attach = [&](SenderHandlerList& list, void (Spy::*method)(QV_Controller*)) {
        AddHandler(list, static_cast<SenderHandler*>(new CountedHandler(&spy, method, &deletions, nextId++)));
    };
    auto attachBase = [&](QV_Controller* control) {
        attach(control->mouseDownHandlers, &Spy::Down);
        attach(control->mouseUpHandlers, &Spy::Up);
        attach(control->mouseEnterHandlers, &Spy::Enter);
        attach(control->mouseLeaveHandlers, &Spy::Leave);
    };

    // A separate screen, so that the test decides when it dies.
    QV_Screen* page = new QV_Screen();
    QV_Button* button = new QV_Button(L"OK", 100);
    QV_CheckBox* box = new QV_CheckBox();
    QV_TextBox* field = new QV_TextBox();
    Panel* panel = new Panel(10, 10);
    QV_Button* nested = new QV_Button(L"in", 0);
    panel->AddChild(nested);
    for (QV_Controller* control : {static_cast<QV_Controller*>(button), static_cast<QV_Controller*>(box),
                                   static_cast<QV_Controller*>(field), static_cast<QV_Controller*>(nested),
                                   static_cast<QV_Controller*>(page)})
        attachBase(control);
    attach(field->textChangedHandlers, &Spy::Changed);
    attach(page->keyDownHandlers, &Spy::Changed);
    attach(page->keyUpHandlers, &Spy::Changed);
    attach(page->mouseMoveHandlers, &Spy::Changed);
    // A second method on the same object in the same list is a distinct handler and must go too.
    attach(button->mouseUpHandlers, &Spy::Changed);
    page->AddChild(button);
    page->AddChild(box);
    page->AddChild(field);
    page->AddChild(panel);

    const int created = nextId;
    ASSERT_EQ(created, 25);
    delete page;

    ASSERT_EQ(static_cast<int>(deletions.size()), created) << "every handler was deleted";
    for (const auto& [id, times] : deletions)
        EXPECT_EQ(times, 1) << "handler " << id;
}

TEST_F(ToolkitHandlers, TheCheckBoxListReceivesThePointerToTheNewValue) {
    QV_CheckBox* box = Add(new QV_CheckBox());
    Spy spy(&log, "box");
    Bind(box->checkChangedHandlers, &spy, &Spy::Checked);
    Click(410, 28);
    EXPECT_EQ(spy.checkedPointer, &box->checked);
    EXPECT_EQ(log, (std::vector<std::string>{"box:checked=0"}));
}

// The hit rule: all four edges of the rectangle are outside.
TEST_F(ToolkitHandlers, PressesOnTheBorderLinesOfAControlDoNotHitIt) {
    QV_Button* button = Add(new QV_Button(L"OK", 100)); // (100, 384), 80 x 30
    Spy spy(&log, "b");
    Bind(button->mouseDownHandlers, &spy, &Spy::Down);

    struct Probe {
        int x, y;
        bool hit;
    };
    const Probe probes[] = {
        {100, 399, false}, {180, 399, false}, {140, 384, false}, {140, 414, false}, // the four edges
        {101, 385, true},  {179, 413, true},  {101, 413, true},  {179, 385, true},  // innermost corners
        {99, 399, false},  {140, 415, false},
    };
    for (const Probe& probe : probes) {
        log.clear();
        Press(probe.x, probe.y);
        EXPECT_EQ(button->state == ButtonState::Pressed, probe.hit)
            << "press at " << probe.x << ", " << probe.y;
        EXPECT_EQ(spy.Count("down"), probe.hit ? 1 : 0) << "press at " << probe.x << ", " << probe.y;
        Release(0, 0);
    }
}

TEST_F(ToolkitHandlers, AControlTwoLevelsDeepIsHitAtItsAbsoluteRectangle) {
    Panel* outer = Add(new Panel(100, 200));
    Panel* inner = new Panel(30, 40);
    outer->AddChild(inner);
    QV_CheckBox* box = new QV_CheckBox();
    box->x = 5;
    box->y = 6;
    inner->AddChild(box); // absolute (135, 246), 21 x 21

    // Containers do not route events themselves, so the slots are called as a screen would.
    inputState.mouseX = 136;
    inputState.mouseY = 247;
    EXPECT_TRUE(box->OnMouseDown()) << "first column and row inside the absolute rectangle";
    inputState.mouseX = 135;
    EXPECT_FALSE(box->OnMouseUp()) << "the absolute left edge";
    EXPECT_TRUE(box->checked) << "a release outside does not toggle";
    inputState.mouseX = 155;
    inputState.mouseY = 266;
    EXPECT_TRUE(box->OnMouseUp()) << "last column and row inside";
    EXPECT_FALSE(box->checked);

    // Where the box would be if only its own position, or only its parent's, counted.
    for (auto [mx, my] : {std::pair{10, 10}, std::pair{40, 50}, std::pair{110, 210}}) {
        inputState.mouseX = static_cast<int16_t>(mx);
        inputState.mouseY = static_cast<int16_t>(my);
        EXPECT_FALSE(box->OnMouseDown()) << mx << ", " << my;
    }

    // The same control drawn: its frame lies at the absolute position.
    Frame frame = Render();
    EXPECT_TRUE(PixelIs(frame, 136, 257, 0, 102, 255)) << "left outline of the nested box";
    EXPECT_TRUE(PixelIs(frame, 131, 257, 0, 0, 0)) << "left of it";
}

} // namespace
