#include "catch22/fc_localsimple.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <random>
#include <vector>

#include "helpers/common/stats.h"

namespace tessaly {
namespace {

std::vector<double> random_walk(std::size_t n, unsigned seed) {
  std::mt19937_64 rng(seed);
  std::normal_distribution<double> gauss;
  std::vector<double> y(n);
  double s = 0.0;
  for (double& v : y) v = (s += gauss(rng));
  return y;
}

// Direct biased autocorrelation; the first lag (below bound) where it is <= 0.
std::size_t direct_first_zero(const std::vector<double>& x, std::size_t bound) {
  const std::size_t n = x.size();
  double mu = 0.0;
  for (double v : x) mu += v;
  mu /= static_cast<double>(n);
  double var = 0.0;
  for (double v : x) var += (v - mu) * (v - mu);
  std::size_t k = 0;
  while (k < bound) {
    double s = 0.0;
    for (std::size_t i = 0; i + k < n; ++i) s += (x[i] - mu) * (x[i + k] - mu);
    if (!(s / var > 0)) break;
    ++k;
  }
  return k;
}

TEST(C22bFcLocalSimple, TauresratMatchesDirectAutocorrelation) {
  for (unsigned seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    const std::vector<double> y = random_walk(300, seed);
    std::vector<double> r(y.size() - 1);
    for (std::size_t i = 0; i + 1 < y.size(); ++i) r[i] = y[i + 1] - y[i];
    const double expected = static_cast<double>(direct_first_zero(r, r.size())) /
                            static_cast<double>(direct_first_zero(y, y.size()));
    // A random walk decorrelates slowly, its increments at once.
    EXPECT_LT(expected, 0.5);
    EXPECT_EQ(fc_localsimple_mean1_tauresrat(y, false), expected);
    EXPECT_EQ(fc_localsimple_mean1_tauresrat(y, true), expected);
  }
}

TEST(C22bFcLocalSimple, StderrShortAndExactCases) {
  struct Case {
    std::vector<double> y;
    bool normalize;
    double expected;
    const char* why;
  };
  const Case cases[] = {
      {{1.0, 2.0}, true, 0.0, "n = 2: no residual"},
      {{1.0, 5.0, 2.0}, false, 0.0, "n = 3: no residual"},
      {{1.0, 5.0, 2.0, 7.0}, false, NAN, "n = 4: one residual has no spread"},
      {{1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0}, false, 0.0, "ramp: every residual is 2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    const double v = fc_localsimple_mean3_stderr(c.y, c.normalize);
    if (std::isnan(c.expected)) {
      EXPECT_TRUE(std::isnan(v));
    } else {
      EXPECT_EQ(v, c.expected);
    }
  }
}

TEST(C22bFcLocalSimple, StderrHandComputed) {
  // residuals 8 - 7/3 and 16 - 14/3: spread |difference| / sqrt(2)
  const std::vector<double> y = {1.0, 2.0, 4.0, 8.0, 16.0};
  const double r0 = 8.0 - 7.0 / 3.0;
  const double r1 = 16.0 - 14.0 / 3.0;
  EXPECT_NEAR(fc_localsimple_mean3_stderr(y, false), (r1 - r0) / std::sqrt(2.0), 1e-12);

  // Normalising rescales the residuals by the sample standard deviation.
  const std::vector<double> walk = random_walk(200, 9);
  EXPECT_NEAR(fc_localsimple_mean3_stderr(walk, true),
              fc_localsimple_mean3_stderr(walk, false) / sample_std(walk), 1e-12);
}

}  // namespace
}  // namespace tessaly
