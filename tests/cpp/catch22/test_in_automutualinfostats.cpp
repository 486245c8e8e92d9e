#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "catch22/in_automutualinfostats.h"
#include "lcg_series.h"

namespace tessaly {
namespace {

TEST(InAutoMutualInfoFmmiTest, LagBoundAndDegenerateSeries) {
  struct Case {
    std::string why;
    std::vector<double> y;
    bool normalize;
    double expected;
  };
  const std::vector<Case> cases = {
      {"empty", {}, true, kQNaN},
      {"one value", {1}, true, kQNaN},
      {"n = 2: one lag", {1, 2}, true, 1.0},
      {"n = 3: two lags", {1, 3, 2}, true, 2.0},
      {"n = 4: two lags", {1, 3, 2, 4}, false, 2.0},
      {"NaN", {1, kQNaN, 3}, true, kQNaN},
      {"inf", {1, -kInf, 3}, false, kQNaN},
      {"constant normalised: every correlation NaN", std::vector<double>(10, 3), true, 5.0},
      {"constant raw", std::vector<double>(10, 3), false, 5.0},
      {"constant, long: bound 40", std::vector<double>(100, 3), true, 40.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    const double got = in_automutualinfostats_40_gaussian_fmmi(c.y, c.normalize);
    EXPECT_TRUE(same_double(got, c.expected)) << "got " << got;
  }
}

TEST(InAutoMutualInfoFmmiTest, ReferenceValues) {
  std::vector<double> sine(200);
  for (std::size_t i = 0; i < sine.size(); ++i) sine[i] = std::sin(2 * M_PI * i / 20.0);
  // Correlation closest to 0 at lag 5, which is entry 4 of the sequence.
  EXPECT_EQ(in_automutualinfostats_40_gaussian_fmmi(sine, true), 4.0);
  EXPECT_EQ(in_automutualinfostats_40_gaussian_fmmi(lcg_noise(300, 7), true), 2.0);
  EXPECT_EQ(in_automutualinfostats_40_gaussian_fmmi(lcg_walk(300, 11), true), 40.0);
  for (bool normalize : {false, true}) {
    const std::vector<double> huge = scaled(lcg_noise(80, 2), 1e300);
    const double v = in_automutualinfostats_40_gaussian_fmmi(huge, normalize);
    EXPECT_TRUE(std::isnan(v) || (v >= 1.0 && v <= 40.0)) << v;
  }
}

}  // namespace
}  // namespace tessaly
