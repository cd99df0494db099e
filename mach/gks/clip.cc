#include "clip.h"

#include <cmath>

namespace zemka::gks {

namespace {

bool finite(const Point& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// Liang-Barsky: shortens the segment a-b to its part inside r; false if nothing is inside.
bool clipSegment(Point& a, Point& b, const Rect& r) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    double t0 = 0;
    double t1 = 1;
    // Each boundary reads denom * t <= num.
    auto edge = [&](double denom, double num) {
        if (denom == 0) return num >= 0;
        const double t = num / denom;
        if (denom < 0) {
            if (t > t1) return false;
            if (t > t0) t0 = t;
        } else {
            if (t < t0) return false;
            if (t < t1) t1 = t;
        }
        return true;
    };
    if (!edge(-dx, a.x - r.x0) || !edge(dx, r.x1 - a.x) || !edge(-dy, a.y - r.y0) ||
        !edge(dy, r.y1 - a.y)) {
        return false;
    }
    // Untouched ends stay bit-identical, so consecutive visible segments join up exactly.
    const Point start = a;
    if (t0 > 0) a = {start.x + t0 * dx, start.y + t0 * dy};
    if (t1 < 1) b = {start.x + t1 * dx, start.y + t1 * dy};
    return true;
}

// One Sutherland-Hodgman pass against the half-plane where keep(p) holds.
template <class Keep, class Cross>
std::vector<Point> clipEdge(const std::vector<Point>& in, Keep keep, Cross cross) {
    std::vector<Point> out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const Point& p = in[i];
        const Point& q = in[(i + 1) % in.size()];
        const bool pin = keep(p);
        const bool qin = keep(q);
        if (pin) out.push_back(p);
        if (pin != qin) out.push_back(cross(p, q));
    }
    return out;
}

Point atX(const Point& p, const Point& q, double x) {
    return {x, p.y + (q.y - p.y) * (x - p.x) / (q.x - p.x)};
}

Point atY(const Point& p, const Point& q, double y) {
    return {p.x + (q.x - p.x) * (y - p.y) / (q.y - p.y), y};
}

}  // namespace

bool inside(const Point& p, const Rect& r) {
    return p.x >= r.x0 && p.x <= r.x1 && p.y >= r.y0 && p.y <= r.y1;
}

std::vector<std::vector<Point>> clipPolyline(std::span<const Point> points, const Rect& r) {
    std::vector<std::vector<Point>> runs;
    std::vector<Point> run;
    auto flush = [&] {
        if (run.size() >= 2) runs.push_back(std::move(run));
        run.clear();
    };
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        Point a = points[i];
        Point b = points[i + 1];
        if (!finite(a) || !finite(b) || !clipSegment(a, b, r)) {
            flush();
            continue;
        }
        if (run.empty() || !(run.back() == a)) {
            flush();
            run.push_back(a);
        }
        run.push_back(b);
    }
    flush();
    return runs;
}

std::vector<Point> clipPolygon(std::span<const Point> points, const Rect& r) {
    std::vector<Point> poly;
    for (const Point& p : points) {
        if (finite(p)) poly.push_back(p);
    }
    if (poly.size() < 3) return {};
    poly = clipEdge(poly, [&](const Point& p) { return p.x >= r.x0; },
                    [&](const Point& p, const Point& q) { return atX(p, q, r.x0); });
    poly = clipEdge(poly, [&](const Point& p) { return p.x <= r.x1; },
                    [&](const Point& p, const Point& q) { return atX(p, q, r.x1); });
    poly = clipEdge(poly, [&](const Point& p) { return p.y >= r.y0; },
                    [&](const Point& p, const Point& q) { return atY(p, q, r.y0); });
    poly = clipEdge(poly, [&](const Point& p) { return p.y <= r.y1; },
                    [&](const Point& p, const Point& q) { return atY(p, q, r.y1); });
    if (poly.size() < 3) return {};
    return poly;
}

}  // namespace zemka::gks
