// Plain value types shared by the GKS kernel and the PostScript workstation.
#pragma once

namespace zemka::gks {

struct Point {
    double x = 0;
    double y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Axis-parallel rectangle; callers keep x0 < x1 and y0 < y1.
struct Rect {
    double x0 = 0;
    double x1 = 1;
    double y0 = 0;
    double y1 = 1;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Rgb {
    double r = 0;
    double g = 0;
    double b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

}  // namespace zemka::gks
