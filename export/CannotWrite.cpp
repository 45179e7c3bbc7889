#include "export/CannotWrite.h"

std::string CannotWrite(const std::string& path, const std::string& why) {
    return "cannot write " + path + ": " + why;
}
