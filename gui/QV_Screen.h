// A full-window page of controls: the root that receives the window's events, routes mouse events to
// its children first added first and key, character and wheel events to the focus child, and adds
// the 3-D pass Draw3D that runs before the overlay.
#pragma once

#include "gui/QV_Container.h"

class QV_Screen : public QV_Container {
public:
    QV_Screen() = default;
    ~QV_Screen() override = default;

    // Updates every child, first to last, whatever its flags.
    void Update() override;

    // Mouse routing: the screen's own list first, then the enabled and visible children in the order
    // they were added, stopping at the first that reports the event handled.
    bool OnMouseDown() override;
    bool OnMouseUp() override;
    bool OnMouseMove() override;

    // Focus routing: the screen's own list first (none for characters), then the focus child when
    // it is enabled and visible.
    void OnMouseWheel(uint32_t* delta) override;
    void OnKeyDown() override;
    void OnKeyUp() override;
    void OnChar(uint32_t* character) override;

    // Slot 10: the 3-D pass, before the overlay. Empty here.
    virtual void Draw3D() {}
    // The colour the frame is cleared to before Draw3D, red, green and blue from 0 to 1. Black here.
    virtual void BackgroundColour(float rgb[3]) const { rgb[0] = rgb[1] = rgb[2] = 0.0f; }

    SenderHandlerList keyDownHandlers;
    SenderHandlerList keyUpHandlers;
    SenderPointerHandlerList<uint32_t*> wheelHandlers;
    SenderHandlerList mouseMoveHandlers;

private:
    // The dispatch position is a local of each call rather than a field: a handler may open a modal
    // loop that dispatches again, and each dispatch must resume from its own place.
    bool RouteMouse(bool (QV_Controller::*slot)());
    QV_Controller* FocusTarget() const;
};
