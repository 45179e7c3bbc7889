// The smallest rectangle outside which a picture equals the one before it: the part of a clip's frame
// that must be stored when the rest of the canvas stays as the previous frame left it.
#pragma once

#include "export/RgbaPicture.h"

struct ChangedArea {
    int x = 0;
    int y = 0;
    int width = 0; // 0 when the pictures are equal
    int height = 0;

    // Both pictures have the same size. Reads rows in memory order: the pictures are megabytes, and
    // a column of a 1024-pixel-wide picture touches a new page with every pixel.
    static ChangedArea Between(const RgbaPicture& before, const RgbaPicture& after);
};
