// Drives the running viewer with a stream of window messages chosen by a DecisionSource (a random
// stream in the monkey test, the fuzzer's bytes in the fuzz target) and checks the program's
// invariants before every dispatched message and after every frame step. It answers any message box
// the stream opens, so a run never waits for a user, and never presses Escape, so it is never cut short.
#pragma once

#include "platform/Win32.h"

#include <cstdint>
#include <random>
#include <string>

class CTessary;
class ScreenManager;
class TextTexture;

// Where the driver's choices come from.
class DecisionSource {
public:
    virtual ~DecisionSource() = default;
    // A value from 0 to bound - 1 (bound >= 1).
    virtual uint32_t Pick(uint32_t bound) = 0;
    // True when the source has nothing more to say; the driver then stops posting.
    virtual bool Exhausted() const = 0;
};

// Decisions from a Mersenne twister started at a fixed case number, so every run repeats exactly.
class RandomDecisions : public DecisionSource {
public:
    explicit RandomDecisions(uint32_t caseNumber) : engine(caseNumber) {}
    uint32_t Pick(uint32_t bound) override;
    bool Exhausted() const override { return false; }

private:
    std::mt19937 engine;
};

// Decisions read from a byte string, one or two bytes each; exhausted at the end of the bytes.
class ByteDecisions : public DecisionSource {
public:
    ByteDecisions(const uint8_t* data, size_t size) : data(data), size(size) {}
    uint32_t Pick(uint32_t bound) override;
    bool Exhausted() const override { return position >= size; }

private:
    const uint8_t* data; // not owned
    size_t size;
    size_t position = 0;
};

// The largest wheel delta the driver ever sends in one message: one notch.
constexpr int maxWheelDelta = 120;

class MonkeyDriver {
public:
    // The viewer must be the active screen of the application's manager and stay so for the run.
    MonkeyDriver(CTessary* viewer, DecisionSource& decisions);
    ~MonkeyDriver();
    MonkeyDriver(const MonkeyDriver&) = delete;
    MonkeyDriver& operator=(const MonkeyDriver&) = delete;

    // Replaces the manager's first screen with a new viewer, makes it current and clears the input
    // state and queue: how every fuzz input starts. The new viewer's model takes the old one's face
    // labels, which are the textures its first build would make (label m reads m whatever the cube),
    // and keeps those a smaller cube does not show: rasterising the 8-cube's 1,792 labels again for
    // every input that builds it took most of the fuzz session. Returns the new viewer, which the
    // manager owns.
    static CTessary* FreshViewer(ScreenManager* manager);

    // Posts up to `messages` messages in batches, one frame step after each batch, until the count
    // is reached, the source is exhausted or an invariant fails. Returns false on a failure or an
    // unexpected quit; Failure() then says what went wrong.
    bool Run(long messages);

    // Checks every invariant of the viewer's state; empty when all hold. `topLevel` is true between
    // frame steps, where no message box may be open.
    std::string CheckInvariants(bool topLevel);

    const std::string& Failure() const { return failure; }
    long MessagesPosted() const { return posted; }
    long MessagesDispatched() const { return dispatched; }
    long BoxesAnswered() const { return boxesAnswered; }
    long FramesStepped() const { return frames; }

private:
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void PostOneEvent();
    void PostKey();
    void PostCharacter();
    void PostMouseMove();
    void PostButton();
    void PostWheel();
    void PostFocusChange();
    void PostGenerate();
    void PostClickAt(int x, int y);
    void OnDispatch(const MSG& message);
    void AnswerOpenBox();
    std::string CheckTextBox();

    CTessary* viewer;             // not owned
    ScreenManager* manager;       // not owned
    DecisionSource& decisions;    // not owned
    TextTexture* probe = nullptr; // owned: measures text in the entry field's font
    std::wstring measuredText;    // the text last measured by the probe, and its result
    int32_t measuredWidth = 0;
    std::string failure;
    long posted = 0;
    long dispatched = 0;
    long boxesAnswered = 0;
    long frames = 0;
    bool answering = false; // an answer to the open box is already in the queue
};
