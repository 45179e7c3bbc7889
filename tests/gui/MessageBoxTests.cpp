// The modal message box: its layout and look, the answers it gives, what reaches whom while it is
// open, and how its nested loop ends, also when the window goes away. The nested loop runs for real:
// the answers are posted to the queue before the box opens (or from a frame drawn while it is open)
// and the loop's own draining dispatches them through the window procedure.
#include "app/FrameCounter.h"
#include "gui/QV_Button.h"
#include "gui/QV_Label.h"
#include "gui/QV_MessageBox.h"
#include "gui/QV_MessageBoxButton.h"
#include "gui/QV_TextBox.h"
#include "gui/ShowMessageBox.h"
#include "gui/TextTexture.h"
#include "tests/gui/ToolkitHarness.h"

#include <functional>
#include <string>
#include <vector>

namespace {

// Centres of the buttons: OK and Cancel side by side, or OK alone.
constexpr int okX = 452, cancelX = 572, aloneX = 512, buttonY = 399;

// A page that runs one scripted step per drawn frame, so that a test can act and look between two
// passes of the nested loop. Wheel turns that reach it are written to `log` when one is given, since
// the toolkit has no handler list for the wheel.
class ScriptedScreen : public CountingScreen {
public:
    void Draw() override {
        ++frames;
        QV_Screen::Draw();
        if (next < steps.size())
            steps[next++]();
    }
    void OnMouseWheel(uint32_t* delta) override {
        if (wheelLog)
            wheelLog->push_back("screen:wheel " + std::to_string(static_cast<int16_t>(*delta & 0xFFFF)));
        QV_Screen::OnMouseWheel(delta);
    }
    std::vector<std::function<void()>> steps;
    size_t next = 0;
    int frames = 0;
    std::vector<std::string>* wheelLog = nullptr; // not owned
};

class MessageBoxTest : public ToolkitFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        if (HasFatalFailure())
            return;
        application->showFrameCounter = false;
        scripted = InstallScreen(new ScriptedScreen());
        screen = scripted;
    }

    static void PostMove(int x, int y) { Post(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    static void PostClick(int x, int y) {
        PostMove(x, y);
        Post(WM_LBUTTONDOWN, 0, MAKELPARAM(x, y));
        Post(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    static void PostRelease(int x, int y) {
        PostMove(x, y);
        Post(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

    bool Ask(bool withCancel, const WCHAR* text = L"真的要试试？") {
        return ShowMessageBox(&Manager(), text, withCancel);
    }

    void ExpectManagerClear() {
        EXPECT_FALSE(Manager().messageBoxOpen);
        EXPECT_EQ(Manager().messageBox, nullptr);
    }

    ScriptedScreen* scripted = nullptr;
};

TEST_F(MessageBoxTest, LaysOutTheTextAndOneOrTwoButtons) {
    QV_MessageBox pair(L"大于6的维度可能会渲染较慢，真的要试试？", true);
    ASSERT_EQ(pair.childCount, 3);
    QV_Label* label = dynamic_cast<QV_Label*>(pair.firstChild->child);
    ASSERT_NE(label, nullptr) << "the text comes first";
    EXPECT_EQ(label->fontName, L"黑体");
    EXPECT_EQ(label->fontSize, 20);
    EXPECT_EQ(label->red, 1.0f);
    EXPECT_EQ(label->green, 1.0f);
    EXPECT_EQ(label->blue, 0.0f);
    EXPECT_EQ(label->y, 284);
    EXPECT_EQ(label->x, (1024 - label->texture->textWidth) / 2);
    EXPECT_EQ(pair.firstChild->next->child, pair.okButton);
    EXPECT_EQ(pair.lastChild->child, pair.cancelButton);
    EXPECT_EQ(pair.okButton->x, 412);
    EXPECT_EQ(pair.cancelButton->x, 532);
    for (QV_MessageBoxButton* button : {pair.okButton, pair.cancelButton}) {
        EXPECT_EQ(button->y, 384);
        EXPECT_EQ(button->width, 80);
        EXPECT_EQ(button->height, 30);
        EXPECT_EQ(button->pressCount, 0);
    }
    EXPECT_EQ(pair.okButton->caption->text, L"确定");
    EXPECT_EQ(pair.cancelButton->caption->text, L"取消");
    EXPECT_NE(pair.backgroundTexture, 0u);
    EXPECT_FALSE(pair.closed);
    EXPECT_FALSE(pair.accepted);

    QV_MessageBox alone(L"请输入3--8的维度值", false);
    EXPECT_EQ(alone.childCount, 2);
    EXPECT_EQ(alone.cancelButton, nullptr);
    EXPECT_EQ(alone.okButton->x, 472);
    EXPECT_EQ(alone.okButton->caption->text, L"确定");

    // Wider than the window: starts at the left edge, so that its beginning can be read.
    std::wstring wide(80, L'长');
    QV_MessageBox tooWide(wide.c_str(), false);
    QV_Label* wideLabel = dynamic_cast<QV_Label*>(tooWide.firstChild->child);
    ASSERT_GT(wideLabel->texture->textWidth, 1024);
    EXPECT_EQ(wideLabel->x, 0);
}

TEST_F(MessageBoxTest, ABoxButtonCountsReleasesInsideAndNeverFiresItsClickList) {
    QV_MessageBoxButton button(L"确定", 412);
    Spy spy(&log, "ok");
    Bind(button.mouseUpHandlers, &spy, &Spy::Up);
    Bind(button.mouseDownHandlers, &spy, &Spy::Down);
    inputState.mouseX = 452;
    inputState.mouseY = 399;
    EXPECT_TRUE(button.OnMouseDown());
    EXPECT_EQ(button.state, ButtonState::Pressed);
    EXPECT_TRUE(button.OnMouseUp());
    EXPECT_EQ(button.pressCount, 1);
    EXPECT_EQ(button.state, ButtonState::Pressed) << "a release inside leaves the state alone";

    // Released outside without a move in between: back to Normal, not counted.
    inputState.mouseX = 300;
    EXPECT_FALSE(button.OnMouseUp());
    EXPECT_EQ(button.state, ButtonState::Normal);
    EXPECT_EQ(button.pressCount, 1);

    button.enabled = false;
    inputState.mouseX = 452;
    EXPECT_FALSE(button.OnMouseUp());
    EXPECT_EQ(button.pressCount, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"ok:down"})) << "only the press list fires";
}

TEST_F(MessageBoxTest, DimsEverythingToAQuarterAndShowsYellowCentredText) {
    Add(new QV_Button(L"", 100));
    QV_Label* white = Add(new QV_Label(L"底", 700, 600));
    Frame before = Render();

    QV_MessageBox* box = new QV_MessageBox(L"请输入3--8的维度值", true);
    Manager().messageBox = box;
    Manager().messageBoxOpen = true;
    Frame frame = Render();
    Manager().messageBox = nullptr;
    Manager().messageBoxOpen = false;

    // The button and the label underneath at a quarter of their brightness.
    const int probes[][2] = {{110, 385}, {110, 399}};
    for (const auto& p : probes) {
        const uint8_t* was = before.At(p[0], p[1]);
        EXPECT_TRUE(PixelIs(frame, p[0], p[1], was[0] / 4, was[1] / 4, was[2] / 4, 2))
            << "dimmed from " << int(was[0]) << ", " << int(was[1]) << ", " << int(was[2]);
    }
    const int ww = white->texture->textWidth, wh = white->texture->textHeight;
    EXPECT_GT(CountPixels(before, 700, 600, ww, wh, 255, 255, 255), 5);
    EXPECT_EQ(CountBright(frame, 700, 600, ww, wh, 66), 0) << "nothing brighter than a quarter";
    EXPECT_GT(CountPixels(frame, 700, 600, ww, wh, 64, 64, 64), 5) << "white became a quarter grey";

    // The text: yellow, its ink centred on x = 512, from y = 284.
    QV_Label* label = dynamic_cast<QV_Label*>(box->firstChild->child);
    const int th = label->texture->textHeight;
    int left = 1024, right = -1, top = 768;
    for (int y = 270; y < 284 + th + 10; ++y)
        for (int x = 0; x < 1024; ++x) {
            const uint8_t* p = frame.At(x, y);
            if (p[0] > 200 && p[1] > 200 && p[2] < 60) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
            }
        }
    ASSERT_GE(right, 0) << "no yellow text found";
    EXPECT_NEAR((left + right) / 2.0, 512.0, 4.0) << "ink from " << left << " to " << right;
    EXPECT_GE(top, 284);
    EXPECT_GT(CountPixels(frame, left, 284, right - left + 1, th, 255, 255, 0), 20) << "pure yellow cores";
    EXPECT_EQ(CountPixels(frame, 0, 284, 1024, th, 255, 255, 255, 30), 0) << "no white in the text";

    // The buttons on top are not dimmed.
    EXPECT_TRUE(PixelIs(frame, 420, 385, 0, 102, 255)) << "OK outline";
    EXPECT_TRUE(PixelIs(frame, 540, 385, 0, 102, 255)) << "Cancel outline";
    EXPECT_TRUE(PixelIs(frame, 420, 399, 6, 6, 64)) << "OK fill";
    EXPECT_TRUE(SaveRegion(frame, 0, 0, 1024, 768, 1, PicturePath("toolkit-messagebox.png")));
    delete box;
}

TEST_F(MessageBoxTest, ReleasingOverOkAnswersTrueAndOverCancelFalse) {
    PostClick(okX, buttonY);
    EXPECT_TRUE(Ask(true));
    ExpectManagerClear();

    PostClick(cancelX, buttonY);
    EXPECT_FALSE(Ask(true));
    ExpectManagerClear();

    // The right button answers as well.
    PostMove(okX, buttonY);
    Post(WM_RBUTTONDOWN, 0, MAKELPARAM(okX, buttonY));
    Post(WM_RBUTTONUP, 0, MAKELPARAM(okX, buttonY));
    EXPECT_TRUE(Ask(true));
    EXPECT_EQ(platform_testing::QueuedMessageCount(), 0u) << "the loop drained every message";
}

TEST_F(MessageBoxTest, OnlyTheReleaseDecidesNotThePress) {
    // Pressed outside the buttons, released over OK.
    PostMove(100, 100);
    Post(WM_LBUTTONDOWN, 0, MAKELPARAM(100, 100));
    PostRelease(okX, buttonY);
    EXPECT_TRUE(Ask(true));

    // Pressed on Cancel, released over OK.
    PostMove(cancelX, buttonY);
    Post(WM_LBUTTONDOWN, 0, MAKELPARAM(cancelX, buttonY));
    PostRelease(okX, buttonY);
    EXPECT_TRUE(Ask(true));
}

TEST_F(MessageBoxTest, AReleaseElsewhereLeavesTheBoxOpenAndOkNormal) {
    bool observed = false;
    scripted->steps.push_back([] {
        PostMove(okX, buttonY);
        Post(WM_LBUTTONDOWN, 0, MAKELPARAM(okX, buttonY));
        PostRelease(300, 300);      // the dimmed background
        PostRelease(512, 295);      // the message text
        PostRelease(okX + 40, 399); // OK's right edge
    });
    scripted->steps.push_back([&] {
        QV_MessageBox* box = Manager().messageBox;
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(Manager().messageBoxOpen);
        EXPECT_FALSE(box->closed);
        EXPECT_EQ(box->okButton->state, ButtonState::Normal);
        EXPECT_EQ(box->okButton->pressCount, 0);
        EXPECT_EQ(box->cancelButton->pressCount, 0);
        observed = true;
        PostRelease(cancelX, buttonY);
    });
    EXPECT_FALSE(Ask(true));
    EXPECT_TRUE(observed) << "the second frame of the loop was drawn";
    EXPECT_EQ(scripted->frames, 2);
    ExpectManagerClear();
}

TEST_F(MessageBoxTest, WithOkAloneOnlyOkAnswers) {
    bool observed = false;
    scripted->steps.push_back([] {
        PostClick(cancelX, buttonY); // where Cancel would be
        PostClick(okX, buttonY);     // where OK is when there is a Cancel: left of the lone OK
    });
    scripted->steps.push_back([&] {
        ASSERT_NE(Manager().messageBox, nullptr);
        EXPECT_FALSE(Manager().messageBox->closed);
        EXPECT_EQ(Manager().messageBox->cancelButton, nullptr);
        observed = true;
        PostClick(aloneX, buttonY);
    });
    EXPECT_TRUE(Ask(false));
    EXPECT_TRUE(observed);
}

TEST_F(MessageBoxTest, KeysAndWheelWhileOpenReachNoControlButTheKeyTable) {
    QV_TextBox* field = Add(new QV_TextBox());
    Spy spy(&log, "screen");
    Bind(screen->keyDownHandlers, &spy, &Spy::Down);
    Bind(screen->mouseDownHandlers, &spy, &Spy::Changed);
    scripted->wheelLog = &log;
    Click(200, 25);
    Type(L"12");
    ASSERT_EQ(field->text, L"12");
    log.clear();
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    ASSERT_EQ(log, std::vector<std::string>{"screen:wheel 120"}) << "a wheel turn reaches the screen";
    log.clear();

    bool observed = false;
    scripted->steps.push_back([] {
        Post(WM_KEYDOWN, '3', 0);
        Post(WM_CHAR, '3', 0);
        Post(WM_CHAR, 8, 0);
        Post(WM_KEYDOWN, VK_LEFT, 0);
        Post(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    });
    scripted->steps.push_back([&] {
        EXPECT_TRUE(inputState.keys['3']) << "the key table still records keys";
        EXPECT_TRUE(inputState.keys[VK_LEFT]);
        observed = true;
        PostClick(okX, buttonY);
    });
    EXPECT_TRUE(Ask(true));
    EXPECT_TRUE(observed);
    EXPECT_EQ(field->text, L"12");
    EXPECT_EQ(field->caret, 2);
    EXPECT_TRUE(log.empty()) << "the screen saw " << log.size() << " events while the box was open, first "
                             << (log.empty() ? "" : log.front());
}

TEST_F(MessageBoxTest, WhileOpenTheScreenIsDrawnButNotUpdatedAndUpdatesAgainAfterwards) {
    scripted->steps.push_back([] {});
    scripted->steps.push_back([] {});
    scripted->steps.push_back([] { PostClick(okX, buttonY); });
    const int framesLeft = application->frameCounter->framesLeft;
    EXPECT_TRUE(Ask(true));
    EXPECT_EQ(scripted->frames, 3) << "one frame per pass of the loop";
    EXPECT_EQ(application->frameCounter->framesLeft, framesLeft - 3) << "every frame was counted";
    EXPECT_EQ(scripted->updates, 0);
    ExpectManagerClear();

    EXPECT_TRUE(FrameStep());
    EXPECT_EQ(scripted->updates, 1) << "the frame step updates the screen again";
}

TEST_F(MessageBoxTest, WhilePausedTheLoopSleepsInsteadOfDrawing) {
    // The window is inactive when the box opens; it is activated by the first message drained.
    inputState.paused = true;
    Post(WM_ACTIVATEAPP, 1, 0);
    scripted->steps.push_back([] { PostClick(okX, buttonY); });
    const uint32_t start = GetTickCount();
    EXPECT_TRUE(Ask(true));
    EXPECT_EQ(GetTickCount() - start, 300u) << "the first pass slept 300 ms (manual clock)";
    EXPECT_EQ(scripted->frames, 1) << "only the pass after the activation drew";
}

TEST_F(MessageBoxTest, AQuitTakenWhileOpenEndsTheLoopWithFalseAndStaysPending) {
    PostMove(okX, buttonY);
    PostQuitMessage(7);
    EXPECT_FALSE(Ask(true));
    ExpectManagerClear();
    EXPECT_TRUE(platform_testing::QuitPending()) << "the quit is there for the main loop";
    int exitCode = -1;
    EXPECT_FALSE(DrainMessages(&exitCode));
    EXPECT_EQ(exitCode, 7);
    EXPECT_LE(scripted->frames, 1);
}

TEST_F(MessageBoxTest, ClosingTheWindowWhileOpenEndsTheLoopAndTheProgram) {
    scripted->steps.push_back([] { Post(WM_CLOSE); });
    EXPECT_FALSE(Ask(true));
    ExpectManagerClear();
    EXPECT_FALSE(IsWindow(mainWindow)) << "the default handling destroyed the window";
    EXPECT_TRUE(platform_testing::QuitPending());
    EXPECT_EQ(scripted->frames, 1) << "no frame after the window went";
    int exitCode = -1;
    EXPECT_FALSE(DrainMessages(&exitCode));
    EXPECT_EQ(exitCode, 0);
}

TEST_F(MessageBoxTest, AWindowDestroyedWithoutAQuitEndsTheLoopToo) {
    scripted->steps.push_back([] { DestroyWindow(mainWindow); });
    // Should a second frame be drawn, end the loop with a quit rather than hang the test.
    scripted->steps.push_back([] { PostQuitMessage(9); });
    EXPECT_FALSE(Ask(true));
    ExpectManagerClear();
    EXPECT_EQ(scripted->frames, 1) << "no frame drawn without a window";
    EXPECT_FALSE(platform_testing::QuitPending()) << "no quit is made up";
}

TEST_F(MessageBoxTest, EveryBoxGivesBackItsTextureAndGdiObjects) {
    const platform_testing::LiveObjects before = platform_testing::CountLiveObjects();
    std::vector<GLuint> backgrounds;
    for (int i = 0; i < 3; ++i) {
        scripted->steps.push_back([&] {
            ASSERT_NE(Manager().messageBox, nullptr);
            backgrounds.push_back(Manager().messageBox->backgroundTexture);
            PostClick(i % 2 ? okX : cancelX, buttonY);
        });
        Ask(true);
    }
    ASSERT_EQ(backgrounds.size(), 3u);
    for (GLuint texture : backgrounds)
        EXPECT_EQ(glIsTexture(texture), GL_FALSE) << "background texture " << texture << " still exists";
    const platform_testing::LiveObjects after = platform_testing::CountLiveObjects();
    EXPECT_EQ(after.fonts, before.fonts);
    EXPECT_EQ(after.bitmaps, before.bitmaps);
    EXPECT_EQ(after.brushes, before.brushes);
    EXPECT_EQ(after.deviceContexts, before.deviceContexts);
}

// A click handler that asks a question, as the generate button's handler does.
class Asker {
public:
    explicit Asker(std::vector<std::string>* log) : log(log) {}
    void Ask(QV_Controller*) {
        log->push_back("ask");
        answers.push_back(ShowMessageBox(application->screenManager, L"真的要试试？", true));
        log->push_back(answers.back() ? "answer:ok" : "answer:cancel");
        boxOpenAfter = application->screenManager->messageBoxOpen;
    }
    void After(QV_Controller*) { log->push_back("after"); }

    std::vector<std::string>* log; // not owned
    std::vector<bool> answers;
    bool boxOpenAfter = true;
};

TEST_F(MessageBoxTest, AClickHandlerAsksAndTheDispatchCarriesOnAfterTheAnswer) {
    QV_Button* button = Add(new QV_Button(L"问", 100));
    QV_Button* next = Add(new QV_Button(L"next", 100)); // under the first: the click stops at the first
    Spy nextSpy(&log, "next");
    Bind(next->mouseUpHandlers, &nextSpy, &Spy::Up);
    Asker asker(&log);
    Bind(button->mouseUpHandlers, &asker, &Asker::Ask);
    Bind(button->mouseUpHandlers, &asker, &Asker::After);
    Spy screenSpy(&log, "screen");
    Bind(screen->mouseUpHandlers, &screenSpy, &Spy::Up);

    PostClick(cancelX, buttonY); // waiting in the queue for the box
    Click(140, 399);             // the release runs the handler, which opens the box
    EXPECT_EQ(log, (std::vector<std::string>{"screen:up", "ask", "answer:cancel", "after"}));
    EXPECT_FALSE(asker.boxOpenAfter);
    EXPECT_EQ(button->state, ButtonState::Normal);

    // Again, answered with OK; the box is a new one each time.
    log.clear();
    PostClick(okX, buttonY);
    Click(140, 399);
    EXPECT_EQ(log, (std::vector<std::string>{"screen:up", "ask", "answer:ok", "after"}));
    ASSERT_EQ(asker.answers.size(), 2u);
    ExpectManagerClear();
}

TEST_F(MessageBoxTest, ClosingTheWindowDuringAQuestionEndsTheMainLoopWithCodeZero) {
    QV_Button* button = Add(new QV_Button(L"问", 100));
    Asker asker(&log);
    Bind(button->mouseUpHandlers, &asker, &Asker::Ask);
    Bind(button->mouseUpHandlers, &asker, &Asker::After);

    // The user clicks the button and then closes the window while the question is showing.
    PostClick(140, 399);
    Post(WM_CLOSE);
    int steps = 0;
    while (FrameStep() && steps < 20)
        ++steps;
    EXPECT_EQ(steps, 0) << "the main loop took the quit in the same drain as the click";
    EXPECT_EQ(log, (std::vector<std::string>{"ask", "answer:cancel", "after"}));
    EXPECT_FALSE(IsWindow(mainWindow));
    EXPECT_FALSE(platform_testing::QuitPending()) << "the main loop took it";
}

} // namespace
