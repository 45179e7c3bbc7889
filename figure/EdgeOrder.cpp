#include "figure/EdgeOrder.h"

#include <algorithm>
#include <cmath>
#include <queue>

namespace {

// The depth at fraction t of the way from a to b in the picture: its reciprocal is linear there.
double DepthAt(const PictureEdge& e, double t) {
    return 1.0 / (1.0 / e.depthA + t * (1.0 / e.depthB - 1.0 / e.depthA));
}

// Where p lies along e, 0 to 1, and how far from it.
double Along(const PictureEdge& e, const FigurePoint& p, double* distance) {
    const double dx = e.b.x - e.a.x, dy = e.b.y - e.a.y;
    const double length2 = dx * dx + dy * dy;
    const double t =
        length2 > 0.0 ? std::clamp(((p.x - e.a.x) * dx + (p.y - e.a.y) * dy) / length2, 0.0, 1.0) : 0.0;
    *distance = std::hypot(p.x - (e.a.x + t * dx), p.y - (e.a.y + t * dy));
    return t;
}

// Where the two lines meet in the picture, as fractions along each; false when they do not, or only
// within `reach` of an end, where the two are compared at that end.
bool Meet(const PictureEdge& p, const PictureEdge& q, double reach, double* tp, double* tq) {
    const double rx = p.b.x - p.a.x, ry = p.b.y - p.a.y, sx = q.b.x - q.a.x, sy = q.b.y - q.a.y;
    const double denominator = rx * sy - ry * sx;
    if (denominator != 0.0) {
        const double ox = q.a.x - p.a.x, oy = q.a.y - p.a.y;
        const double t = (ox * sy - oy * sx) / denominator, u = (ox * ry - oy * rx) / denominator;
        if (t >= 0.0 && t <= 1.0 && u >= 0.0 && u <= 1.0) {
            *tp = t;
            *tq = u;
            return true;
        }
    }
    // The nearest of the four ends to the other line, if it lies within reach.
    double best = reach, distance = 0.0;
    bool found = false;
    for (int k = 0; k < 4; ++k) {
        const PictureEdge& from = k < 2 ? p : q;
        const PictureEdge& onto = k < 2 ? q : p;
        const FigurePoint& end = k % 2 == 0 ? from.a : from.b;
        const double along = Along(onto, end, &distance);
        if (distance < best) {
            best = distance;
            found = true;
            *(k < 2 ? tp : tq) = k % 2 == 0 ? 0.0 : 1.0;
            *(k < 2 ? tq : tp) = along;
        }
    }
    return found;
}

} // namespace

std::vector<size_t> EdgeOrder::Of(const std::vector<PictureEdge>& edges, double reach) {
    const size_t n = edges.size();
    // after[i]: the edges to be painted after edge i; waiting[i]: how many must come before it.
    std::vector<std::vector<size_t>> after(n);
    std::vector<int> waiting(n, 0);
    // Edges by the left end of their box, so only those whose boxes overlap are compared.
    std::vector<size_t> byLeft(n);
    for (size_t i = 0; i < n; ++i)
        byLeft[i] = i;
    auto left = [&](size_t i) { return std::min(edges[i].a.x, edges[i].b.x) - reach; };
    auto right = [&](size_t i) { return std::max(edges[i].a.x, edges[i].b.x) + reach; };
    std::sort(byLeft.begin(), byLeft.end(), [&](size_t p, size_t q) { return left(p) < left(q); });
    for (size_t i = 0; i < n; ++i) {
        const size_t p = byLeft[i];
        const PictureEdge& ep = edges[p];
        const double top = std::min(ep.a.y, ep.b.y) - reach, bottom = std::max(ep.a.y, ep.b.y) + reach;
        for (size_t j = i + 1; j < n && left(byLeft[j]) <= right(p); ++j) {
            const size_t q = byLeft[j];
            const PictureEdge& eq = edges[q];
            if (std::max(eq.a.y, eq.b.y) < top || std::min(eq.a.y, eq.b.y) > bottom)
                continue;
            if (ep.first == eq.first || ep.first == eq.second || ep.second == eq.first ||
                ep.second == eq.second)
                continue;
            double tp = 0.0, tq = 0.0;
            if (!Meet(ep, eq, reach, &tp, &tq))
                continue;
            const double dp = DepthAt(ep, tp), dq = DepthAt(eq, tq);
            if (dp == dq)
                continue;
            // The farther one is painted first.
            const size_t far = dp > dq ? p : q, near = dp > dq ? q : p;
            after[far].push_back(near);
            ++waiting[near];
        }
    }
    // Far to near by the middles among the edges nothing holds back; when a cycle holds every one
    // left, the farthest of them goes next.
    auto middle = [&](size_t i) { return edges[i].depthA + edges[i].depthB; };
    auto nearer = [&](size_t p, size_t q) {
        return middle(p) < middle(q) || (middle(p) == middle(q) && p > q);
    };
    std::priority_queue<size_t, std::vector<size_t>, decltype(nearer)> ready(nearer);
    for (size_t i = 0; i < n; ++i)
        if (waiting[i] == 0)
            ready.push(i);
    std::vector<bool> placed(n, false);
    std::vector<size_t> order;
    order.reserve(n);
    std::vector<size_t> byMiddle(n);
    for (size_t i = 0; i < n; ++i)
        byMiddle[i] = i;
    std::sort(byMiddle.begin(), byMiddle.end(), [&](size_t p, size_t q) { return nearer(q, p); });
    size_t nextByMiddle = 0;
    while (order.size() < n) {
        if (ready.empty()) {
            while (placed[byMiddle[nextByMiddle]])
                ++nextByMiddle;
            ready.push(byMiddle[nextByMiddle]);
            waiting[byMiddle[nextByMiddle]] = 0;
        }
        const size_t i = ready.top();
        ready.pop();
        if (placed[i])
            continue;
        placed[i] = true;
        order.push_back(i);
        for (size_t k : after[i])
            if (--waiting[k] == 0 && !placed[k])
                ready.push(k);
    }
    return order;
}
