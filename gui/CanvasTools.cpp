#include "gui/CanvasTools.h"

CanvasTools::CanvasTools(HDC canvasDc) : brush(CreateSolidBrush(RGB(255, 255, 255))), dc(canvasDc) {
    // The DC's own default brush is a stock object, which needs no deleting.
    SelectObject(dc, brush);
}

CanvasTools::~CanvasTools() {
    DeleteObject(font);
    DeleteObject(brush);
}
