#include "helpers/common/linear_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

namespace tessaly {
namespace {

TEST(LinearFit, ExactLines) {
  struct Case {
    std::vector<double> x, y;
    double slope, intercept;
  };
  const std::vector<Case> cases = {
      {{1, 2, 3}, {2, 4, 6}, 2, 0},
      {{0, 1}, {1, 3}, 2, 1},
      {{-1, 0, 1}, {5, 5, 5}, 0, 5},
  };
  for (const auto& c : cases) {
    const auto fit = linear_fit(c.x, c.y);
    ASSERT_TRUE(fit.ok());
    EXPECT_EQ(c.slope, fit->slope);
    EXPECT_EQ(c.intercept, fit->intercept);
  }
}

TEST(LinearFit, ClosedFormBits) {
  const std::vector<double> x = {0.1, 0.7, 1.3, 2.9};
  const std::vector<double> y = {1.1, -0.3, 2.2, 0.4};
  double sx = -0.0, sxx = -0.0, sxy = -0.0, sy = -0.0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    sx += x[i];
    sxx += x[i] * x[i];
    sxy += x[i] * y[i];
    sy += y[i];
  }
  const double n = 4.0;
  const double d = sxx * n - sx * sx;
  const auto fit = linear_fit(x, y);
  ASSERT_TRUE(fit.ok());
  EXPECT_EQ((n * sxy - sx * sy) / d, fit->slope);
  EXPECT_EQ((sxx * sy - sx * sxy) / d, fit->intercept);
}

TEST(LinearFit, SingularAndNaN) {
  const std::vector<std::vector<double>> singular_x = {{}, {3}, {2, 2}, {1.5, 1.5, 1.5}};
  for (const auto& x : singular_x) {
    const std::vector<double> y(x.size(), 1.0);
    const auto fit = linear_fit(x, y);
    ASSERT_FALSE(fit.ok());
    EXPECT_EQ(kSingularMatrix, fit.error());
  }
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const auto fit = linear_fit(std::vector<double>{1, 2, 3}, std::vector<double>{1, nan, 3});
  ASSERT_TRUE(fit.ok());
  EXPECT_TRUE(std::isnan(fit->slope));
  EXPECT_TRUE(std::isnan(fit->intercept));
  // NaN in x makes D NaN, which is not a failure either.
  EXPECT_TRUE(linear_fit(std::vector<double>{nan, 2}, std::vector<double>{1, 2}).ok());
}

TEST(LinearFit, UnequalLengthsAreAnInternalFailure) {
  EXPECT_THROW(linear_fit(std::vector<double>{1, 2}, std::vector<double>{1}), std::invalid_argument);
}

}  // namespace
}  // namespace tessaly
