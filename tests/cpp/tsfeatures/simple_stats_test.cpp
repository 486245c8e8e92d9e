#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "helpers/common/linear_fit.h"
#include "tsfeatures/crossing_points.h"
#include "tsfeatures/flat_spots.h"
#include "tsfeatures/hurst.h"
#include "tsfeatures/lumpiness.h"
#include "tsfeatures/stability.h"

namespace tessaly {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Case {
  std::vector<double> y;
  double expected;  // NaN means NaN expected
  const char* why;
};

void expect_same(double expected, double actual) {
  if (std::isnan(expected)) {
    EXPECT_TRUE(std::isnan(actual)) << actual;
  } else {
    EXPECT_EQ(expected, actual);
  }
}

std::vector<double> ramp(int n, double scale = 1.0) {
  std::vector<double> v;
  for (int i = 0; i < n; ++i) v.push_back(scale * i);
  return v;
}

TEST(TsCrossingPoints, Cases) {
  const std::vector<Case> cases = {
      {{}, 0.0, "empty"},
      {{5.0}, 0.0, "one value"},
      {{kNan}, 0.0, "a lone NaN is still short"},
      {{1, 3, 1, 3}, 3.0, "median 2, every step crosses"},
      {{1, kNan, 3, 0, 4}, 0.0, "NaN median: nothing at or below it"},
      {{1, 2, 3, 4, 5}, 1.0, "monotone: one crossing at the median"},
      {{2, 2, 2}, 0.0, "constant: all at the median"},
      {{-kInf, 0, kInf, 0}, 2.0, "infinities compare normally"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    expect_same(c.expected, crossing_points(c.y));
  }
}

TEST(TsFlatSpots, Cases) {
  std::vector<double> constant7(7, 2.5);
  std::vector<double> constant7_nan = constant7;
  constant7_nan[3] = kNan;
  const std::vector<Case> cases = {
      {{}, kNan, "empty"},
      {{3.0}, 1.0, "one value"},
      {{kNan}, 1.0, "a lone NaN"},
      {{kNan, kNan}, kNan, "no numbers at all"},
      {{1, 2, kInf}, kNan, "infinity"},
      {{-kInf, kNan}, kNan, "negative infinity"},
      {constant7, 7.0, "constant: range below epsilon gives n"},
      {constant7_nan, 7.0, "constant with a NaN: n counts the NaN"},
      {ramp(10), 1.0, "0..9: one value per bin, 9 alone in the top bin"},
      {{0, 0, 0, 10, 10}, 3.0, "longest run in the bottom bin"},
      {{1, 1, kNan, 1, 1, 1, 5}, 3.0, "a NaN breaks a run"},
      {{kNan, kNan, 1, 2}, 1.0, "NaNs never join a run"},
      {{0, 0.05, 0.1, 0.15, 1}, 3.0, "minimum and values up to the first break share bin 1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    expect_same(c.expected, flat_spots(c.y));
  }
}

TEST(TsFlatSpots, MaximumAboveRoundedTopBreakJoinsTopBin) {
  // With lo = -5.42 and hi = 4.03 the computed top break is 4.029999999999999 < hi.
  const double lo = -5.42;
  const double hi = 4.03;
  ASSERT_LT((10.0 * (hi - lo)) / 10.0 + lo, hi);
  // 4.0 lies in the top bin; the maximum must join it (run 2), not fall to bin 1.
  EXPECT_EQ(2.0, flat_spots(std::vector<double>{4.0, hi, 0.0, lo}));
  // Were the maximum put in bin 1 it would extend the run of minima to 3.
  EXPECT_EQ(2.0, flat_spots(std::vector<double>{lo, lo, hi, 0.0}));
}

struct FreqCase {
  std::vector<double> y;
  std::optional<std::uint64_t> freq;
  double expected;
  const char* why;
};

TEST(TsStability, Cases) {
  std::vector<double> tail = {1, 2, 3, 4, 5, 6, 100};
  const std::vector<FreqCase> cases = {
      {{}, std::nullopt, 0.0, "empty"},
      {{4.0}, std::nullopt, 0.0, "one value"},
      {{1, 2, 3, 4}, std::nullopt, 5.0 / 3.0, "no freq: width 1, the sample variance"},
      {{1, kNan, 3}, std::nullopt, kNan, "no freq: a NaN window"},
      {ramp(19), 1, 0.0, "freq 1: width 10, n = 19 too short"},
      {ramp(20), 1, 50.0, "freq 1: means 4.5 and 14.5"},
      {tail, 3, 4.5, "the short tail is dropped"},
      {{1, kNan, 3, 5}, 2, 4.5, "NaN inside a window is skipped"},
      {{kNan, kNan, 1, 2}, 2, kNan, "a window of NaN only"},
      {{1, kInf, 3, 5}, 2, kNan, "an infinite window mean"},
      {{1, 2, 3, 4}, 0, kNan, "freq 0 has no width"},
      {{1, 2, 3, 4}, std::numeric_limits<std::uint64_t>::max(), 0.0, "huge freq, no overflow"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    expect_same(c.expected, stability(c.y, c.freq));
  }
}

TEST(TsLumpiness, Cases) {
  std::vector<double> two_windows = ramp(10);
  for (double v : ramp(10, 2.0)) two_windows.push_back(v);
  two_windows.push_back(1e6);  // dropped tail
  const std::vector<FreqCase> cases = {
      {{}, std::nullopt, kNan, "empty"},
      {{}, 3, kNan, "empty, any freq"},
      {ramp(19), std::nullopt, 0.0, "no freq: width 10, too short"},
      {two_windows, std::nullopt, 378.12499999999994, "no freq: variances 55/6 and 4 * 55/6"},
      {two_windows, 1, 378.12499999999994, "freq 1 is width 10 too"},
      {{1, kNan, 1, 3, 5, 9}, 2, 18.0, "a window with one number is ignored"},
      {{1, kNan, 1, 3}, 2, 0.0, "fewer than two usable windows"},
      {{1, 1, 2, 2, 3, 3}, 2, 0.0, "equal window variances"},
      {{1, 2, 3, 4}, 0, kNan, "freq 0 has no width"},
      {{1, 2, 3, 4}, std::numeric_limits<std::uint64_t>::max(), 0.0, "huge freq, no overflow"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    expect_same(c.expected, lumpiness(c.y, c.freq));
  }
}

// The estimate as written: every prefix summed afresh into its own vectors.
double hurst_reference(const std::vector<double>& y) {
  const std::size_t n = y.size();
  if (n < 2) return 0.0;
  for (double v : y)
    if (!std::isfinite(v)) return kNan;
  std::vector<double> s(n);
  double run = -0.0;
  for (std::size_t k = 0; k < n; ++k) s[k] = (run += y[k]);
  std::vector<double> xs, ys;
  for (std::size_t g = 2; g <= n; ++g) {
    double a = -0.0, b = -0.0;
    for (std::size_t k = 0; k < g; ++k) {
      a += y[k] * y[k];
      b += y[k];
    }
    const double gd = static_cast<double>(g);
    const double var = a / gd - (b / gd) * (b / gd);
    if (var <= 0.0) continue;
    const double mean = s[g - 1] / gd;
    std::vector<double> dev(g);
    for (std::size_t k = 0; k < g; ++k) dev[k] = s[k] - static_cast<double>(k + 1) * mean;
    double mx = dev[0], mn = dev[0];
    for (double d : dev) {
      mx = std::max(mx, d);
      mn = std::min(mn, d);
    }
    const double rs = (mx - mn) / std::sqrt(var);
    if (rs > 0.0) {
      xs.push_back(std::log(gd));
      ys.push_back(std::log(rs));
    }
  }
  if (xs.empty()) return kNan;
  auto fit = linear_fit(xs, ys);
  return fit ? fit->slope : kNan;
}

TEST(TsHurst, Cases) {
  const std::vector<Case> cases = {
      {{}, 0.0, "empty"},
      {{kNan}, 0.0, "one value, even NaN"},
      {{1, kNan, 3}, kNan, "NaN"},
      {{1, kInf}, kNan, "infinity"},
      {{1, 1, 1, 1}, kNan, "constant: every prefix has variance 0"},
      {{1, 2}, kNan, "one point only: the fit fails"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    expect_same(c.expected, hurst(c.y));
  }
  // Points (ln 2, 0) and (ln 3, ln sqrt 2).
  EXPECT_NEAR(0.8547556456757274, hurst(std::vector<double>{0, 1, 0}), 1e-14);
}

TEST(TsHurst, MatchesPrefixByPrefixReference) {
  std::mt19937_64 rng(7);
  std::normal_distribution<double> noise(0.0, 1.0);
  for (std::size_t n : {3u, 17u, 64u, 251u}) {
    std::vector<double> y(n);
    double walk = 0.0;
    for (auto& v : y) v = (walk += noise(rng)) * 1e3;
    SCOPED_TRACE(n);
    EXPECT_EQ(hurst_reference(y), hurst(y));
  }
}

}  // namespace
}  // namespace tessaly
