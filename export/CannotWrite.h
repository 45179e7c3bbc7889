// The one wording of every reason a file cannot be written: "cannot write PATH: WHY", where WHY is
// the system's own words for an error or the writer's for what it refused.
#pragma once

#include <string>

std::string CannotWrite(const std::string& path, const std::string& why);
