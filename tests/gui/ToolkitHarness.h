// Shared pieces of the toolkit tests: a screen that counts its updates, a spy whose member
// functions are bound as handlers, handlers that count their own deletion, and drawing helpers.
#pragma once

#include "gui/ButtonLook.h"
#include "gui/QV_Container.h"
#include "gui/QV_MemberFunction.h"
#include "gui/QV_Screen.h"
#include "tests/support/AppFixture.h"
#include "tests/support/GlTestContext.h"

#include <map>
#include <ostream>
#include <string>
#include <vector>

inline void PrintTo(ButtonState state, std::ostream* out) {
    static const char* const names[] = {"Normal", "Hover", "Pressed"};
    const int value = static_cast<int>(state);
    *out << (value >= 0 && value <= 2 ? names[value] : "?") << " (" << value << ")";
}

// A page of controls that counts how often the frame step updated it.
class CountingScreen : public QV_Screen {
public:
    void Update() override {
        ++updates;
        QV_Screen::Update();
    }
    int updates = 0;
};

// A plain container to nest controls in (containers are abstract only for Update).
class Panel : public QV_Container {
public:
    Panel(int32_t px, int32_t py) {
        x = px;
        y = py;
    }
    void Update() override {}
};

// Records every handler call as "<name>:<event>" in one shared log, so that order across lists and
// objects can be checked.
class Spy {
public:
    Spy(std::vector<std::string>* log, std::string name) : log(log), name(std::move(name)) {}

    void Down(QV_Controller* sender) { Record("down", sender); }
    void Up(QV_Controller* sender) { Record("up", sender); }
    void Enter(QV_Controller* sender) { Record("enter", sender); }
    void Leave(QV_Controller* sender) { Record("leave", sender); }
    void Changed(QV_Controller* sender) { Record("changed", sender); }
    void Checked(QV_Controller* sender, bool* value) {
        Record(*value ? "checked=1" : "checked=0", sender);
        checkedPointer = value;
    }

    int Count(const std::string& event) const {
        int n = 0;
        for (const std::string& entry : *log)
            n += entry == name + ":" + event;
        return n;
    }

    std::vector<std::string>* log; // not owned
    std::string name;
    std::vector<QV_Controller*> senders;
    bool* checkedPointer = nullptr;

private:
    void Record(const char* event, QV_Controller* sender) {
        log->push_back(name + ":" + event);
        senders.push_back(sender);
    }
};

// Binds a spy's member function to a list, as application code does.
template <class T> void Bind(SenderHandlerList& list, T* target, void (T::*method)(QV_Controller*)) {
    AddHandler(list, static_cast<SenderHandler*>(new QV_MemberFunction<T, QV_Controller*>(target, method)));
}
template <class T>
void Bind(SenderPointerHandlerList<bool*>& list, T* target, void (T::*method)(QV_Controller*, bool*)) {
    AddHandler(list, static_cast<SenderPointerHandler<bool*>*>(
                         new QV_MemberFunction<T, QV_Controller*, bool*>(target, method)));
}

// A handler that notes its own deletion under an id, to prove every handler is deleted exactly once.
class CountedHandler : public QV_MemberFunction<Spy, QV_Controller*> {
public:
    CountedHandler(Spy* target, void (Spy::*method)(QV_Controller*), std::map<int, int>* deletions, int id)
        : QV_MemberFunction<Spy, QV_Controller*>(target, method), deletions(deletions), id(id) {}
    ~CountedHandler() override { ++(*deletions)[id]; }

    std::map<int, int>* deletions; // not owned
    int id;
};

// The application fixture with a page of controls installed as the active screen and the frame
// counter switched off, so that frames show only what the test put there.
class ToolkitFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        if (HasFatalFailure())
            return;
        application->showFrameCounter = false;
        screen = InstallScreen(new CountingScreen());
    }

    template <class Control> Control* Add(Control* control) {
        screen->AddChild(control);
        return control;
    }

    // Draws one frame through the real frame code and reads it back.
    static Frame Render() {
        DrawFrame();
        return ReadFrame();
    }

    static void Press(int x, int y) {
        MoveMouse(x, y);
        Send(WM_LBUTTONDOWN, 0, MAKELPARAM(x, y));
    }
    static void Release(int x, int y) {
        MoveMouse(x, y);
        Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    static void RightClick(int x, int y) {
        MoveMouse(x, y);
        Send(WM_RBUTTONDOWN, 0, MAKELPARAM(x, y));
        Send(WM_RBUTTONUP, 0, MAKELPARAM(x, y));
    }
    static void KeyDown(WPARAM key) { Send(WM_KEYDOWN, key, 0); }
    static void KeyUp(WPARAM key) { Send(WM_KEYUP, key, 0); }
    static void Tap(WPARAM key) {
        KeyDown(key);
        KeyUp(key);
    }

    CountingScreen* screen = nullptr; // owned by the screen manager
    std::vector<std::string> log;
};

// Pixel colour checks with the values printed on failure.
::testing::AssertionResult PixelIs(const Frame& frame, int x, int y, int r, int g, int b, int tolerance = 3);
// The colour float f of the colour tables blended with alpha a over the black clear colour, as a byte.
int OverBlack(float f, float a = 1.0f);
// Writes a region of the frame, enlarged `scale` times, to a PNG for looking at.
bool SaveRegion(const Frame& frame, int x, int y, int w, int h, int scale, const std::string& path);
// Pixels in the region that match the colour within the tolerance.
int CountPixels(const Frame& frame, int x, int y, int w, int h, int r, int g, int b, int tolerance = 3);
// The number of pixels in the region whose brightest channel is above `level`.
int CountBright(const Frame& frame, int x, int y, int w, int h, int level);
