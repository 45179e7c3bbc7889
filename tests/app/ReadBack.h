// The exported files read back with the libraries that are the formats' reference decoders.
#pragma once

#include "app/RgbaPicture.h"

#include <string>
#include <vector>

// An empty picture when libpng cannot read the file.
RgbaPicture ReadPng(const std::string& path);
