#include "gui/TextCanvas.h"

#include "gui/CanvasTools.h"

#include <cstddef>

TextCanvas::TextCanvas() : dc(CreateCompatibleDC(nullptr)) {
    tools = new CanvasTools(dc);
    ApplyFont(FontSpec::Named(FontSpec::defaultFace, FontSpec::defaultPointSize));
}

TextCanvas::~TextCanvas() {
    // The DC goes first so that nothing is selected any more when the objects are deleted.
    DeleteDC(dc);
    delete tools;
    if (bitmap)
        DeleteObject(bitmap);
    delete[] rows;
}

void TextCanvas::ApplyFont(const FontSpec& wanted) {
    LOGFONTW description;
    description.lfHeight = -MulDiv(wanted.pointSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
    description.lfWidth = 0;
    description.lfEscapement = 0;
    description.lfOrientation = 0;
    description.lfWeight = wanted.regularWeight ? FW_NORMAL : FW_BOLD;
    description.lfItalic = wanted.italic;
    description.lfUnderline = wanted.underline;
    description.lfStrikeOut = wanted.strikeOut;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfOutPrecision = OUT_TT_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfQuality = ANTIALIASED_QUALITY;
    description.lfPitchAndFamily = 0;
    lstrcpyW(description.lfFaceName, wanted.faceName);

    tools->font = CreateFontIndirectW(&description);
    // The first replaced font is the DC's stock font; deleting it is harmless.
    DeleteObject(SelectObject(dc, tools->font));
}

void TextCanvas::Resize(int32_t height, int32_t width) {
    // A section of this size already: made white again rather than made anew. Whoever draws many
    // texts of one size into one canvas (the figures' labels) spares a fresh block of pages each.
    if (bitmap && height > 0 && width > 0 && height == sectionHeight && width == sectionWidth && rows[0]) {
        RECT area = {0, 0, width, height};
        FillRect(dc, &area, tools->brush);
        return;
    }
    BITMAPINFO info = {};
    BITMAPINFOHEADER& header = info.bmiHeader;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = -height; // top-down: row 0 is the top of the text
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = 0;
    header.biXPelsPerMeter = 0;
    header.biYPelsPerMeter = 0;
    header.biClrUsed = 0;
    header.biClrImportant = 0;

    void* pixels = nullptr;
    HBITMAP fresh = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (fresh) {
        // The first replaced bitmap is the DC's stock bitmap; deleting it is harmless.
        DeleteObject(SelectObject(dc, fresh));
        bitmap = fresh;
        sectionHeight = height;
        sectionWidth = width;
    }
    // A bitmap of zero width or height cannot be created (an empty string). The old one then stays
    // selected and owned, so it is still released with the canvas, and the rows point at nothing.

    delete[] rows;
    rows = new uint8_t*[height > 0 ? height : 0];
    const size_t stride = (static_cast<size_t>(width > 0 ? width : 0) * 3 + 3) / 4 * 4;
    uint8_t* start = fresh ? static_cast<uint8_t*>(pixels) : nullptr;
    for (int32_t i = 0; i < height; ++i)
        rows[i] = start ? start + static_cast<size_t>(i) * stride : nullptr;

    RECT area = {0, 0, width, height};
    FillRect(dc, &area, tools->brush);
}

TextLayout TextCanvas::Draw(const WCHAR* text) {
    const int length = lstrlenW(text);
    SIZE extent = {0, 0};
    GetTextExtentPoint32W(dc, text, length, &extent);
    TextLayout layout;
    layout.textWidth = extent.cx;
    layout.textHeight = extent.cy;
    layout.width = NextPowerOfTwo(layout.textWidth);
    layout.height = NextPowerOfTwo(layout.textHeight);

    Resize(layout.height, layout.width);
    if (layout.width > 0 && layout.height > 0 && !rows[0]) {
        // The layer refused a bitmap this large: nothing is drawn rather than reading rows that do
        // not exist. The measured text keeps its size for whoever lays it out.
        layout.width = 0;
        layout.height = 0;
        layout.refused = true;
        ReleasePixels();
        return layout;
    }
    RECT whole = {0, 0, layout.width, layout.height};
    FillRect(dc, &whole, tools->brush);
    TextOutW(dc, 0, 0, text, length);
    return layout;
}

int32_t NextPowerOfTwo(int32_t n) {
    if (n <= 0)
        return 0;
    uint32_t power = 1;
    while (power < static_cast<uint32_t>(n))
        power <<= 1;
    return static_cast<int32_t>(power);
}

void TextCanvas::ReleasePixels() {
    // A white 1 x 1 section keeps the canvas in the state Resize leaves: a bitmap selected, rows valid.
    Resize(1, 1);
}
