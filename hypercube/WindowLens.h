// The window's lens: the perspective the scene is seen through, the window it fills and the width
// its edges are drawn at. The window, a picture or clip drawn for the command line, a vector figure
// and the desktop icon all project the same scene; reading these numbers here is what keeps them the
// same picture.
#pragma once

#include <numbers>

class WindowLens {
public:
    // gluPerspective's vertical field of view, in degrees.
    static constexpr int fieldOfViewDegrees = 50;
    // The window, every picture and every figure are 4:3, width to height.
    static constexpr int aspectWidth = 4;
    static constexpr int aspectHeight = 3;
    static constexpr double aspect = static_cast<double>(aspectWidth) / aspectHeight;
    // The depth range: nothing nearer than 1 unit is drawn, and the far plane lies beyond any zoom.
    static constexpr double nearPlane = 1.0;
    static constexpr double farPlane = 3.0e7;
    // The window's client area in pixels; a larger picture scales what is measured in them.
    static constexpr int windowWidth = 1024;
    static constexpr int windowHeight = windowWidth * aspectHeight / aspectWidth;
    // The width of an edge in the window's pixels.
    static constexpr float edgeWidth = 3.0f;

    // The height of a picture `width` pixels wide.
    static constexpr int HeightFor(int width) { return width * aspectHeight / aspectWidth; }
    // Half the field of view in radians, the angle whose cotangent gluPerspective scales by.
    static constexpr double halfFieldRadians = fieldOfViewDegrees * std::numbers::pi / 360.0;
};
