// A clip as an animated GIF that loops for ever (the NETSCAPE2.0 extension). Each frame gets its
// own 256-colour palette by giflib's median cut: the pictures are mostly black with white lines and
// a few translucent face colours, which 256 colours chosen per frame keep without visible bands.
// Frame delays are in hundredths of a second, rounded so that they add up to the clip's length.
#pragma once

#include "export/AtomicFile.h"
#include "export/ClipWriter.h"

#include <vector>

struct GifFileType;

class GifClip : public ClipWriter {
public:
    GifClip(std::string path, int width, int height, double fps);
    ~GifClip() override;
    bool Start(std::string* reason) override;
    bool AddFrame(const RgbaPicture& frame, std::string* reason) override;
    bool Finish(std::string* reason) override;

private:
    static int Output(GifFileType* gif, const unsigned char* bytes, int size);
    bool GifFailed(int error, std::string* reason);

    AtomicFile file;
    GifFileType* gif = nullptr; // owned; writes through Output into `file`
    std::string writeError;     // the system's reason when Output could not write
    int frames = 0;
    std::vector<unsigned char> red, green, blue, indices; // one frame's planes, reused
};
