// The exported files read back with the libraries that are the formats' reference decoders.
#pragma once

#include "export/RgbaPicture.h"

#include <string>
#include <vector>

// An empty picture when libpng cannot read the file.
RgbaPicture ReadPng(const std::string& path);

// An animation as its decoder gives it: the canvas, the loop count, and each frame composed onto
// the canvas with the time it ends (WebP) or its delay (GIF), in milliseconds.
struct ReadAnimation {
    bool ok = false;
    int width = 0;
    int height = 0;
    int loopCount = -1; // 0: for ever; -1: no loop information
    std::vector<RgbaPicture> frames;
    std::vector<int> endMs;   // WebP: when each frame ends
    std::vector<int> delayCs; // GIF: each frame's delay in hundredths of a second
};

ReadAnimation ReadWebp(const std::string& path);
ReadAnimation ReadGif(const std::string& path);
