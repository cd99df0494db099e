#include "gks/clip.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace zemka::gks {
namespace {

const Rect kUnit{0, 1, 0, 1};
const double kNaN = std::numeric_limits<double>::quiet_NaN();

double area(const std::vector<Point>& p) {
    double a = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const Point& q = p[(i + 1) % p.size()];
        a += p[i].x * q.y - q.x * p[i].y;
    }
    return std::abs(a) / 2;
}

TEST(ClipPolyline, CutsAtTheBoundaryAndKeepsInsideRunsWhole) {
    const std::vector<Point> line{{-1, 0.5}, {0.25, 0.5}, {0.5, 0.75}, {2, 0.75}};
    const auto runs = clipPolyline(line, kUnit);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0], (std::vector<Point>{{0, 0.5}, {0.25, 0.5}, {0.5, 0.75}, {1, 0.75}}));
}

TEST(ClipPolyline, LeavingAndComingBackGivesTwoRuns) {
    const std::vector<Point> line{{0.5, 0.25}, {1.5, 0.25}, {1.5, 0.75}, {0.5, 0.75}};
    const auto runs = clipPolyline(line, kUnit);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], (std::vector<Point>{{0.5, 0.25}, {1, 0.25}}));
    EXPECT_EQ(runs[1], (std::vector<Point>{{1, 0.75}, {0.5, 0.75}}));
    EXPECT_TRUE(clipPolyline(std::vector<Point>{{2, 2}, {3, -1}}, kUnit).empty());
}

TEST(ClipPolyline, FarPointsKeepTheirDirectionAndNonFinitePointsBreakTheLine) {
    // A point at 1e30 must not be squashed: the visible part still runs along the diagonal.
    const auto far = clipPolyline(std::vector<Point>{{0.5, 0.5}, {1e30, 1e30}}, kUnit);
    ASSERT_EQ(far.size(), 1u);
    EXPECT_EQ(far[0], (std::vector<Point>{{0.5, 0.5}, {1, 1}}));

    const std::vector<Point> gap{{0.1, 0.1}, {0.2, 0.2}, {kNaN, 0.3}, {0.4, 0.4}, {0.5, 0.5}};
    const auto runs = clipPolyline(gap, kUnit);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], (std::vector<Point>{{0.1, 0.1}, {0.2, 0.2}}));
    EXPECT_EQ(runs[1], (std::vector<Point>{{0.4, 0.4}, {0.5, 0.5}}));
}

TEST(ClipPolygon, KeepsOnlyThePartInside) {
    // Half of this square lies left of x = 0.
    const auto half = clipPolygon(std::vector<Point>{{-0.5, 0}, {0.5, 0}, {0.5, 1}, {-0.5, 1}},
                                  kUnit);
    EXPECT_DOUBLE_EQ(area(half), 0.5);
    for (const Point& p : half) EXPECT_TRUE(inside(p, kUnit));

    // A polygon around the whole rectangle becomes the rectangle.
    const auto all = clipPolygon(std::vector<Point>{{-5, -5}, {5, -5}, {5, 5}, {-5, 5}}, kUnit);
    EXPECT_DOUBLE_EQ(area(all), 1.0);

    EXPECT_TRUE(clipPolygon(std::vector<Point>{{2, 2}, {3, 2}, {3, 3}}, kUnit).empty());
}

TEST(ClipPolygon, DropsNonFiniteVertices) {
    const std::vector<Point> p{{0, 0}, {1, 0}, {kNaN, kNaN}, {1, 1}, {0, 1}};
    EXPECT_DOUBLE_EQ(area(clipPolygon(p, kUnit)), 1.0);
    EXPECT_TRUE(clipPolygon(std::vector<Point>{{0, 0}, {kNaN, 1}, {1, 1}}, kUnit).empty());
}

}  // namespace
}  // namespace zemka::gks
