#include "platform/gdi/GdiObjects.h"

#include "platform/gdi/GdiCounts.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

namespace platform_gdi {

namespace {

// Live objects by address; the map owns them.
std::unordered_map<const GdiObject*, std::unique_ptr<GdiObject>>& LiveObjects() {
    static auto* objects = new std::unordered_map<const GdiObject*, std::unique_ptr<GdiObject>>();
    return *objects;
}

size_t StrideFor(int width, int bits) {
    return ((static_cast<size_t>(width) * static_cast<size_t>(bits) + 31) / 32) * 4;
}

LOGFONTW SystemFontDescription() {
    // Windows' default font of a memory DC is the bold "System" face, 16 pixels high; an empty face
    // name lets fontconfig pick the default sans-serif family.
    LOGFONTW description = {};
    description.lfHeight = 16;
    description.lfWeight = FW_BOLD;
    description.lfCharSet = DEFAULT_CHARSET;
    return description;
}

} // namespace

GdiBitmap::GdiBitmap(int bitmapWidth, int bitmapHeight, int bits, bool isTopDown, bool isStock)
    : GdiObject(ObjectKind::Bitmap, isStock), width(bitmapWidth), height(bitmapHeight), bitsPerPixel(bits),
      topDown(isTopDown), stride(StrideFor(bitmapWidth, bits)),
      pixels(static_cast<uint8_t*>(std::calloc(stride * static_cast<size_t>(bitmapHeight), 1)), std::free) {}

void GdiBitmap::Fill(const RECT& area, COLORREF colour) {
    if (!Drawable())
        return;
    const int left = std::max<LONG>(area.left, 0);
    const int top = std::max<LONG>(area.top, 0);
    const int right = std::min<LONG>(area.right, width);
    const int bottom = std::min<LONG>(area.bottom, height);
    const int bytes = bitsPerPixel / 8;
    // Grey fills (the white paper of every text) are one memset per row.
    const bool grey = GetRValue(colour) == GetGValue(colour) && GetGValue(colour) == GetBValue(colour);
    if (grey && bytes == 3 && left < right) {
        for (int y = top; y < bottom; ++y)
            std::memset(Row(y) + static_cast<size_t>(left) * 3, GetRValue(colour),
                        static_cast<size_t>(right - left) * 3);
        return;
    }
    for (int y = top; y < bottom; ++y) {
        uint8_t* pixel = Row(y) + static_cast<size_t>(left) * bytes;
        for (int x = left; x < right; ++x, pixel += bytes) {
            pixel[0] = GetBValue(colour);
            pixel[1] = GetGValue(colour);
            pixel[2] = GetRValue(colour);
        }
    }
}

void GdiBitmap::BlendSpan(int x, int y, const uint8_t* coverage, int count, COLORREF colour,
                          const RECT& clip) {
    if (!Drawable() || y < std::max<LONG>(clip.top, 0) || y >= std::min<LONG>(clip.bottom, height))
        return;
    const int first = std::max({x, static_cast<int>(clip.left), 0});
    const int last = std::min({x + count, static_cast<int>(clip.right), width});
    const int bytes = bitsPerPixel / 8;
    const BYTE channels[3] = {GetBValue(colour), GetGValue(colour), GetRValue(colour)};
    uint8_t* pixel = Row(y) + static_cast<size_t>(first) * bytes;
    for (int px = first; px < last; ++px, pixel += bytes) {
        const int weight = coverage[px - x];
        if (weight == 0)
            continue;
        for (int i = 0; i < 3; ++i)
            pixel[i] = static_cast<uint8_t>((pixel[i] * (255 - weight) + channels[i] * weight + 127) / 255);
    }
}

MemoryDc::MemoryDc()
    : GdiObject(ObjectKind::MemoryDc, false), font(StockFont()), brush(StockBrush()), bitmap(StockBitmap()) {}

// The stock objects live for the whole process, like Windows' own; leak checkers see them through
// these static pointers and do not report them.
GdiFont* StockFont() {
    static GdiFont* font = new GdiFont(SystemFontDescription(), true);
    return font;
}

GdiBrush* StockBrush() {
    static GdiBrush* brush = new GdiBrush(RGB(255, 255, 255), true);
    return brush;
}

GdiBitmap* StockBitmap() {
    static GdiBitmap* bitmap = new GdiBitmap(1, 1, 1, true, true);
    return bitmap;
}

void TrackObject(std::unique_ptr<GdiObject> owned) {
    const GdiObject* key = owned.get();
    LiveObjects().emplace(key, std::move(owned));
}

GdiObject* FindObject(const void* handle) {
    if (!handle)
        return nullptr;
    const auto* object = static_cast<const GdiObject*>(handle);
    if (object == StockFont() || object == StockBrush() || object == StockBitmap())
        return const_cast<GdiObject*>(object);
    auto& live = LiveObjects();
    auto found = live.find(object);
    return found == live.end() ? nullptr : found->second.get();
}

MemoryDc* FindMemoryDc(HDC dc) {
    GdiObject* object = FindObject(dc);
    return object && object->kind == ObjectKind::MemoryDc ? static_cast<MemoryDc*>(object) : nullptr;
}

void DestroyObject(GdiObject* object) {
    if (object && !object->stock)
        LiveObjects().erase(object);
}

int CountLive(ObjectKind kind) {
    int count = 0;
    for (const auto& entry : LiveObjects())
        count += entry.second->kind == kind ? 1 : 0;
    return count;
}

void CountGdiObjects(int& memoryDcs, int& fonts, int& brushes, int& bitmaps) {
    memoryDcs = CountLive(ObjectKind::MemoryDc);
    fonts = CountLive(ObjectKind::Font);
    brushes = CountLive(ObjectKind::Brush);
    bitmaps = CountLive(ObjectKind::Bitmap);
}

} // namespace platform_gdi
