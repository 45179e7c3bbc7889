#include "figure/ViewFigure.h"

#include "export/FileKinds.h"
#include "figure/ContourTracer.h"
#include "figure/EdgeOrder.h"
#include "figure/FigureProjection.h"
#include "figure/FogRamp.h"
#include "figure/LabelOutlines.h"
#include "hypercube/CTessary.h"
#include "hypercube/HypercubeRenderer.h"
#include "hypercube/ScenePalette.h"
#include "hypercube/WindowLens.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace {

// How far a number's outline may stray in the picture once it is on its face: a face seen small or
// at a slant needs fewer of the points its label was traced with.
constexpr double pictureTolerance = 0.3;

// A label's rim is black with the glyph's coverage as alpha, from about 1 where it meets the tile
// to one half where the hole begins: drawn as one area, it takes the middle of that.
constexpr float rimAlpha = 0.75f;

struct Point3 {
    double p[3];
};

Point3 VertexOf(const HypercubeModel& model, int32_t v) {
    Point3 point = {{0.0, 0.0, 0.0}};
    for (int axis = 0; axis < 3 && axis < model.dimension; ++axis)
        point.p[axis] = model.Vertex(v)[axis];
    return point;
}

FigureColour Colour(const float rgb[3]) {
    return {rgb[0], rgb[1], rgb[2]};
}

// A face's paint for `colour`: along the picture line on which 1 / depth grows fastest across the
// face, from the corner where it is least to the one where it is most.
class FacePaint {
public:
    FacePaint(const FigurePoint corner[4], const double depth[4]) {
        // 1 / depth is affine across the picture of a flat face: q = a x + b y + c, from three corners.
        const double q[4] = {1.0 / depth[0], 1.0 / depth[1], 1.0 / depth[2], 1.0 / depth[3]};
        const FigurePoint& p0 = corner[0];
        const double x1 = corner[1].x - p0.x, y1 = corner[1].y - p0.y;
        const double x3 = corner[3].x - p0.x, y3 = corner[3].y - p0.y;
        const double determinant = x1 * y3 - x3 * y1;
        const int least = static_cast<int>(std::min_element(q, q + 4) - q);
        const int most = static_cast<int>(std::max_element(q, q + 4) - q);
        from = corner[least];
        fromDepth = depth[least];
        to = from;
        toDepth = fromDepth;
        if (std::fabs(determinant) < 1e-9)
            return; // seen edge on: a line in the picture, one colour is enough
        const double a = ((q[1] - q[0]) * y3 - (q[3] - q[0]) * y1) / determinant;
        const double b = ((q[3] - q[0]) * x1 - (q[1] - q[0]) * x3) / determinant;
        const double slope = a * a + b * b;
        if (slope <= 0.0)
            return;
        const double rise = (q[most] - q[least]) / slope;
        to = {from.x + a * rise, from.y + b * rise};
        toDepth = depth[most];
    }

    FigurePoint from, to;
    double fromDepth, toDepth;
};

void AddFaces(HypercubeModel& model, const OrbitCamera& camera, const FigureProjection& projection,
              const FogRamp& fog, LabelOutlines& labels, Figure& figure) {
    OrderFaces(model, camera);
    const FigureColour black = {0.0f, 0.0f, 0.0f};
    for (int32_t i = 0; i < model.faceCount; ++i) {
        const int32_t m = model.drawOrder[i];
        const CubeEdge& base = model.edges[model.faces[m].base];
        const CubeEdge& copy = model.edges[model.faces[m].copy];
        // Texture corners (0, 0), (0, 1), (1, 1), (1, 0), as the face pass gives them.
        const Point3 corner3[4] = {VertexOf(model, base.first), VertexOf(model, base.second),
                                   VertexOf(model, copy.second), VertexOf(model, copy.first)};
        FigurePoint corner[4];
        double depth[4];
        bool visible = true;
        for (int k = 0; k < 4; ++k) {
            corner[k] = projection.Picture(corner3[k].p);
            depth[k] = projection.Depth(corner3[k].p);
            visible = visible && depth[k] > WindowLens::nearPlane;
        }
        if (!visible)
            continue;
        // The point of the face at texture coordinates (s, t), in the picture.
        auto onFace = [&](const FigurePoint& st) {
            double p[3];
            for (int axis = 0; axis < 3; ++axis)
                p[axis] = corner3[0].p[axis] + st.x * (corner3[3].p[axis] - corner3[0].p[axis]) +
                          st.y * (corner3[1].p[axis] - corner3[0].p[axis]);
            return projection.Picture(p);
        };
        // The same outline carried twice gives the same points, so the tile's holes and the rims
        // meet without a gap.
        auto carry = [&](const std::vector<std::vector<FigurePoint>>& lines, FigureArea& area) {
            std::vector<std::vector<FigurePoint>> carried(lines.size());
            for (size_t k = 0; k < lines.size(); ++k) {
                carried[k].resize(lines[k].size());
                std::transform(lines[k].begin(), lines[k].end(), carried[k].begin(), onFace);
            }
            ContourTracer::Simplify(carried, pictureTolerance);
            for (std::vector<FigurePoint>& line : carried)
                area.contours.push_back(std::move(line));
        };
        const FacePaint ramp(corner, depth);
        const float* tint = faceColours[m % 3];
        FigureArea tile;
        tile.contours.push_back({corner[0], corner[1], corner[2], corner[3]});
        tile.paint = fog.Paint(Colour(tint), ramp.from, ramp.fromDepth, ramp.to, ramp.toDepth, tint[3]);
        // Every face has its number: the outlines come from the label raster, not the texture, so a
        // model built without textures is numbered too.
        const LabelOutline* outline = &labels.Of(m);
        carry(outline->paper, tile);
        figure.areas.push_back(std::move(tile));
        if (!outline->paper.empty()) {
            FigureArea rim;
            carry(outline->paper, rim);
            carry(outline->ink, rim);
            rim.paint =
                fog.Paint(black, ramp.from, ramp.fromDepth, ramp.to, ramp.toDepth, tint[3] * rimAlpha);
            figure.areas.push_back(std::move(rim));
        }
    }
}

void AddEdges(const HypercubeModel& model, const FigureProjection& projection, const FogRamp& fog,
              const ScenePalette& palette, double halfWidth, Figure& figure) {
    std::vector<PictureEdge> edges;
    edges.reserve(static_cast<size_t>(model.edgeCount));
    for (int32_t i = 0; i < model.edgeCount; ++i) {
        const CubeEdge& edge = model.edges[i];
        const Point3 a = VertexOf(model, edge.first), b = VertexOf(model, edge.second);
        const PictureEdge seen = {projection.Picture(a.p),
                                  projection.Picture(b.p),
                                  projection.Depth(a.p),
                                  projection.Depth(b.p),
                                  edge.first,
                                  edge.second};
        const bool drawn = seen.a.x != seen.b.x || seen.a.y != seen.b.y;
        if (drawn && seen.depthA > WindowLens::nearPlane && seen.depthB > WindowLens::nearPlane)
            edges.push_back(seen);
    }
    const FigureColour colour = Colour(palette.edges);
    for (size_t i : EdgeOrder::Of(edges, 2.0 * halfWidth)) {
        const PictureEdge& edge = edges[i];
        const double dx = edge.b.x - edge.a.x, dy = edge.b.y - edge.a.y;
        // An aliased wide line is widened along its minor axis: up and down when it runs more
        // across than up, else sideways.
        const bool acrossMajor = std::fabs(dx) >= std::fabs(dy);
        const double ox = acrossMajor ? 0.0 : halfWidth, oy = acrossMajor ? halfWidth : 0.0;
        FigureArea line;
        line.contours.push_back({{edge.a.x + ox, edge.a.y + oy},
                                 {edge.a.x - ox, edge.a.y - oy},
                                 {edge.b.x - ox, edge.b.y - oy},
                                 {edge.b.x + ox, edge.b.y + oy}});
        line.paint = fog.Paint(colour, edge.a, edge.depthA, edge.b, edge.depthB, 1.0f);
        figure.areas.push_back(std::move(line));
    }
}

} // namespace

Figure ViewFigure::Draw(CTessary& screen, int width, const ScenePalette& palette, const std::string& view) {
    LabelOutlines labels;
    return Draw(screen, width, palette, view, labels);
}

Figure ViewFigure::Draw(CTessary& screen, int width, const ScenePalette& palette, const std::string& view,
                        LabelOutlines& labels) {
    Figure figure;
    figure.width = width;
    figure.height = FileKinds::PictureHeight(width);
    figure.background = Colour(palette.background);
    figure.view = view;
    HypercubeModel& model = screen.model;
    if (!model.built || model.dimension < 2)
        return figure;
    const OrbitCamera& camera = screen.camera;
    const FigureProjection projection(camera, figure.width, figure.height);
    const bool faces = !screen.ShowsWireframe();
    // The window's fog, from the eye's distance to the origin to fogDepth beyond it, over the faces
    // and their edges, and over the wireframe once the faces have been shown. A fresh program's
    // wireframe has none.
    const float* eye = camera.eye;
    const float distance = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
    const FogRamp fog = screen.Fogged() ? FogRamp(palette, distance, distance + fogDepth) : FogRamp();
    if (faces)
        AddFaces(model, camera, projection, fog, labels, figure);
    AddEdges(model, projection, fog, palette, 0.5 * WindowLens::edgeWidth * width / WindowLens::windowWidth,
             figure);
    return figure;
}
