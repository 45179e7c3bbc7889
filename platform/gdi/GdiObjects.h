// The objects behind the GDI handles: memory device contexts, fonts, brushes and bitmaps.
//
// A handle is the address of one of these objects. Every object the layer hands out is recorded
// until it is deleted, so a stale or foreign handle is recognised and refused instead of followed.
// Each memory DC starts with stock objects selected (a 1 x 1 monochrome bitmap, the system font and a
// white brush), as on Windows; they are never counted as live and deleting them does nothing.
#pragma once

#include "platform/Win32.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

namespace platform_gdi {

class FontMatch;

enum class ObjectKind : uint8_t { MemoryDc, Font, Brush, Bitmap };

struct GdiObject {
    GdiObject(ObjectKind objectKind, bool isStock) : kind(objectKind), stock(isStock) {}
    virtual ~GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    const ObjectKind kind;
    const bool stock;
    int selections = 0; // memory DCs this object is selected into; it cannot be deleted while > 0
};

struct GdiFont : GdiObject {
    explicit GdiFont(const LOGFONTW& description, bool isStock = false)
        : GdiObject(ObjectKind::Font, isStock), logFont(description) {}

    LOGFONTW logFont;
    // The font engine's match for logFont, valid while engineGeneration is the engine's current one.
    FontMatch* match = nullptr; // not owned: belongs to the font engine
    unsigned engineGeneration = 0;
};

struct GdiBrush : GdiObject {
    explicit GdiBrush(COLORREF brushColour, bool isStock = false)
        : GdiObject(ObjectKind::Brush, isStock), colour(brushColour) {}

    COLORREF colour;
};

struct GdiBitmap : GdiObject {
    GdiBitmap(int bitmapWidth, int bitmapHeight, int bits, bool isTopDown, bool isStock = false);

    // Start of row y counted from the top, whatever the order in memory.
    uint8_t* Row(int y) { return pixels.get() + static_cast<size_t>(topDown ? y : height - 1 - y) * stride; }
    // Whether the pixels can be drawn on (24 and 32 bits per pixel, blue-green-red order).
    bool Drawable() const { return bitsPerPixel == 24 || bitsPerPixel == 32; }
    // Sets the pixels of the rectangle, clipped to the bitmap, to the colour.
    void Fill(const RECT& area, COLORREF colour);
    // Mixes the colour into `count` pixels of row y from column x on, each with the weight of its
    // coverage / 255. Pixels outside `clip` or the bitmap are left alone.
    void BlendSpan(int x, int y, const uint8_t* coverage, int count, COLORREF colour, const RECT& clip);

    const int width;
    const int height;
    const int bitsPerPixel;
    const bool topDown;
    const size_t stride; // bytes per row, a multiple of 4
    // Owned, zero-filled at creation like a DIB section (calloc gets fresh pages already zeroed);
    // null when the memory could not be had.
    std::unique_ptr<uint8_t, void (*)(void*)> pixels;
};

struct MemoryDc : GdiObject {
    MemoryDc();

    GdiFont* font;     // not owned: the selected font
    GdiBrush* brush;   // not owned: the selected brush
    GdiBitmap* bitmap; // not owned: the selected bitmap
};

// Stock objects every new memory DC starts with.
GdiFont* StockFont();
GdiBrush* StockBrush();
GdiBitmap* StockBitmap();

// Records a new object as live; the registry owns it until DestroyObject.
void TrackObject(std::unique_ptr<GdiObject> owned);
template <class T> T* Track(std::unique_ptr<T> object) {
    T* raw = object.get();
    TrackObject(std::move(object));
    return raw;
}

// The live or stock object behind a handle, or null for anything else (null, deleted, foreign).
GdiObject* FindObject(const void* handle);
MemoryDc* FindMemoryDc(HDC dc);

// Destroys a live object; the caller has checked that it may go.
void DestroyObject(GdiObject* object);

int CountLive(ObjectKind kind);

} // namespace platform_gdi
