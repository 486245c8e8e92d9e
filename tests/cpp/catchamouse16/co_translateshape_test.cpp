#include "catchamouse16/co_translateshape.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tessaly {
namespace {

TEST(Cm16TranslateShape, TooShortGivesNaN) {
  // m = 6 has no centre; m = 7 has one count, too few for a standard deviation and an
  // empty window for the sliding-window summary.
  for (std::size_t n : {0u, 1u, 6u, 7u}) {
    SCOPED_TRACE(n);
    const std::vector<double> y(n, 0.5);
    EXPECT_TRUE(std::isnan(co_translateshape_circle_35_pts_std(y, false)));
    EXPECT_TRUE(std::isnan(co_translateshape_circle_35_pts_statav4_m(y, false)));
  }
}

TEST(Cm16TranslateShape, StdOfHandCountedShapes) {
  struct Case {
    std::vector<double> y;
    double expected;
    const char* why;
  };
  const std::vector<Case> cases = {
      {{0, 10, 20, 30, 40, 50, 60, 70, 80, 90}, 0.0, "steep ramp: only the centre counts"},
      {{0, 0, 0, 0, 0, 0, 0, 0}, 0.0, "flat: every point counts"},
      // Centres 3, 4, 5; the spike at 7 drops out of the windows of 4 and 5: 7, 6, 6.
      {{0, 0, 0, 0, 0, 0, 0, 10, 0}, std::sqrt(1.0 / 3.0), "spike"},
      // Centre 3: 1.80 at distance 3 is inside (9 + 3.24), 1.81 outside (9 + 3.2761);
      // centre 4 sees 1.81 at distance 2 and counts everything: 6, 7.
      {{1.80, 0, 0, 0, 0, 0, 1.81, 0}, std::sqrt(0.5), "radius 3.5 in the (position, value) plane"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_DOUBLE_EQ(co_translateshape_circle_35_pts_std(c.y, false), c.expected);
  }
}

TEST(Cm16TranslateShape, StatAv4OfHandCountedShapes) {
  // 14 points give 8 counts 7, 7, 7, 7, 7, 7, 7, 6 (the spike at 13 leaves centre 10);
  // four windows of 2 have means 7, 7, 7, 6.5 with sd 0.25; the counts have sd
  // sqrt(0.125).
  std::vector<double> y(14, 0.0);
  y[13] = 10.0;
  EXPECT_DOUBLE_EQ(co_translateshape_circle_35_pts_statav4_m(y, false), std::sqrt(0.5));
  // Equal counts have zero spread: 0 / 0.
  const std::vector<double> ramp = {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110};
  EXPECT_TRUE(std::isnan(co_translateshape_circle_35_pts_statav4_m(ramp, false)));
}

TEST(Cm16TranslateShape, CircleBoundaryUsesTheSumOfSquares) {
  // One off-centre point in the window of centre 3, at distance dx and height dy, chosen
  // where dx^2 + dy^2 rounds to exactly 12.25 (counted: the test is "at most") or one ulp
  // above it (not counted, although hypot(dx, dy) still rounds to 3.5). Centre 4 sees
  // the point too far away in both cases, so the counts are (7 or 6, 6 or 7).
  struct Case {
    std::size_t j;
    double dy;
    double expected;
    const char* why;
  };
  const std::vector<Case> cases = {
      {1, 2.8722813232690143, std::sqrt(0.5), "dx 2: sum exactly 12.25, counted: 7, 6"},
      {0, 1.8027756377319948, 0.0, "dx 3: sum exactly 12.25, counted: 7, 7"},
      {0, 1.802775637731995, std::sqrt(0.5), "dx 3: sum one ulp above, hypot 3.5: 6, 7"},
      {2, 3.3541019662496847, 0.0, "dx 1: sum one ulp above, hypot 3.5: 6, 6"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    std::vector<double> y(8, 0.0);
    y[c.j] = c.dy;
    EXPECT_EQ(co_translateshape_circle_35_pts_std(y, false), c.expected);
  }
}

TEST(Cm16TranslateShape, UnknownSummaryGivesNaN) {
  const std::vector<double> y = {0, 0, 0, 0, 0, 0, 0, 10, 0};
  EXPECT_TRUE(std::isnan(co_translateshape_circle_35_pts(y, "mean", false)));
  EXPECT_EQ(co_translateshape_circle_35_pts(y, "std", false), co_translateshape_circle_35_pts_std(y, false));
}

TEST(Cm16TranslateShape, NonFiniteValuesAreNotCounted) {
  // An infinite point is never within the circle, not even of its own (inf - inf is
  // NaN): centres 3, 4, 5 count 6, 0, 6.
  const std::vector<double> y = {0, 0, 0, 0, INFINITY, 0, 0, 0, 0};
  EXPECT_DOUBLE_EQ(co_translateshape_circle_35_pts_std(y, false), std::sqrt(12.0));
}

}  // namespace
}  // namespace tessaly
