// The objects behind the GDI handles: memory device contexts, fonts, brushes and bitmaps.
//
// A handle is the address of one of these objects. Every object the layer hands out is recorded
// until it is deleted, so a stale or foreign handle is recognised and refused instead of followed.
// Each memory DC starts with stock objects selected (a 1 x 1 monochrome bitmap, the system font and a
// white brush), as on Windows; they are never counted as live and deleting them does nothing.
#pragma once

#include "platform/Win32.h"
#include "platform/gdi/DibSurface.h"
#include "platform/gdi/FontResolver.h"

#include <cstdint>
#include <memory>
#include <utility>

namespace platform_gdi {

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
        : GdiObject(ObjectKind::Font, isStock) {
        text.description = description;
    }

    TextFont text; // the description, and the face it resolved to
};

struct GdiBrush : GdiObject {
    explicit GdiBrush(COLORREF brushColour, bool isStock = false)
        : GdiObject(ObjectKind::Brush, isStock), colour(brushColour) {}

    COLORREF colour;
};

struct GdiBitmap : GdiObject {
    GdiBitmap(int width, int height, int bitsPerPixel, bool topDown, bool isStock = false)
        : GdiObject(ObjectKind::Bitmap, isStock), surface(width, height, bitsPerPixel, topDown) {}

    DibSurface surface;
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
