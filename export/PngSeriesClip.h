// A clip as numbered PNG pictures: name.png becomes name-000.png, name-001.png, ..., with as many
// digits as the last number needs (at least three). The count is known only at Finish, so every
// picture waits under a temporary name until then; a series is renamed whole or removed whole.
#pragma once

#include "export/AtomicFile.h"
#include "export/ClipWriter.h"

#include <vector>

class PngSeriesClip : public ClipWriter {
public:
    PngSeriesClip(std::string path, int width, int height, double fps);
    bool Start(std::string* reason) override;
    bool AddFrame(const RgbaPicture& frame, std::string* reason) override;
    bool Finish(std::string* reason) override;

    // The name of picture `index` in a series of `count` pictures.
    static std::string NumberedName(const std::string& path, int index, int count);

private:
    std::vector<AtomicFile> pictures; // written and closed, not yet renamed
};
