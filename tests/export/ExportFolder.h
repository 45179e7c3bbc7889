// A fresh empty folder for a test's files, removed with everything in it at the end.
#pragma once

#include <string>
#include <vector>

class ExportFolder {
public:
    ExportFolder();
    ~ExportFolder();
    ExportFolder(const ExportFolder&) = delete;
    ExportFolder& operator=(const ExportFolder&) = delete;

    std::string Path(const std::string& name) const { return root + "/" + name; }
    // The names of everything in the folder, sorted: what a writer left behind.
    std::vector<std::string> Names() const;

private:
    std::string root;
};
