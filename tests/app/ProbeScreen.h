// A screen that records which slots were called and what InputState looked like at that moment.
#pragma once

#include "app/InputState.h"
#include "gui/QV_Screen.h"

#include <string>
#include <vector>

class ProbeScreen : public QV_Screen {
public:
    struct Call {
        std::string slot;
        InputState input; // the state the receiver saw
        uint32_t argument = 0;
    };

    explicit ProbeScreen(std::vector<std::string>* deletions = nullptr, std::string name = "probe")
        : deletions(deletions), name(std::move(name)) {}
    ~ProbeScreen() override {
        if (deletions)
            deletions->push_back(name);
    }

    void Draw() override { Record("Draw"); }
    void Update() override { Record("Update"); }
    void Draw3D() override { Record("Draw3D"); }
    bool OnMouseDown() override { return Record("OnMouseDown"); }
    bool OnMouseUp() override { return Record("OnMouseUp"); }
    bool OnMouseMove() override { return Record("OnMouseMove"); }
    void OnMouseWheel(uint32_t* delta) override { Record("OnMouseWheel", *delta); }
    void OnKeyDown() override { Record("OnKeyDown"); }
    void OnKeyUp() override { Record("OnKeyUp"); }
    void OnChar(uint32_t* character) override { Record("OnChar", *character); }

    int Count(const std::string& slot) const {
        int n = 0;
        for (const Call& call : calls)
            n += call.slot == slot;
        return n;
    }
    // The slots called, in order, leaving out the per-frame drawing and updating.
    std::vector<std::string> EventSlots() const {
        std::vector<std::string> slots;
        for (const Call& call : calls)
            if (call.slot != "Draw" && call.slot != "Draw3D" && call.slot != "Update")
                slots.push_back(call.slot);
        return slots;
    }

    std::vector<Call> calls;
    std::vector<std::string>* deletions; // not owned
    std::string name;

private:
    bool Record(const char* slot, uint32_t argument = 0) {
        calls.push_back({slot, inputState, argument});
        return false;
    }
};
