#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <span>
#include <vector>

#include "helpers/common/stats.h"
#include "tsfeatures/nonlinearity.h"
#include "literal_solver.h"
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

TEST(NonlinearityTest, MatchesLiteralRegressionsBitForBit) {
  // Both regressions written out with the plain solver, on nonlinear AR series
  // around an offset.
  std::mt19937_64 gen(17);
  std::normal_distribution<double> noise(0.0, 1.0);
  for (std::size_t n : {3u, 4u, 6u, 10u, 31u, 200u, 1500u}) {
    SCOPED_TRACE(n);
    std::vector<double> y(n);
    double x = 0.0;
    for (double& v : y) {
      x = 0.5 * x - 0.3 * x * x / (1.0 + x * x) + noise(gen);
      v = 12.0 + x;
    }
    const std::vector<double> z = zscore(y);
    const std::size_t rows = n - 1;
    std::vector<double> a(z.begin(), z.end() - 1);
    std::vector<double> c(z.begin() + 1, z.end());
    std::vector<double> ones(rows, 1.0), a2(rows), a3(rows);
    for (std::size_t t = 0; t < rows; ++t) {
      a2[t] = a[t] * a[t];
      a3[t] = (a[t] * a[t]) * a[t];
    }
    const test::LiteralFit first = test::literal_solve({ones, a}, c);
    ASSERT_TRUE(first.ok);
    const test::LiteralFit second = test::literal_solve({ones, a, a2, a3}, first.residuals);
    const double expected =
        second.ok ? static_cast<double>(n) * std::log(first.ssr / second.ssr) * 10.0 /
                        static_cast<double>(n)
                  : kQNaN;
    const double got = nonlinearity(y);
    if (std::isnan(expected)) {
      EXPECT_TRUE(std::isnan(got));
    } else {
      EXPECT_EQ(got, expected);
    }
  }
}

}  // namespace
}  // namespace tessaly
