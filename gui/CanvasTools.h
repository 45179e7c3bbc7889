// The GDI tools of one text canvas: its font and its white brush, both selected into its DC.
#pragma once

#include "platform/Win32.h"

class CanvasTools {
public:
    // Creates the white brush and selects it into `canvasDc`; the font is set by the canvas.
    explicit CanvasTools(HDC canvasDc);
    // Deletes the font and the brush. The DC must be gone, or hold other objects, by then: GDI
    // refuses to delete selected objects.
    ~CanvasTools();
    CanvasTools(const CanvasTools&) = delete;
    CanvasTools& operator=(const CanvasTools&) = delete;

    HFONT font = nullptr;   // owned: the font selected into dc
    HBRUSH brush = nullptr; // owned: white, selected into dc, used for every fill
    HDC dc = nullptr;       // not owned: the canvas's DC
};
