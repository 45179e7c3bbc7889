// Pictures in WebP's lossless format (a raw VP8L bitstream, as the muxer takes a clip's frame), made
// for the clips' frames and about twice as fast as libwebp's fastest effort, the files a tenth
// smaller (docs/export.md): the frames are mostly black with thin lines and flat translucent faces.
// Each picture is stored with the transforms "subtract green" and one predictor, "select", for the
// whole picture; the residuals as literals, runs of the pixel before or of the row above, and hits
// of a colour cache of 1,024 entries; everything in one group of five prefix codes.
#pragma once

#include "export/BitWriter.h"

#include <cstdint>
#include <vector>

class LosslessWebp {
public:
    // The picture of `width` x `height` RGBA pixels whose rows start `rowBytes` apart at `rgba`,
    // each side from 1 to 16,384. Its buffers are kept for the next picture.
    std::vector<uint8_t> Encode(const uint8_t* rgba, size_t rowBytes, int width, int height);

private:
    // Subtract green, then the residuals of the predictor, into `residuals`. True when a pixel is
    // not opaque.
    bool Predict(const uint8_t* rgba, size_t rowBytes, int width, int height);
    // The residuals as tokens, and how often each symbol of the five codes is written.
    void Tokenize(int width);

    // One pixel or run as written: a literal ARGB value, a copy (of `copy` pixels at the
    // distance code `value`) or a hit of the colour cache (at index `value`).
    struct Token {
        uint32_t value;
        int32_t copy; // > 0: a copy of that many pixels; 0: a literal; -1: a hit of the cache
    };

    std::vector<uint32_t> residuals;
    std::vector<uint32_t> rows; // the green-subtracted pixels of the row and the row above
    std::vector<uint32_t> cache;
    std::vector<Token> tokens;
    // How often each symbol of the five codes is written: green with the copies' lengths and
    // the cache's indices, red, blue, alpha, the copies' distances.
    std::vector<uint32_t> counts[5];
};
