// The program's icon: a turned 4-cube in the viewer's faces mode, drawn by the viewer's own model
// and renderer on a black rounded tile, like the viewer's window.
#pragma once

#include <cstdint>
#include <vector>

class HypercubeModel;
class OrbitCamera;

// The turned 4-cube and the camera the icon is seen through. Needs a current OpenGL context (the
// model's faces carry their number textures).
void SetUpIconScene(HypercubeModel& model, OrbitCamera& camera);

// Draws the scene at `size` x `size` pixels, rendering at twice that size and averaging 2 x 2
// blocks so that the viewer's 3-pixel edges come out smooth. Returns RGBA rows, top row first;
// outside the rounded tile the picture is transparent. `size` * 2 must fit the context's window.
std::vector<uint8_t> DrawIconPicture(HypercubeModel& model, const OrbitCamera& camera, int size);

// How much of the pixel centred at (x + 0.5, y + 0.5) lies inside a square of side `size` whose
// corners are rounded with `radius`: 0 outside, 1 inside, a fraction along the rim.
float TileCoverage(int x, int y, int size, float radius);
