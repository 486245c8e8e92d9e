#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <span>
#include <vector>

#include "tsfeatures/nonlinearity.h"
#include "ar_series_fixture.h"

namespace tessaly {
namespace {

using test::kArSeries;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kQNaN = std::numeric_limits<double>::quiet_NaN();

TEST(NonlinearityTest, DegenerateSeriesGiveNaN) {
  const struct {
    std::vector<double> y;
    const char* why;
  } cases[] = {
      {{}, "empty"},
      {{1.5}, "one value"},
      {{1.0, 2.0}, "one row cannot fix two coefficients"},
      {{4, 4, 4, 4, 4, 4}, "constant: z-scores are NaN"},
      {{1, 2, kQNaN, 4, 3, 5}, "NaN"},
      {{1, 2, kInf, 4, 3, 5}, "infinity"},
      {{1, 2, -kInf, 4, 3, 5}, "negative infinity"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_TRUE(std::isnan(nonlinearity(c.y)));
  }
}

TEST(NonlinearityTest, TestRoutineNamesItsFailures) {
  const Expected<double> short_series = nonlinearity_test(std::vector<double>{7.0});
  ASSERT_FALSE(short_series.ok());
  EXPECT_EQ(short_series.error(), "Dimension larger than series length");
  const Expected<double> two = nonlinearity_test(std::vector<double>{1.0, 2.0});
  ASSERT_FALSE(two.ok());
  EXPECT_EQ(two.error(), "Singular matrix");
}

TEST(NonlinearityTest, MatchesExactRegressionReference) {
  // References: z-scores in doubles, both regressions in exact rationals.
  const struct {
    std::size_t n;
    double expected;
  } cases[] = {{12, 2.7341892347437504}, {40, 0.060116742927689926}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.n);
    const std::span<const double> y = std::span<const double>(kArSeries).first(c.n);
    const double v = nonlinearity(y);
    EXPECT_NEAR(v, c.expected, 1e-9 * c.expected);
    // The scale 10 / n cancels the factor m = n of the chi-squared statistic.
    EXPECT_DOUBLE_EQ(*nonlinearity_test(y) / static_cast<double>(c.n) * 10.0, v);
  }
}

TEST(NonlinearityTest, InvariantToAffineRescalingBeforeZScoring) {
  // Doubling the series doubles the mean and the standard deviation exactly, so
  // the z-scores and the statistic keep every bit.
  std::vector<double> doubled(kArSeries.begin(), kArSeries.end());
  for (double& v : doubled) v *= 2.0;
  EXPECT_EQ(nonlinearity(doubled), nonlinearity(kArSeries));
}

}  // namespace
}  // namespace tessaly
