#include "helpers/common/stats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace tessaly {
namespace {

const double nan = std::numeric_limits<double>::quiet_NaN();
const double inf = std::numeric_limits<double>::infinity();

void expect_same(double expected, double actual) {
  if (std::isnan(expected)) {
    EXPECT_TRUE(std::isnan(actual)) << actual;
  } else {
    EXPECT_EQ(expected, actual);
  }
}

void expect_same(const std::vector<double>& expected, const std::vector<double>& actual) {
  ASSERT_EQ(expected.size(), actual.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    expect_same(expected[i], actual[i]);
  }
}

struct KindCase {
  std::vector<double> x;
  std::optional<std::string_view> kind;
  double expected;
  const char* why;
};

TEST(StatsMeanByKind, Table) {
  const std::vector<KindCase> cases = {
      {{1, 2, 3, 4}, std::nullopt, 2.5, "absent kind is arithmetic"},
      {{1, 2, 3, 4}, "arithmetic", 2.5, "arithmetic"},
      {{1, 2, 3, 4}, "Arithmetic", 2.5, "unknown (case-sensitive) is arithmetic"},
      {{}, "arithmetic", nan, "empty is 0/0"},
      {{1, nan, 3}, "arithmetic", nan, "NaN rule"},
      {{1, nan, 3}, "harmonic", nan, "NaN rule applies to every kind"},
      {{3, 4}, "rms", std::sqrt(12.5), "rms"},
      {{1, 2, 4}, "harmonic", 3 / 1.75, "harmonic"},
      {{1, 0}, "harmonic", 0.0, "zero element makes the reciprocal sum infinite"},
      {{2, 0}, "geometric", 0.0, "zero element"},
      {{2, -1}, "geometric", nan, "negative element"},
      {{1, 2, 3, 4, 100}, "iqm", 3.0, "iqm keeps 2, 3, 4"},
      {{9, 2, 1, 9, 3, 2, 9, 2}, "iqm", 36.0 / 7.0, "iqm: every copy of a boundary value counts"},
      {{1, 2, 3, 4}, "midhinge", 2.5, "midhinge of quartiles 1.5 and 3.5"},
      {{}, "midhinge", nan, "empty quantile is NaN"},
      {{}, "iqm", nan, "empty iqm is NaN"},
      {{1, inf}, "arithmetic", inf, "infinities flow through"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    expect_same(c.expected, mean_by_kind(c.x, c.kind));
  }
  EXPECT_NEAR(4.0, mean_by_kind(std::vector<double>{1, 4, 16}, "geometric"), 1e-12);
}

TEST(StatsMean, SumsLeftToRightFromNegativeZero) {
  // Left to right: (1e16 + 1) + 1 loses both ones; any other order keeps one.
  const std::vector<double> x = {1e16, 1.0, 1.0};
  EXPECT_EQ(1e16, sum(x));
  EXPECT_TRUE(std::signbit(sum(std::vector<double>{})));
  EXPECT_TRUE(std::signbit(sum(std::vector<double>{-0.0, -0.0})));
  EXPECT_EQ(2.5, mean(std::vector<double>{1, 2, 3, 4}));
  EXPECT_TRUE(std::isnan(mean(std::vector<double>{})));
}

TEST(StatsSpread, VarianceAndStd) {
  EXPECT_EQ(1.0, sample_std(std::vector<double>{1, 2, 3}));
  EXPECT_EQ(2.0, sample_variance(std::vector<double>{2, 4}));
  EXPECT_TRUE(std::isnan(sample_std(std::vector<double>{7})));
  EXPECT_TRUE(std::isnan(sample_variance(std::vector<double>{})));
  EXPECT_TRUE(std::isnan(sample_variance(std::vector<double>{1, nan, 3})));
  EXPECT_TRUE(std::isnan(sample_variance(std::vector<double>{inf, -inf})));  // mean NaN
  EXPECT_EQ(0.0, sample_std(std::vector<double>{5, 5, 5}));
}

TEST(StatsZscore, Table) {
  expect_same({-1, 0, 1}, zscore(std::vector<double>{1, 2, 3}));
  expect_same({nan, nan, nan}, zscore(std::vector<double>{5, 5, 5}));
  expect_same({nan}, zscore(std::vector<double>{7}));
  expect_same({nan}, zscore(std::vector<double>{1, nan, 3}));
  expect_same({nan}, zscore(std::vector<double>{nan, nan, nan, nan}));
  EXPECT_TRUE(zscore(std::vector<double>{}).empty());
}

TEST(StatsOrder, MedianAndQuantile) {
  expect_same(2, series_median(std::vector<double>{3, 1, 2}));
  expect_same(2.5, series_median(std::vector<double>{4, 1, 3, 2}));
  expect_same(7, series_median(std::vector<double>{7}));
  expect_same(nan, series_median(std::vector<double>{}));
  expect_same(nan, series_median(std::vector<double>{1, nan}));

  const std::vector<double> four = {4, 2, 3, 1};
  expect_same(2.5, quantile(four, 0.5));
  expect_same(1, quantile(four, 0.1));     // below 0.5 / n
  expect_same(1, quantile(four, 0.125));   // exactly 0.5 / n: h = 0
  expect_same(4, quantile(four, 0.95));
  expect_same(4, quantile(four, 0.875));   // exactly 1 - 0.5 / n: h = n - 1
  expect_same(1.5, quantile(four, 0.25));
  expect_same(3.5, quantile(four, 0.75));
  expect_same(2, quantile(std::vector<double>{3, 1, 2}, 0.5));  // lo = hi
  expect_same(nan, quantile(std::vector<double>{}, 0.5));
  expect_same(nan, quantile(std::vector<double>{1, nan}, 0.5));
  // Interpolation order: s[lo] + (s[hi] - s[lo]) * (h - lo) / (hi - lo).
  const std::vector<double> two = {0.1, 0.7};
  const double h = 0.3 * 2 - 0.5;
  expect_same(0.1 + (0.7 - 0.1) * (h - 0.0) / 1.0, quantile(two, 0.3));
}

TEST(StatsQuantile, ThresholdRoundingStaysInBounds) {
  // p = 0.5 / n and 1 - 0.5 / n for many n: h may round a hair past the ends.
  for (std::size_t n = 1; n < 400; ++n) {
    std::vector<double> x(n);
    for (std::size_t i = 0; i < n; ++i) x[i] = static_cast<double>(i);
    const double nr = static_cast<double>(n);
    EXPECT_EQ(0.0, quantile(x, 0.5 / nr));
    EXPECT_EQ(nr - 1, quantile(x, 1.0 - 0.5 / nr));
  }
}

TEST(StatsIntMode, CountsAndTies) {
  EXPECT_EQ(3, int_mode(std::vector<std::int32_t>{3, 1, 3, 2}));
  EXPECT_EQ(0, int_mode(std::vector<std::int32_t>{}));
  // Ties resolve to the smallest value, whatever the input order.
  EXPECT_EQ(-4, int_mode(std::vector<std::int32_t>{9, -4, 9, 2, -4, 2}));
  EXPECT_EQ(-4, int_mode(std::vector<std::int32_t>{2, 2, -4, 9, 9, -4}));
  EXPECT_EQ(5, int_mode(std::vector<std::int32_t>{5}));
}

TEST(StatsSequences, DifferencesCumsumLinspace) {
  expect_same({3, 5}, first_differences(std::vector<double>{1, 4, 9}));
  EXPECT_TRUE(first_differences(std::vector<double>{1}).empty());
  EXPECT_TRUE(first_differences(std::vector<double>{}).empty());
  expect_same({nan, nan}, first_differences(std::vector<double>{1, nan, 3}));

  expect_same({1, 3, 6}, cumulative_sum(std::vector<double>{1, 2, 3}));
  expect_same({nan, nan, nan}, cumulative_sum(std::vector<double>{1, nan, 3}));
  EXPECT_TRUE(cumulative_sum(std::vector<double>{}).empty());

  expect_same({0, 0.25, 0.5, 0.75, 1}, linspace(0, 1, 5));
  expect_same({2}, linspace(2, 9, 1));
  EXPECT_TRUE(linspace(0, 1, 0).empty());
  // Points accumulate the step rather than being computed as a + i * step.
  const std::vector<double> v = linspace(0, 1, 11);
  double acc = 0.0;
  for (int i = 1; i < 11; ++i) acc += 0.1;
  EXPECT_EQ(acc, v[10]);
  EXPECT_NE(1.0, v[10]);
}

}  // namespace
}  // namespace tessaly
