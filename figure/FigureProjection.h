// Where the window's camera puts a point of the scene in a picture: gluLookAt's camera and the
// window's gluPerspective (hypercube/WindowLens.h), then the picture's pixels with y
// downwards, as PictureDrawer's tiles read them. Also the point's distance along the line of sight,
// which is what the fog fades with (the eye-plane distance, as OpenGL implementations take it).
#pragma once

#include "export/Figure.h"

class OrbitCamera;

class FigureProjection {
public:
    FigureProjection(const OrbitCamera& camera, int width, int height);

    // The picture point of scene point p.
    FigurePoint Picture(const double p[3]) const;
    // How far p lies in front of the eye along the line of sight; the lens's near plane or less is
    // not drawn.
    double Depth(const double p[3]) const;

private:
    double eye[3];
    double side[3];    // the picture's x axis in the scene
    double up[3];      // its y axis, upwards
    double forward[3]; // the line of sight
    double scaleX;     // picture pixels per unit of x / depth
    double scaleY;
    double centreX;
    double centreY;
};
