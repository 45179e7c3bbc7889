#include "figure/FogRamp.h"

#include "hypercube/ScenePalette.h"

#include <algorithm>
#include <cmath>

FogRamp::FogRamp(const ScenePalette& palette, double start, double end)
    : fogged(true), start(start), end(end), fog{palette.fog[0], palette.fog[1], palette.fog[2]} {}

FogRamp::FogRamp() : fogged(false) {}

FigureColour FogRamp::At(const FigureColour& colour, double depth) const {
    if (!fogged)
        return colour;
    const double f = std::clamp((end - depth) / (end - start), 0.0, 1.0);
    auto mix = [f](float c, float g) { return static_cast<float>(f * c + (1.0 - f) * g); };
    return {mix(colour.red, fog.red), mix(colour.green, fog.green), mix(colour.blue, fog.blue)};
}

FigurePaint FogRamp::Paint(const FigureColour& colour, FigurePoint from, double fromDepth, FigurePoint to,
                           double toDepth, float opacity) const {
    FigurePaint paint;
    paint.opacity = opacity;
    paint.colour = At(colour, 0.5 * (fromDepth + toDepth));
    const double near = std::min(fromDepth, toDepth), far = std::max(fromDepth, toDepth);
    // The whole line before the fog starts or after it is complete: one colour.
    const bool line = (from.x != to.x || from.y != to.y) && fromDepth != toDepth;
    if (!fogged || !line || far <= start || near >= end || !(fromDepth > 0.0 && toDepth > 0.0)) {
        paint.colour = At(colour, fromDepth);
        return paint;
    }
    paint.from = from;
    paint.to = to;
    const double q0 = 1.0 / fromDepth, q1 = 1.0 / toDepth;
    // The offsets where the fog starts and ends along the line, and the ends themselves: f is 1 or 0
    // beyond the first two and smooth between them.
    std::vector<double> breaks = {0.0, 1.0};
    for (double depth : {start, end}) {
        const double u = (1.0 / depth - q0) / (q1 - q0);
        if (u > 0.0 && u < 1.0)
            breaks.push_back(u);
    }
    std::sort(breaks.begin(), breaks.end());
    auto depthAt = [&](double u) { return 1.0 / (q0 + u * (q1 - q0)); };
    auto fAt = [&](double u) { return std::clamp((end - depthAt(u)) / (end - start), 0.0, 1.0); };
    auto stop = [&](double u) { paint.stops.push_back({u, At(colour, depthAt(u))}); };
    stop(0.0);
    for (size_t k = 0; k + 1 < breaks.size(); ++k) {
        const double a = breaks[k], b = breaks[k + 1];
        // Halve the pieces until the middle of each is within the error of the straight line
        // between its ends; depth is convex in u, so the middle is about where the error is largest.
        int pieces = 1;
        for (; pieces < 64; pieces *= 2) {
            bool close = true;
            for (int i = 0; i < pieces && close; ++i) {
                const double u0 = a + (b - a) * i / pieces, u1 = a + (b - a) * (i + 1) / pieces;
                close = std::fabs(fAt(0.5 * (u0 + u1)) - 0.5 * (fAt(u0) + fAt(u1))) <= fogError;
            }
            if (close)
                break;
        }
        for (int i = 1; i <= pieces; ++i)
            stop(a + (b - a) * i / pieces);
    }
    return paint;
}
