// Pictures as OpenGL reads them, bottom row first in the colour buffer's BGRA order, made top row
// first, RGBA and opaque.
#include "export/RgbaPicture.h"

#include <gtest/gtest.h>

namespace {

// An odd height has a middle row that changes places with itself; 193 is the height of a picture
// 258 pixels wide.
TEST(RgbaPictureTest, EveryRowIsTurnedOverAsOpaqueRgbaTheMiddleOneToo) {
    for (const int height : {1, 2, 4, 193}) {
        RgbaPicture picture(3, height);
        // Row y as read: blue y, green x, red 200 + x, a translucent alpha.
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < picture.width; ++x) {
                uint8_t* pixel = picture.Row(y) + x * 4;
                pixel[0] = static_cast<uint8_t>(y), pixel[1] = static_cast<uint8_t>(x);
                pixel[2] = static_cast<uint8_t>(200 + x), pixel[3] = 90;
            }
        picture.TurnOverFromBgra();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < picture.width; ++x) {
                const uint8_t* pixel = picture.Row(height - 1 - y) + x * 4;
                const int expected[] = {200 + x, x, y, 255};
                for (int c = 0; c < 4; ++c)
                    ASSERT_EQ(static_cast<int>(pixel[c]), expected[c])
                        << "height " << height << ", row " << height - 1 - y << ", pixel " << x
                        << ", channel " << c;
            }
    }
}

} // namespace
