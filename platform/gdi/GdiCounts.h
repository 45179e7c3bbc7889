// What the GDI side of the layer has handed out and not yet released, for the live-object counts.
#pragma once

namespace platform_gdi {

void CountGdiObjects(int& memoryDcs, int& fonts, int& brushes, int& bitmaps);

// Releases FreeType, fontconfig and every glyph and match cache, so that leak checkers see nothing
// left at exit. Objects still alive keep working: the font engine starts again on their next use.
void Shutdown();

} // namespace platform_gdi
