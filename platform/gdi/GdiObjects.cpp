#include "platform/gdi/GdiObjects.h"

#include "platform/gdi/GdiCounts.h"

#include <unordered_map>

namespace platform_gdi {

namespace {

// Live objects by address; the map owns them.
std::unordered_map<const GdiObject*, std::unique_ptr<GdiObject>>& LiveObjects() {
    static auto* objects = new std::unordered_map<const GdiObject*, std::unique_ptr<GdiObject>>();
    return *objects;
}

LOGFONTW SystemFontDescription() {
    // Windows' default font of a memory DC is the bold "System" face, 16 pixels high; an empty face
    // name lets the text back end pick its default family.
    LOGFONTW description = {};
    description.lfHeight = 16;
    description.lfWeight = FW_BOLD;
    description.lfCharSet = DEFAULT_CHARSET;
    return description;
}

} // namespace

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
