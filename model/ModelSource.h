// What a 3-D model is made of: the view's vertices as the window draws them (the first three
// coordinates of the turned model, the very floats glVertex3fv is given), its edges and squares,
// whether the squares are shown, the window's camera and the view's text. A plain value, so that
// the folding, the mesh and the writers can be tested without a window.
#pragma once

#include <array>
#include <string>
#include <vector>

class CTessary;
class HypercubeModel;
class OrbitCamera;

struct ModelSquare {
    std::array<int, 4> corners; // vertex indices, in the order the window draws the square
    int tint;                   // which of the window's three face tints it is drawn in
};

struct ModelSource {
    int dimension = 0;
    std::vector<std::array<double, 3>> vertices;
    std::vector<std::array<int, 2>> edges;
    std::vector<ModelSquare> squares;
    bool faces = false; // the window shows the squares, not the wireframe alone
    bool light = false; // black edges, as --light draws them, rather than the window's white
    double eye[3] = {0.0, 0.0, 150.0};
    double target[3] = {0.0, 0.0, 0.0};
    double up[3] = {0.0, 1.0, 0.0};
    std::string view; // the view's text, which the model carries

    // The running screen's view, as the window draws it now.
    static ModelSource Of(const CTessary& screen, const std::string& view, bool light);
    // The same of a model and a camera, with the squares shown when `faces`.
    static ModelSource Of(const HypercubeModel& model, bool faces, const OrbitCamera& camera,
                          const std::string& view, bool light);
};
