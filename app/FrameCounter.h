// Frames per second, measured over every 100 frames and shown as text in the top-left corner.
#pragma once

#include <cstdint>

class TextTexture;

class FrameCounter {
public:
    // Needs a current OpenGL context (the text texture creates a texture object).
    FrameCounter();
    ~FrameCounter();
    FrameCounter(const FrameCounter&) = delete;
    FrameCounter& operator=(const FrameCounter&) = delete;

    // Called exactly once per drawn frame, after the buffers are swapped.
    void CountFrame();

    uint32_t periodStart;
    uint32_t periodEnd;
    int framesPerPeriod;
    unsigned int framesPerSecond;
    int framesLeft;
    TextTexture* text; // owned
};
