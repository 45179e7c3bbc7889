#include "export/BitWriter.h"

#include <utility>

std::vector<uint8_t> BitWriter::Finish() {
    bytes.resize(filled);
    for (; used > 0; used -= 8) {
        bytes.push_back(static_cast<uint8_t>(pending));
        pending >>= 8;
    }
    filled = 0;
    used = 0;
    pending = 0;
    return std::exchange(bytes, {});
}
