// The page's input records as the program takes them (platform/web/WebHost.h), through the funnel
// and the core, to the Win32 messages the window receives: one row per record kind and per rule
// the page leaves to the core.
#include "platform/web/WebEventFunnel.h"
#include "tests/platform/core/InputFixture.h"

#include <string>

using namespace web_host;

namespace {

// A record as the page fills it: its kind, the fields `fill` sets, the others 0.
template <typename Fill> InputRecord Record(EventKind kind, Fill fill) {
    InputRecord record{};
    record.kind = kind;
    fill(record);
    return record;
}
InputRecord Key(int vk, bool down, bool repeat = false) {
    return Record(keyEvent, [&](InputRecord& r) {
        r.key = vk;
        r.down = down;
        r.repeat = repeat;
    });
}
InputRecord Char(int unit) {
    return Record(charEvent, [&](InputRecord& r) { r.unit = unit; });
}
// `buttons`: bit 0 left, bit 1 right, as the browser says they are held.
InputRecord Mouse(MouseAction action, int button, int buttons, int x, int y) {
    return Record(mouseEvent, [&](InputRecord& r) {
        r.action = action;
        r.button = button;
        r.buttons = buttons;
        r.x = x;
        r.y = y;
    });
}
InputRecord Move(int buttons, int x, int y) {
    return Mouse(mouseMove, -1, buttons, x, y);
}
InputRecord WheelTurn(int units, int x, int y) {
    return Record(wheelEvent, [&](InputRecord& r) {
        r.wheelUnits = units;
        r.x = x;
        r.y = y;
    });
}
InputRecord Focus(bool gained) {
    return Record(focusEvent, [&](InputRecord& r) { r.down = gained; });
}

struct Row {
    std::string behaviour;
    std::vector<InputRecord> records;
    std::vector<Message> messages;
};

using WebEventFunnelTest = InputFixture;

TEST_F(WebEventFunnelTest, EveryRecordBecomesTheMessagesOfTheSameInputOnTheDesktop) {
    constexpr int left = 1, right = 2; // bits of `buttons`
    const std::vector<Row> rows = {
        {"a key, its repeat and its release; typed units follow as WM_CHAR",
         {Key('7', true), Key('7', true, true), Char(0x37), Key('7', false)},
         {{WM_KEYDOWN, '7', firstPress},
          {WM_KEYDOWN, '7', repeatedPress},
          {WM_CHAR, 0x37, 1},
          {WM_KEYUP, '7', release}}},
        {"a left click and a right click, each button with its own messages",
         {Move(0, 10, 20), Mouse(mouseDown, 0, left, 10, 20), Mouse(mouseUp, 0, 0, 10, 20),
          Mouse(mouseDown, 1, right, 11, 21), Move(right, 12, 22), Mouse(mouseUp, 1, 0, 12, 22)},
         {{WM_MOUSEMOVE, 0, Point(10, 20)},
          {WM_LBUTTONDOWN, MK_LBUTTON, Point(10, 20)},
          {WM_LBUTTONUP, 0, Point(10, 20)},
          {WM_RBUTTONDOWN, MK_RBUTTON, Point(11, 21)},
          {WM_MOUSEMOVE, MK_RBUTTON, Point(12, 22)},
          {WM_RBUTTONUP, 0, Point(12, 22)}}},
        {"a press of a held button is dropped: the browser lost the release in between",
         {Mouse(mouseDown, 0, left, 5, 5), Mouse(mouseDown, 0, left, 6, 6), Mouse(mouseUp, 0, 0, 7, 7)},
         {{WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5)}, {WM_LBUTTONUP, 0, Point(7, 7)}}},
        {"a move whose buttons no longer hold a button releases it there, before the move",
         {Mouse(mouseDown, 0, left, 5, 5), Mouse(mouseDown, 1, left | right, 5, 5), Move(right, 8, 9)},
         {{WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5)},
          {WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, Point(5, 5)},
          {WM_LBUTTONUP, MK_RBUTTON, Point(8, 9)},
          {WM_MOUSEMOVE, MK_RBUTTON, Point(8, 9)}}},
        {"a pointer taken away lets go of its buttons where it last was",
         {Mouse(mouseDown, 0, left, 5, 5), Move(left, 30, 40), Mouse(mouseLost, -1, 0, 0, 0)},
         {{WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5)},
          {WM_MOUSEMOVE, MK_LBUTTON, Point(30, 40)},
          {WM_LBUTTONUP, 0, Point(30, 40)}}},
        {"the wheel in 1/120 notch: a turn of two and a half notches is three messages, the last a half",
         {WheelTurn(300, 4, 6), WheelTurn(-24, 4, 6)},
         {{WM_MOUSEWHEEL, Wheel(120), Point(4, 6)},
          {WM_MOUSEWHEEL, Wheel(120), Point(4, 6)},
          {WM_MOUSEWHEEL, Wheel(60), Point(4, 6)},
          {WM_MOUSEWHEEL, Wheel(-24), Point(4, 6)}}},
        {"losing the focus lets go of what is held first",
         {Key(VK_SHIFT, true), Focus(false), Focus(true)},
         {{WM_KEYDOWN, VK_SHIFT, firstPress},
          {WM_KEYUP, VK_SHIFT, release},
          {WM_ACTIVATEAPP, FALSE, 0},
          {WM_KILLFOCUS, 0, 0},
          {WM_ACTIVATEAPP, TRUE, 0},
          {WM_SETFOCUS, 0, 0}}},
        {"a kind the program does not know is nothing",
         {Record(static_cast<EventKind>(99),
                 [](InputRecord& r) {
                     r.key = 'A';
                     r.down = 1;
                 })},
         {}},
    };
    for (const Row& row : rows) {
        for (const InputRecord& record : row.records)
            platform_web::TranslateWebEvent(native, record);
        EXPECT_EQ(TakeAllMessagesBrief(), row.messages) << row.behaviour;
        platform_testing::ForgetHeldInput();
    }
}

TEST_F(WebEventFunnelTest, RecordsForNoLiveWindowChangeNothing) {
    platform_web::TranslateWebEvent(nullptr, Mouse(mouseDown, 0, 1, 1, 1));
    platform_web::TranslateWebEvent(nullptr, Key('A', true));
    platform_web::TranslateWebEvent(native, Mouse(mouseUp, 0, 0, 1, 1));
    EXPECT_EQ(TakeAllMessagesBrief(), std::vector<Message>{}) << "the press for no window was not held";
}

} // namespace
