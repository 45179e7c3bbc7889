// PNG files of pictures. The encoder is this program's own, over zlib, on every platform: the
// Windows builds have zlib but no libpng, and one encoder means the code that Windows runs is the
// code the tests read back with libpng.
#pragma once

#include "export/RgbaPicture.h"

#include <cstdint>
#include <string>
#include <vector>

// The picture as the bytes of a PNG file: 8-bit RGBA, not interlaced, each row with the filter
// that suits it best. Empty when zlib has no memory for it.
std::vector<uint8_t> EncodePng(const RgbaPicture& picture);

// Writes the picture to `path` whole or not at all. On failure returns false and puts the reason,
// with the system's words for it, in *reason ("cannot write PATH: No such file or directory").
bool WritePngFile(const std::string& path, const RgbaPicture& picture, std::string* reason);
