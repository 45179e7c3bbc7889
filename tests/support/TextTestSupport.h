// Helpers shared by the text tests: a memory DC with a 24-bit DIB selected, fonts, object counts,
// extents.
#pragma once

#include "platform/Win32.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Live objects of the GDI layer.
struct GdiCounts {
    int memoryDcs = 0;
    int fonts = 0;
    int brushes = 0;
    int bitmaps = 0;
    bool operator==(const GdiCounts&) const = default;
};
GdiCounts CountGdi();

// A memory DC with a top-down 24-bit DIB section of the given size selected into it, filled white.
class DibCanvas {
public:
    DibCanvas(int width, int height);
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    const uint8_t* Pixel(int x, int y) const { return bits + static_cast<size_t>(y) * stride + 3 * x; }
    uint8_t Red(int x, int y) const { return Pixel(x, y)[2]; }
    // Pixels darker than white inside the rectangle [left, right) x [top, bottom).
    int InkIn(int left, int top, int right, int bottom) const;
    void Fill(COLORREF colour);
    // Selects a font for the canvas; the canvas deletes it with itself.
    void UseFont(HFONT font);

    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HFONT font = nullptr;
    uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    size_t stride = 0;
};

// The font the program's text canvases create for a face and point size (weight 700 unless regular).
HFONT CreateProgramFont(const WCHAR* face, int pointSize, bool regularWeight = false);

// GetTextExtentPoint32W of the run, which must succeed.
SIZE Measure(HDC dc, const WCHAR* text, int length);
SIZE Measure(HDC dc, const std::wstring& text);
