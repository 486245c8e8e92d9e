#include "catchamouse16/in_automutualinfostats_diff.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "shape_info_series.h"

namespace tessaly {
namespace {

// The series whose differences are d, starting at 0.
std::vector<double> integrate(const std::vector<double>& d) {
  std::vector<double> y = {0.0};
  for (double v : d) y.push_back(y.back() + v);
  return y;
}

TEST(Cm16DiffGaussianAmi, HandComputedCorrelation) {
  // 14 values, 13 differences; at lag 8 the pairs are (1, 1), (2, 3), (3, 2), (4, 5),
  // (5, 4) with correlation 0.8, so the information is -0.5 ln 0.36.
  const auto y = integrate({1, 2, 3, 4, 5, 9, -7, 0.5, 1, 3, 2, 5, 4});
  ASSERT_EQ(y.size(), 14u);
  EXPECT_NEAR(in_automutualinfostats_diff_20_gaussian_ami8(y, false), -0.5 * std::log(0.36), 1e-12);
}

TEST(Cm16DiffGaussianAmi, LengthThreshold) {
  // ceil((m - 1) / 2) must reach 7: m = 13 gives 6.
  for (std::size_t m : {0u, 1u, 2u, 13u}) {
    SCOPED_TRACE(m);
    EXPECT_TRUE(std::isnan(in_automutualinfostats_diff_20_gaussian_ami8(testing::walk_series(m, 2), false)));
  }
  EXPECT_TRUE(std::isfinite(in_automutualinfostats_diff_20_gaussian_ami8(testing::walk_series(14, 2), false)));
}

TEST(Cm16DiffGaussianAmi, ConstantDifferencesGiveNaN) {
  // A ramp has constant differences: no correlation can be formed.
  std::vector<double> ramp(30);
  for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = 0.5 * static_cast<double>(i);
  EXPECT_TRUE(std::isnan(in_automutualinfostats_diff_20_gaussian_ami8(ramp, false)));
}

}  // namespace
}  // namespace tessaly
