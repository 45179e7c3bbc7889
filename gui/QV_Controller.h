// The base of every element of the toolkit: position, parent, flags, the fixed set of virtual slots
// through which the frame loop and the window procedure drive it, and the four mouse handler lists.
//
// Slot order (the destructor is slot 0):
//   1 Draw  2 Update  3 OnMouseDown  4 OnMouseUp  5 OnMouseMove  6 OnMouseWheel  7 OnKeyDown
//   8 OnKeyUp  9 OnChar  (10 Draw3D is declared by QV_Screen)
// Events carry no coordinates or key codes: receivers read the process-wide InputState.
#pragma once

#include "gui/HandlerList.h"
#include "gui/QV_FunctionInterface.h"

#include <cstdint>

class QV_Controller;

// A callback that receives the sender, and one that also receives a pointer (the check box's flag,
// the screen's wheel delta).
using SenderHandler = QV_FunctionInterface<QV_Controller*>;
using SenderHandlerList = HandlerList<SenderHandler>;
template <class P> using SenderPointerHandler = QV_FunctionInterface<QV_Controller*, P>;
template <class P> using SenderPointerHandlerList = HandlerList<SenderPointerHandler<P>>;

class QV_Controller {
public:
    QV_Controller() = default;
    virtual ~QV_Controller() = default;
    QV_Controller(const QV_Controller&) = delete;
    QV_Controller& operator=(const QV_Controller&) = delete;

    virtual void Draw() = 0;
    virtual void Update() = 0;
    // The three mouse slots return whether the event was handled (for moves: the pointer is over
    // the element). The defaults return false, so a plain element never stops a screen's dispatch.
    virtual bool OnMouseDown() { return false; }
    virtual bool OnMouseUp() { return false; }
    virtual bool OnMouseMove() { return false; }
    // The pointed-to value holds the wheel delta in its low 16 bits, signed.
    virtual void OnMouseWheel(uint32_t* delta) { (void)delta; }
    virtual void OnKeyDown() {}
    virtual void OnKeyUp() {}
    // The pointed-to value holds one UTF-16 code unit.
    virtual void OnChar(uint32_t* character) { (void)character; }

    // Adds (LocalToScreen) or subtracts (ScreenToLocal) the positions of `ancestor` and of every
    // further ancestor up to the root; a null ancestor leaves the point as it is.
    static void LocalToScreen(const QV_Controller* ancestor, int32_t& x, int32_t& y);
    static void ScreenToLocal(const QV_Controller* ancestor, int32_t& x, int32_t& y);
    // The element's own top-left corner in overlay coordinates.
    void AbsolutePosition(int32_t& ax, int32_t& ay) const;
    // Whether the current pointer lies strictly inside the w x h rectangle at the element's
    // position: a control w pixels wide reacts to its columns 1 .. w - 1 only.
    bool HitTest(int32_t w, int32_t h) const;
    // The element at the top of the parent chain (the element itself when it has no parent).
    QV_Controller* Root();

    int32_t x = 0;
    int32_t y = 0;
    QV_Controller* parent = nullptr; // not owned: the container that owns this element
    SenderHandlerList mouseDownHandlers;
    SenderHandlerList mouseUpHandlers;
    SenderHandlerList mouseEnterHandlers;
    SenderHandlerList mouseLeaveHandlers;
    bool enabled = true;
    bool visible = true;
};
