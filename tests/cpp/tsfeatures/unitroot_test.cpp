#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "tsfeatures/unitroot_kpss.h"
#include "tsfeatures/unitroot_lags.h"
#include "tsfeatures/unitroot_pp.h"
#include "ar_series_fixture.h"

namespace tessaly {
namespace {

using test::kArSeries;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kQNaN = std::numeric_limits<double>::quiet_NaN();

std::span<const double> prefix(std::size_t n) {
  return std::span<const double>(kArSeries).first(n);
}

TEST(UnitRootLagCount, TruncatesFourthRootRule) {
  const struct {
    std::size_t n;
    std::uint64_t lags;
  } cases[] = {{0, 0}, {1, 1}, {3, 1}, {4, 1}, {24, 2}, {40, 3}, {100, 4}, {1000, 7}, {1000000, 40}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_EQ(unitroot_lag_count(c.n), c.lags);
  }
}

struct ErrorCase {
  std::vector<double> y;
  std::string message;
  const char* why;
};

TEST(KpssTest, ErrorsCarryTheirMessageAndBecomeNaN) {
  const std::vector<ErrorCase> cases = {
      {{}, "Input array is empty", "empty"},
      {{3.5}, "Variance estimate is non-positive", "one value has no spread"},
      {{1, 1, 1, 1}, "Variance estimate is non-positive", "constant with an exact mean"},
      {{1, kQNaN, 3}, "Invalid variance estimate", "NaN spreads to every deviation"},
      {{1, kInf, 3}, "Invalid variance estimate", "infinite mean gives NaN deviations"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    const Expected<double> r = kpss_test(c.y);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error(), c.message);
    EXPECT_TRUE(std::isnan(unitroot_kpss(c.y)));
  }
}

TEST(KpssTest, FourValuesUseOneHalfWeightedLag) {
  // e = -1.5 -0.5 0.5 1.5, partial sums -1.5 -2 -1.5 0, eta = 8.5; m = 1;
  // V = (5 + (1 - 1/2) * 2 * 1.25) / 4 = 1.5625; 8.5 / 16 / 1.5625 = 0.34.
  const std::vector<double> y = {1, 2, 3, 4};
  EXPECT_EQ(unitroot_kpss(y), 0.34);
}

TEST(KpssTest, MatchesExactRationalReference) {
  // References computed in exact rational arithmetic from the decimal inputs.
  const struct {
    std::size_t n;
    double expected;
  } cases[] = {{24, 0.33021732380058716}, {40, 0.15426159422226435}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_NEAR(unitroot_kpss(prefix(c.n)), c.expected, 1e-13 * c.expected);
  }
}

TEST(PhillipsPerronTest, ErrorsCarryTheirMessageAndBecomeNaN) {
  const std::vector<ErrorCase> cases = {
      {{}, "Time series too short", "empty"},
      {{2.0}, "Time series too short", "one value"},
      {{1, kQNaN, 3, 4}, "Time series contains NaN values", "NaN"},
      {{4, 7}, "Singular matrix in OLS", "one lagged value has no spread"},
      {{3, 3, 3, 5}, "Singular matrix in OLS", "constant lagged part"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    const Expected<double> r = pp_test(c.y);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error(), c.message);
    EXPECT_TRUE(std::isnan(unitroot_pp(c.y)));
  }
}

TEST(PhillipsPerronTest, ExactFitsLeaveOnlyTheSlopeTerm) {
  const struct {
    std::vector<double> y;
    double expected;
    const char* why;
  } cases[] = {
      {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 0.0, "straight line: rho = 1, residuals 0"},
      {{1, 3, 2}, -3.0, "two points fit exactly: rho = -0.5, 2 * (rho - 1)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    const Expected<double> r = pp_test(c.y);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(*r, c.expected);
  }
}

TEST(PhillipsPerronTest, MatchesExactRationalReference) {
  // n = 5 uses one autocovariance, n = 24 two, n = 40 three.
  const struct {
    std::size_t n;
    double expected;
  } cases[] = {{5, -1.6589982582607594}, {24, -8.6400140600572}, {40, -14.943012657230906}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_NEAR(unitroot_pp(prefix(c.n)), c.expected, 1e-12 * std::fabs(c.expected));
  }
}

TEST(PhillipsPerronTest, InfinityAndConstantCurrentSeriesGiveNaN) {
  // Infinities are not screened; they reach the arithmetic and give NaN. A
  // constant current series makes the final denominator 0 / n'^2 and 0 / 0 = NaN.
  EXPECT_TRUE(std::isnan(unitroot_pp(std::vector<double>{1, kInf, 2, 5})));
  EXPECT_TRUE(std::isnan(unitroot_pp(std::vector<double>{5, 1, 1, 1})));
}

}  // namespace
}  // namespace tessaly
