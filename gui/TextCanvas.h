// The GDI side of a text texture: a memory DC, the DIB section the text is drawn into, and its tools.
#pragma once

#include "gui/FontSpec.h"
#include "platform/Win32.h"

#include <cstdint>

class CanvasTools;

// A text's measured size and the sides of the bitmap it was drawn into: the smallest powers of two
// that hold it (0 for an empty text), or 0 and `refused` when the layer refused a bitmap that large.
struct TextLayout {
    int32_t textWidth = 0;
    int32_t textHeight = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool refused = false;
};

class TextCanvas {
public:
    // A memory DC with the white brush and the default font (FontSpec's) selected; no bitmap.
    TextCanvas();
    // Releases the DC, the font, the brush, the DIB section and the row table.
    ~TextCanvas();
    TextCanvas(const TextCanvas&) = delete;
    TextCanvas& operator=(const TextCanvas&) = delete;

    // Creates the font `wanted` describes, selects it and deletes the font it replaces.
    void ApplyFont(const FontSpec& wanted);
    // Measures the zero-terminated text in the current font, replaces the DIB section by a white one
    // of the layout's sides and draws the text at its top-left corner; the rest stays white. With a
    // width or height of 0 in the layout there are no pixels to read.
    TextLayout Draw(const WCHAR* text);
    // Makes the DIB section white and of the given size: the one it has when it is that size already,
    // otherwise a new one, with `rows` rebuilt.
    void Resize(int32_t height, int32_t width);
    // Swaps the DIB section for a 1 x 1 one once its pixels have been uploaded. Nothing reads them
    // again: the next Render makes a new section of its own size before drawing. A hypercube's face
    // labels would otherwise keep one section each for as long as the hypercube is shown.
    void ReleasePixels();

    HDC dc = nullptr;             // owned: memory DC compatible with the screen
    HBITMAP bitmap = nullptr;     // owned: the DIB section selected into dc; null until the first Resize
    CanvasTools* tools = nullptr; // owned: font and brush
    uint8_t** rows = nullptr;     // owned array: start of each DIB row, top row first; null until Resize

private:
    int32_t sectionHeight = 0; // of the DIB section `bitmap`, when Resize made it
    int32_t sectionWidth = 0;
};

// The smallest power of two not less than n; 0 for n = 0.
int32_t NextPowerOfTwo(int32_t n);
