// Drifting mean, local extrema, the two walkers, point removal and the looped
// local-mean forecaster.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "catch22/co_auto_corr.h"
#include "catchamouse16/dn_removepoints.h"
#include "catchamouse16/fc_looplocalsimple.h"
#include "catchamouse16/ph_walker.h"
#include "catchamouse16/st_localextrema.h"
#include "catchamouse16/sy_driftingmean.h"
#include "helpers/common/stats.h"
#include "lcg_noise.h"

namespace tessaly {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNan = std::numeric_limits<double>::quiet_NaN();

using Feature = double (*)(std::span<const double>, bool);

std::vector<double> ramp(double first, std::size_t n) {
  std::vector<double> v(n);
  for (std::size_t i = 0; i < n; ++i) v[i] = first + static_cast<double>(i);
  return v;
}

std::vector<double> concat(std::vector<double> a, const std::vector<double>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

bool same_bits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

struct Case {
  const char* why;
  std::vector<double> y;
  bool normalize;
  double expected;  // NaN expects NaN
};

void expect_cases(Feature f, const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    const double got = f(c.y, c.normalize);
    if (std::isnan(c.expected))
      EXPECT_TRUE(std::isnan(got)) << got;
    else
      EXPECT_EQ(got, c.expected);
  }
}

// Every feature here survives degenerate and extreme input without crashing, and a
// NaN anywhere gives NaN (the local-extrema spread gets there through its extrema).
TEST(Cm16WindowWalkerContract, DegenerateInputNeverCrashesAndNanGivesNan) {
  const Feature features[] = {sy_driftingmean50_min, st_localextrema_n100_diffmaxabsmin,
                              ph_walker_momentum_5_w_momentumzcross,
                              ph_walker_biasprop_05_01_sw_meanabsdiff,
                              dn_removepoints_absclose_05_ac2rat, fc_looplocalsimple_mean_stderr_chn};
  std::vector<std::vector<double>> odd = {{}, {1.0}, {1.0, -1.0}, std::vector<double>(300, 7.0)};
  for (std::size_t n : {3u, 12u, 50u, 100u, 250u}) {
    std::vector<double> huge = noise(n, n);
    for (double& x : huge) x *= 1e308;
    odd.push_back(huge);
    std::vector<double> with_inf = noise(n, n + 1);
    with_inf[n / 2] = kInf;
    odd.push_back(with_inf);
    std::vector<double> with_neg_inf = noise(n, n + 2);
    with_neg_inf[0] = -kInf;
    odd.push_back(with_neg_inf);
  }
  for (Feature f : features) {
    for (const auto& y : odd)
      for (bool normalize : {false, true}) (void)f(y, normalize);
    for (std::size_t n : {1u, 20u, 300u}) {
      std::vector<double> y = noise(n, 3);
      y[n - 1] = kNan;
      for (bool normalize : {false, true}) EXPECT_TRUE(std::isnan(f(y, normalize))) << n;
    }
  }
}

TEST(SyDriftingMean, WindowsAndTail) {
  // 1..50: mean 25.5, variance 10412.5 / 49 = 212.5, both exact.
  const double first_window = 25.5 / 212.5;
  expect_cases(sy_driftingmean50_min,
               {
                   {"49 values are too few", ramp(1.0, 49), false, kNan},
                   {"one window: its mean over its variance", ramp(1.0, 50), false, first_window},
                   {"two windows, the smaller mean is the second; the 49-value tail is dropped",
                    concat(concat(ramp(101.0, 50), ramp(1.0, 50)), std::vector<double>(49, -1e6)),
                    false, first_window},
                   {"constant positive: zero variance", std::vector<double>(60, 3.0), false, kInf},
                   {"constant negative", std::vector<double>(60, -2.0), false, -kInf},
                   {"all zero: 0 / 0", std::vector<double>(60, 0.0), false, kNan},
                   {"constant under normalize z-scores to NaN", std::vector<double>(60, 3.0), true, kNan},
                   {"an infinity makes its window variance NaN",
                    concat(ramp(1.0, 50), concat({kInf}, ramp(1.0, 49))), false, kNan},
               });
}

TEST(StLocalExtrema, ShortSeriesUseTheWholeSeries) {
  std::vector<double> with_nan = ramp(1.0, 99);
  with_nan[40] = kNan;
  expect_cases(st_localextrema_n100_diffmaxabsmin,
               {
                   {"1..99: |99 - 1|", ramp(1.0, 99), false, 98.0},
                   {"max below |min|", {-5.0, 2.0}, false, 3.0},
                   {"empty: |-inf - inf|", {}, false, kInf},
                   {"empty under normalize", {}, true, kInf},
                   {"a NaN gives NaN", with_nan, false, kNan},
                   {"constant under normalize", std::vector<double>(50, 2.0), true, kNan},
               });
}

TEST(StLocalExtrema, HundredWindows) {
  // Windows of 2 (n = 250): window k holds (k, -1), so d_0 = 1 and d_k = k - 1.
  std::vector<double> pairs;
  for (int k = 0; k < 100; ++k) {
    pairs.push_back(static_cast<double>(k));
    pairs.push_back(-1.0);
  }
  const std::vector<double> n250 = concat(pairs, std::vector<double>(50, 1e6));
  // n = 200: 99 windows (2, -1) with d = 1 and a last window of zeros.
  std::vector<double> last_zero;
  for (int k = 0; k < 99; ++k) last_zero.insert(last_zero.end(), {2.0, -1.0});
  std::vector<double> last_signed_zero = last_zero;
  last_zero.insert(last_zero.end(), {0.0, 0.0});
  last_signed_zero.insert(last_signed_zero.end(), {-0.0, 0.0});
  std::vector<double> last_not_zero = last_zero;
  last_not_zero.back() = 1e-300;
  std::vector<double> nan_in_window = n250;
  nan_in_window[17] = kNan;

  expect_cases(st_localextrema_n100_diffmaxabsmin,
               {
                   {"n = 100", noise(100, 1), false, kNan},
                   {"n = 199", noise(199, 1), false, kNan},
                   {"n = 250: windows of 2, last 50 unused", n250, false, (1.0 + 4851.0) / 100.0},
                   {"all-zero last window: 99 windows", last_zero, false, 1.0},
                   {"-0.0 counts as zero", last_signed_zero, false, 1.0},
                   {"a tiny value in the last window: 100 windows", last_not_zero, false,
                    (99.0 + 1e-300) / 100.0},
                   {"a NaN in a window", nan_in_window, false, kNan},
                   {"all zero: 99 windows of 0", std::vector<double>(300, 0.0), false, 0.0},
                   {"constant under normalize", std::vector<double>(300, 4.0), true, kNan},
               });
}

TEST(PhWalker, MomentumZeroCrossings) {
  // (1, 2, -4): inert = 3, p2 = (-4 - 3) / 5 + 3 = 1.6 stays positive although the
  // series changes sign.
  expect_cases(ph_walker_momentum_5_w_momentumzcross,
               {
                   {"empty", {}, false, kNan},
                   {"one value", {1.0}, false, kNan},
                   {"two values of opposite sign", {1.0, -1.0}, false, 1.0},
                   {"the walker's inertia keeps it positive", {1.0, 2.0, -4.0}, false, 0.0},
                   {"the walker crosses: p2 = -1.6", {1.0, 2.0, -20.0}, false, 0.5},
                   {"a zero product is no crossing", {0.0, 1.0, 2.0}, false, 0.0},
                   {"p = 1, -1, -2.4, -3.04", {1.0, -1.0, 0.0, 0.0}, false, 1.0 / 3.0},
                   {"constant under normalize: NaN products never count", std::vector<double>(10, 5.0),
                    true, 0.0},
                   {"one value under normalize", {3.0}, true, kNan},
               });
}

TEST(PhWalker, BiasedProportion) {
  // (1, 2, 2): p = 0, 0.5, (2 - 0.5) * 0.1 + 0.5; a walker chasing w[j + 1] or
  // taking 0.5 on the flat step would differ.
  const double flat = (1.0 + 1.5 + (2.0 - ((2.0 - 0.5) * 0.1 + 0.5))) / 3.0;
  // (1, 2, 3): p = 0, 0.5, 1.25.
  const double rising = (1.0 + 1.5 + (3.0 - 1.25)) / 3.0;
  // (3, 1, 2): p = 0, 0.3, (1 - 0.3) * 0.5 + 0.3.
  const double falling = (3.0 + (1.0 - 0.3) + (2.0 - ((1.0 - 0.3) * 0.5 + 0.3))) / 3.0;
  expect_cases(ph_walker_biasprop_05_01_sw_meanabsdiff,
               {
                   {"empty", {}, false, kNan},
                   {"empty under normalize", {}, true, kNan},
                   {"one value: |y0|", {-2.5}, false, 2.5},
                   {"one value under normalize", {-2.5}, true, kNan},
                   {"flat step takes 0.1", {1.0, 2.0, 2.0}, false, flat},
                   {"rising steps take 0.5", {1.0, 2.0, 3.0}, false, rising},
                   {"a fall takes 0.1", {3.0, 1.0, 2.0}, false, falling},
                   {"constant under normalize", std::vector<double>(10, 5.0), true, kNan},
               });
}

// Literal selection: repeatedly take the earliest position with the largest
// remaining absolute value, then restore ascending order.
double removepoints_reference(const std::vector<double>& w) {
  const std::size_t keep = static_cast<std::size_t>(std::round(static_cast<double>(w.size()) * 0.5));
  std::vector<bool> taken(w.size(), false);
  for (std::size_t c = 0; c < keep; ++c) {
    std::size_t best = w.size();
    for (std::size_t j = 0; j < w.size(); ++j)
      if (!taken[j] && (best == w.size() || std::fabs(w[j]) > std::fabs(w[best]))) best = j;
    taken[best] = true;
  }
  std::vector<double> u;
  for (std::size_t j = 0; j < w.size(); ++j)
    if (taken[j]) u.push_back(w[j]);
  return autocorr_lag2_fft(u) / autocorr_lag2_fft(w);
}

TEST(DnRemovePoints, MatchesLiteralSelection) {
  for (std::size_t n : {3u, 4u, 5u, 6u, 17u, 64u, 201u}) {
    SCOPED_TRACE(n);
    const std::vector<double> y = noise(n, 100 + n);
    EXPECT_TRUE(same_bits(dn_removepoints_absclose_05_ac2rat(y, false), removepoints_reference(y)));
    EXPECT_TRUE(same_bits(dn_removepoints_absclose_05_ac2rat(y, true), removepoints_reference(zscore(y))));
    // Many ties in absolute value, including across the cut.
    std::vector<double> ties = y;
    for (double& x : ties) x = std::round(x * 2.0);
    EXPECT_TRUE(same_bits(dn_removepoints_absclose_05_ac2rat(ties, false), removepoints_reference(ties)));
  }
}

TEST(DnRemovePoints, SmallAndDegenerate) {
  // n = 5 keeps 3: |3|, then the tie 1, -1, 1 keeps the first two positions.
  const std::vector<double> tie = {3.0, 1.0, -1.0, 0.5, 1.0};
  const std::vector<double> kept = {3.0, 1.0, -1.0};
  EXPECT_EQ(dn_removepoints_absclose_05_ac2rat(tie, false), autocorr_lag2_fft(kept) / autocorr_lag2_fft(tie));
  // n = 3 keeps 2 points, whose lag-2 autocorrelation is 0.
  EXPECT_NEAR(dn_removepoints_absclose_05_ac2rat(std::vector<double>{1.0, 5.0, -2.0}, false), 0.0, 1e-12);
  expect_cases(dn_removepoints_absclose_05_ac2rat,
               {
                   {"empty", {}, true, kNan},
                   {"two values", {1.0, 2.0}, false, kNan},
                   {"constant under normalize", std::vector<double>(20, 1.0), true, kNan},
                   {"constant: zero autocorrelation denominators", std::vector<double>(20, 1.0), false, kNan},
               });
}

// Independent formulation: window means from prefix sums, spread by a two-pass
// deviation, changes from the telescoping sum.
double looplocal_reference(const std::vector<double>& w) {
  std::vector<double> prefix(w.size() + 1, 0.0);
  for (std::size_t i = 0; i < w.size(); ++i) prefix[i + 1] = prefix[i] + w[i];
  std::vector<double> s;
  for (std::size_t len = 1; len <= 10; ++len) {
    std::vector<double> e;
    for (std::size_t j = len; j < w.size(); ++j)
      e.push_back((prefix[j] - prefix[j - len]) / static_cast<double>(len) - w[j]);
    if (e.size() < 2) return kNan;
    double mu = 0.0;
    for (double x : e) mu += x / static_cast<double>(e.size());
    double ss = 0.0;
    for (double x : e) ss += (x - mu) * (x - mu);
    s.push_back(std::sqrt(ss / static_cast<double>(e.size() - 1)));
  }
  const auto [lo, hi] = std::minmax_element(s.begin(), s.end());
  return (s.back() - s.front()) / 9.0 / (*hi - *lo);
}

TEST(FcLoopLocalSimple, MatchesIndependentFormulation) {
  for (std::size_t n : {12u, 13u, 40u, 500u}) {
    SCOPED_TRACE(n);
    const std::vector<double> y = noise(n, 7 * n);
    const double got = fc_looplocalsimple_mean_stderr_chn(y, false);
    const double want = looplocal_reference(y);
    EXPECT_NEAR(got, want, 1e-9 * std::fabs(want));
    const double got_z = fc_looplocalsimple_mean_stderr_chn(y, true);
    EXPECT_NEAR(got_z, looplocal_reference(zscore(y)), 1e-9 * std::fabs(got_z));
    // Doubling is exact throughout, so the ratio keeps its bits.
    std::vector<double> doubled = y;
    for (double& x : doubled) x *= 2.0;
    EXPECT_EQ(fc_looplocalsimple_mean_stderr_chn(doubled, false), got);
  }
}

TEST(FcLoopLocalSimple, ShortAndDegenerate) {
  EXPECT_TRUE(std::isfinite(fc_looplocalsimple_mean_stderr_chn(noise(12, 1), false)));
  expect_cases(fc_looplocalsimple_mean_stderr_chn,
               {
                   {"n = 11: length 10 leaves one residual", noise(11, 1), false, kNan},
                   {"empty", {}, false, kNan},
                   {"constant: every error spread is 0", std::vector<double>(30, 2.0), false, kNan},
                   {"constant under normalize", std::vector<double>(30, 2.0), true, kNan},
               });
}

}  // namespace
}  // namespace tessaly
