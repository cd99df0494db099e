// Clipping of output primitives to the clip rectangle, done before anything reaches the file so
// that far-away or non-finite coordinates never turn into PostScript numbers.
#pragma once

#include <span>
#include <vector>

#include "geometry.h"

namespace zemka::gks {

bool inside(const Point& p, const Rect& r);

// The visible pieces of a polyline, each of at least two points. A non-finite point breaks the
// line, as a gap in a solver's data should.
std::vector<std::vector<Point>> clipPolyline(std::span<const Point> points, const Rect& r);

// The part of a polygon inside the rectangle (empty if fewer than three vertices remain).
// Non-finite vertices are dropped.
std::vector<Point> clipPolygon(std::span<const Point> points, const Rect& r);

}  // namespace zemka::gks
