// gdi32's memory device contexts, brushes, DIB sections and object selection.
#include "platform/Win32.h"
#include "platform/gdi/GdiObjects.h"

#include <cstdint>
#include <memory>
#include <utility>

using namespace platform_gdi;

namespace {

constexpr int screenDotsPerInch = 96;
// The largest DIB section made: 256 MB of pixels.
constexpr uint64_t largestBitmapBytes = uint64_t(1) << 28;

// Puts `selected` in the DC's slot for its kind and returns the object it replaces.
template <class T> GdiObject* Replace(T*& slot, GdiObject* selected) {
    GdiObject* previous = slot;
    slot = static_cast<T*>(selected);
    return previous;
}

GdiObject* Selected(const MemoryDc& dc, ObjectKind kind) {
    switch (kind) {
    case ObjectKind::Font:
        return dc.font;
    case ObjectKind::Brush:
        return dc.brush;
    default:
        return dc.bitmap;
    }
}

template <class Handle> Handle HandleOf(GdiObject* object) {
    return reinterpret_cast<Handle>(object);
}

} // namespace

HDC WINAPI CreateCompatibleDC(HDC dc) {
    // Every DC is compatible with the 24-bit screen the layer pretends to have; `dc` only names it.
    (void)dc;
    return HandleOf<HDC>(Track(std::make_unique<MemoryDc>()));
}

BOOL WINAPI DeleteDC(HDC dc) {
    MemoryDc* memoryDc = FindMemoryDc(dc);
    if (!memoryDc)
        return FALSE;
    // The selected objects stay alive, now free to be deleted by their owner.
    memoryDc->font->selections--;
    memoryDc->brush->selections--;
    memoryDc->bitmap->selections--;
    DestroyObject(memoryDc);
    return TRUE;
}

HBRUSH WINAPI CreateSolidBrush(COLORREF colour) {
    return HandleOf<HBRUSH>(Track(std::make_unique<GdiBrush>(colour & 0x00FFFFFFu)));
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
    MemoryDc* memoryDc = FindMemoryDc(dc);
    GdiObject* selected = FindObject(object);
    if (!memoryDc || !selected || selected->kind == ObjectKind::MemoryDc)
        return nullptr;
    if (Selected(*memoryDc, selected->kind) == selected)
        return selected;
    // A bitmap can be selected into one DC at a time; fonts and brushes into any number.
    if (selected->kind == ObjectKind::Bitmap && !selected->stock && selected->selections > 0)
        return nullptr;
    GdiObject* previous = nullptr;
    if (selected->kind == ObjectKind::Font)
        previous = Replace(memoryDc->font, selected);
    else if (selected->kind == ObjectKind::Brush)
        previous = Replace(memoryDc->brush, selected);
    else
        previous = Replace(memoryDc->bitmap, selected);
    previous->selections--;
    selected->selections++;
    return previous;
}

BOOL WINAPI DeleteObject(HGDIOBJ object) {
    GdiObject* found = FindObject(object);
    if (!found || found->kind == ObjectKind::MemoryDc)
        return FALSE;
    // Stock objects are never deleted; asking is harmless, as on Windows.
    if (found->stock)
        return TRUE;
    // Windows refuses to delete an object that a DC still uses.
    if (found->selections > 0)
        return FALSE;
    DestroyObject(found);
    return TRUE;
}

int WINAPI GetDeviceCaps(HDC dc, int index) {
    if (!dc)
        return 0;
    if (index == LOGPIXELSY || index == LOGPIXELSX)
        return screenDotsPerInch;
    return 0;
}

int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    MemoryDc* memoryDc = FindMemoryDc(dc);
    GdiObject* found = FindObject(brush);
    if (!memoryDc || !rect || !found || found->kind != ObjectKind::Brush)
        return 0;
    memoryDc->bitmap->surface.Fill(*rect, static_cast<GdiBrush*>(found)->colour);
    return 1;
}

HBITMAP WINAPI CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                                DWORD offset) {
    (void)dc;
    (void)offset;
    if (bits)
        *bits = nullptr;
    if (!info || usage != DIB_RGB_COLORS || section)
        return nullptr;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    const int bitCount = header.biBitCount;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1 || header.biCompression != BI_RGB ||
        (bitCount != 24 && bitCount != 32))
        return nullptr;
    // Windows refuses empty bitmaps too.
    if (header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == INT32_MIN)
        return nullptr;
    const int width = header.biWidth;
    const int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    if (DibSurface::Stride(width, bitCount) * static_cast<uint64_t>(height) > largestBitmapBytes)
        return nullptr;
    auto created = std::make_unique<GdiBitmap>(width, height, bitCount, header.biHeight < 0);
    if (!created->surface.Valid())
        return nullptr;
    GdiBitmap* bitmap = Track(std::move(created));
    if (bits)
        *bits = bitmap->surface.Bits();
    return HandleOf<HBITMAP>(bitmap);
}
