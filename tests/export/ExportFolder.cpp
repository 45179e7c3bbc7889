#include "tests/export/ExportFolder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

ExportFolder::ExportFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tessary-export-XXXXXX").string();
    if (mkdtemp(pattern.data()))
        root = pattern;
}

ExportFolder::~ExportFolder() {
    std::error_code ignored;
    if (!root.empty())
        std::filesystem::remove_all(root, ignored);
}

std::vector<std::string> ExportFolder::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(root))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
