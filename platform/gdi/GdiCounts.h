// What the GDI side of the layer has handed out and not yet released, for the live-object counts.
#pragma once

namespace platform_gdi {

void CountGdiObjects(int& memoryDcs, int& fonts, int& brushes, int& bitmaps);

} // namespace platform_gdi
