#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <span>
#include <vector>

#include "tsfeatures/arch_stat.h"
#include "literal_solver.h"
#include "ar_series_fixture.h"

namespace tessaly {
namespace {

using test::kArSeries;

constexpr double kQNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::uint64_t kHugeLags = std::numeric_limits<std::uint64_t>::max();

std::span<const double> prefix(std::size_t n) {
  return std::span<const double>(kArSeries).first(n);
}

TEST(ArchStatTest, TooFewValuesForTheLagsGiveNaN) {
  const struct {
    std::size_t n;
    std::uint64_t lags;
    const char* why;
  } cases[] = {
      {0, 0, "empty"},
      {0, 12, "empty, default lags"},
      {1, 0, "lags + 1 = n"},
      {13, 12, "default lags need 14 values"},
      {13, 13, "lags = n"},
      {13, 40, "lags > n"},
      {13, kHugeLags, "lags + 1 would wrap to 0"},
      {13, kHugeLags - 1, "lags + 2 would wrap"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_TRUE(std::isnan(arch_stat(prefix(c.n), c.lags, true)));
    EXPECT_TRUE(std::isnan(arch_stat(prefix(c.n), c.lags, false)));
  }
}

TEST(ArchStatTest, FourteenValuesReachAnUnderdeterminedRegression) {
  // Two rows for thirteen coefficients: the pivots after the second column are
  // rounding residue below the threshold.
  EXPECT_TRUE(std::isnan(arch_stat(prefix(14), 12, true)));
  EXPECT_TRUE(std::isnan(arch_stat(prefix(14), 12, false)));
  // The largest admissible lag count runs the same path on a longer series.
  EXPECT_TRUE(std::isnan(arch_stat(prefix(40), 38, true)));
}

TEST(ArchStatTest, MatchesExactRegressionReference) {
  // References computed in exact rational arithmetic from the decimal inputs.
  const struct {
    std::uint64_t lags;
    bool demean;
    double expected;
  } cases[] = {
      {1, true, 0.13149815045317415},
      {3, false, 0.1566585905737535},
      {12, true, 0.32313116789573404},
      {12, false, 0.3179598464744295},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "lags " << c.lags << " demean " << c.demean);
    EXPECT_NEAR(arch_stat(kArSeries, c.lags, c.demean), c.expected, 1e-10);
  }
}

TEST(ArchStatTest, MeanOnlyFitAndDegenerateSumsOfSquares) {
  std::vector<double> alternating(20);
  for (std::size_t i = 0; i < alternating.size(); ++i) alternating[i] = i % 2 == 0 ? 1.0 : -1.0;
  std::vector<double> small(20);
  for (std::size_t i = 0; i < small.size(); ++i) small[i] = 1e-4 * static_cast<double>(i % 7);
  const struct {
    std::vector<double> y;
    std::uint64_t lags;
    bool demean;
    double expected;
    const char* why;
  } cases[] = {
      {{kArSeries.begin(), kArSeries.end()}, 0, true, 0.0, "lags 0: SSR equals SST"},
      {{kArSeries.begin(), kArSeries.end()}, 0, false, 0.0, "lags 0, raw squares"},
      {alternating, 0, false, 1.0, "all squares 1: SST = SSR = 0"},
      {small, 0, false, 1.0, "0 < SST < 1e-10 and SSR below it"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(arch_stat(c.y, c.lags, c.demean), c.expected);
  }
  // Lag columns identical to the column of ones make the system singular.
  EXPECT_TRUE(std::isnan(arch_stat(alternating, 1, false)));
  EXPECT_TRUE(std::isnan(arch_stat(alternating, 12, false)));
}

TEST(ArchStatTest, NonFiniteValues) {
  std::vector<double> with_nan(kArSeries.begin(), kArSeries.end());
  with_nan[20] = kQNaN;
  std::vector<double> with_inf(kArSeries.begin(), kArSeries.end());
  with_inf[20] = kInf;
  for (bool demean : {true, false}) {
    SCOPED_TRACE(demean);
    EXPECT_TRUE(std::isnan(arch_stat(with_nan, 12, demean)));
    EXPECT_TRUE(std::isnan(arch_stat(with_nan, 0, demean)));
    EXPECT_TRUE(std::isnan(arch_stat(with_inf, 2, demean)));
  }
}

// The ARCH regression built row by row, then the R^2 rule.
double literal_arch(const std::vector<double>& y, std::size_t p, bool demean) {
  const std::size_t n = y.size();
  std::vector<double> u = y;
  if (demean) {
    double total = -0.0;
    for (double v : y) total += v;
    const double mu = total / static_cast<double>(n);
    for (double& v : u) v = v - mu;
  }
  std::vector<double> s(n);
  for (std::size_t t = 0; t < n; ++t) s[t] = u[t] * u[t];
  std::vector<std::vector<double>> columns(p + 1);
  std::vector<double> response;
  for (std::size_t t = p; t < n; ++t) {
    response.push_back(s[t]);
    columns[0].push_back(1.0);
    for (std::size_t j = 1; j <= p; ++j) columns[j].push_back(s[t - j]);
  }
  const test::LiteralFit fit = test::literal_solve(columns, response);
  if (!fit.ok) return kQNaN;
  const std::size_t rows = response.size();
  double total = -0.0;
  for (double v : response) total += v;
  const double ybar = total / static_cast<double>(rows);
  double sst = -0.0, ssr = -0.0;
  for (std::size_t t = 0; t < rows; ++t) sst += (response[t] - ybar) * (response[t] - ybar);
  for (std::size_t t = 0; t < rows; ++t) {
    double f = -0.0;
    for (std::size_t i = 0; i <= p; ++i) f += columns[i][t] * fit.beta[i];
    ssr += (response[t] - f) * (response[t] - f);
  }
  if (sst == 0.0) return ssr == 0.0 ? 1.0 : 0.0;
  if (sst > 0.0 && sst < 1e-10) return ssr < 1e-10 ? 1.0 : 0.0;
  return 1.0 - ssr / sst;
}

TEST(ArchStatTest, MatchesLiteralRegressionBitForBit) {
  // A GARCH-like series around an offset, so the squares are clustered and the
  // demeaning matters.
  std::mt19937_64 gen(23);
  std::normal_distribution<double> noise(0.0, 1.0);
  std::size_t compared = 0;
  for (std::size_t n : {16u, 40u, 150u, 1000u}) {
    std::vector<double> y(n);
    double h = 1.0, e = 0.0;
    for (double& v : y) {
      h = 0.2 + 0.3 * e * e + 0.5 * h;
      e = std::sqrt(h) * noise(gen);
      v = 3.0 + e;
    }
    for (std::size_t p : {0u, 1u, 2u, 5u, 12u}) {
      if (p + 1 >= n) continue;
      for (bool demean : {true, false}) {
        SCOPED_TRACE(testing::Message() << "n " << n << " lags " << p << " demean " << demean);
        const double expected = literal_arch(y, p, demean);
        const double got = arch_stat(y, p, demean);
        if (std::isnan(expected)) {
          EXPECT_TRUE(std::isnan(got));
        } else {
          ++compared;
          EXPECT_EQ(got, expected);
        }
      }
    }
  }
  EXPECT_GT(compared, 30u);
}

}  // namespace
}  // namespace tessaly
