#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
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
  } cases[] = {{0, 0},    {1, 1},    {3, 1},    {4, 1},     {24, 2},    {40, 3},       {99, 3},
               {100, 4},  {1000, 7}, {1599, 7}, {1600, 8},  {8099, 11}, {8100, 12},    {1000000, 40},
               {SIZE_MAX, 82897}};
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

// The tests written out step by step, one plain loop per sum.
std::uint64_t literal_lags(std::size_t n) {
  const double v = std::pow(static_cast<double>(n) / 100.0, 0.25) * 4.0;
  return static_cast<std::uint64_t>(v);
}

double literal_kpss(const std::vector<double>& y) {
  const std::size_t n = y.size();
  double total = -0.0;
  for (double v : y) total += v;
  const double mu = total / static_cast<double>(n);
  std::vector<double> e(n);
  for (std::size_t t = 0; t < n; ++t) e[t] = y[t] - mu;
  double eta = -0.0;
  double run = 0.0;
  for (std::size_t t = 0; t < n; ++t) {
    run = t == 0 ? e[0] : run + e[t];
    eta += run * run;
  }
  const std::uint64_t lags = literal_lags(n);
  const std::uint64_t m = lags < n - 1 ? lags : n - 1;
  double v = -0.0;
  for (std::size_t t = 0; t < n; ++t) v += e[t] * e[t];
  for (std::uint64_t t = 1; t <= m; ++t) {
    double s = -0.0;
    for (std::size_t i = 0; i <= n - 1 - t; ++i) s += e[i] * e[i + t];
    const double c = 2.0 * s;
    v = v + (1.0 - static_cast<double>(t) / static_cast<double>(m + 1)) * c;
  }
  v = v / static_cast<double>(n);
  return eta / (static_cast<double>(n) * static_cast<double>(n)) / v;
}

double literal_pp(const std::vector<double>& y) {
  const std::size_t n = y.size();
  const std::size_t np = n - 1;
  std::vector<double> a(y.begin(), y.end() - 1);
  std::vector<double> b(y.begin() + 1, y.end());
  double sa = -0.0, sb = -0.0;
  for (std::size_t k = 0; k < np; ++k) sa += a[k];
  for (std::size_t k = 0; k < np; ++k) sb += b[k];
  const double abar = sa / static_cast<double>(np);
  const double bbar = sb / static_cast<double>(np);
  double sxy = -0.0, sxx = -0.0;
  for (std::size_t k = 0; k < np; ++k) sxy += (a[k] - abar) * (b[k] - bbar);
  for (std::size_t k = 0; k < np; ++k) sxx += (a[k] - abar) * (a[k] - abar);
  const double rho = sxy / sxx;
  const double alpha = bbar - abar * rho;
  std::vector<double> r(np);
  for (std::size_t k = 0; k < np; ++k) r[k] = b[k] - (alpha + rho * a[k]);
  double ssr = -0.0;
  for (std::size_t k = 0; k < np; ++k) ssr += r[k] * r[k];
  double c = -0.0;
  for (std::size_t k = 0; k < np; ++k) c += (b[k] - bbar) * (b[k] - bbar);
  const std::uint64_t lags = literal_lags(n);
  const std::uint64_t used = lags < n - 2 ? lags : n - 2;
  double w = -0.0;
  for (std::uint64_t j = 1; j <= used; ++j) {
    double g = -0.0;
    for (std::size_t t = 0; t <= np - 1 - j; ++t) g += r[t] * r[t + j];
    w += (1.0 - static_cast<double>(j) / static_cast<double>(lags + 1)) * g;
  }
  const double s = ssr / static_cast<double>(np);
  const double sigma2 = s + (2.0 / static_cast<double>(np)) * w;
  const double lambda = (sigma2 - s) / 2.0;
  return static_cast<double>(np) * (rho - 1.0) -
         lambda / (c / static_cast<double>(np * np));
}

TEST(UnitRootLiteralReference, BothStatisticsMatchBitForBit) {
  // A random walk with drift and a stationary AR(1) around an offset, over lengths
  // that cross several lag counts (and where the lag count is capped).
  std::mt19937_64 gen(5);
  std::normal_distribution<double> noise(0.0, 1.0);
  for (std::size_t n : {2u, 3u, 4u, 5u, 7u, 10u, 24u, 57u, 100u, 333u, 1000u, 4321u}) {
    for (int kind = 0; kind < 2; ++kind) {
      SCOPED_TRACE(testing::Message() << "n " << n << " kind " << kind);
      std::vector<double> y(n);
      double x = kind == 0 ? 0.0 : 40.0;
      for (double& v : y) {
        x = kind == 0 ? x + 0.1 + noise(gen) : 40.0 + 0.6 * (x - 40.0) + noise(gen);
        v = x;
      }
      EXPECT_EQ(unitroot_kpss(y), literal_kpss(y));
      if (n > 2) {
        EXPECT_EQ(unitroot_pp(y), literal_pp(y));
      }
    }
  }
}

}  // namespace
}  // namespace tessaly
