#include "catch22/pd_periodicitywang.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <cstddef>
#include <random>
#include <vector>

#include "catch22/splinefit.h"

namespace tessaly {
namespace {

constexpr double kTwoPi = 6.283185307179586;

std::vector<double> sine(std::size_t n, double period, double amplitude) {
  std::vector<double> y(n);
  for (std::size_t i = 0; i < n; ++i) y[i] = amplitude * std::sin(kTwoPi * i / period);
  return y;
}

TEST(C22bPeriodicity, WorkedExamples) {
  std::vector<double> period20(200);
  for (std::size_t i = 0; i < period20.size(); ++i) period20[i] = std::sin(kTwoPi * i / 20.0);
  EXPECT_EQ(pd_periodicitywang_th0_01(period20, true), 19.0);
  EXPECT_EQ(pd_periodicitywang_th0_01(period20, false), 19.0);

  // the spline removes the trend
  std::vector<double> trend7(60);
  for (std::size_t i = 0; i < trend7.size(); ++i) trend7[i] = std::sin(kTwoPi * i / 7.0) + 0.01 * i;
  EXPECT_EQ(pd_periodicitywang_th0_01(trend7, true), 6.0);
  EXPECT_EQ(pd_periodicitywang_th0_01(trend7, false), 6.0);
}

TEST(C22bPeriodicity, NoQualifyingPeak) {
  // up to n = 9 there is no room for a trough followed by a peak
  std::vector<double> alternating;
  for (std::size_t n = 0; n <= 9; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(pd_periodicitywang_th0_01(alternating, true), 0.0);
    EXPECT_EQ(pd_periodicitywang_th0_01(alternating, false), 0.0);
    alternating.push_back(n % 3 == 0 ? 1.0 : -1.0);
  }
  const std::vector<double> constant(50, 3.0);
  EXPECT_EQ(pd_periodicitywang_th0_01(constant, true), 0.0);
  EXPECT_EQ(pd_periodicitywang_th0_01(constant, false), 0.0);
  std::vector<double> with_inf = sine(60, 7.0, 1.0);
  with_inf[10] = INFINITY;
  EXPECT_EQ(pd_periodicitywang_th0_01(with_inf, false), 0.0);
  with_inf[10] = NAN;
  EXPECT_EQ(pd_periodicitywang_th0_01(with_inf, false), 0.0);
}

TEST(C22bPeriodicity, PeakMustRiseAboveTrough) {
  // raw amplitude 0.05: the autocovariance swings by about 0.00125, below 0.01
  EXPECT_EQ(pd_periodicitywang_th0_01(sine(200, 20.0, 0.05), false), 0.0);
  EXPECT_EQ(pd_periodicitywang_th0_01(sine(200, 20.0, 0.5), false), 19.0);
  EXPECT_EQ(pd_periodicitywang_th0_01(sine(200, 20.0, 0.05), true), 19.0);
}

double cubic(double x) { return 0.002 * x * x * x - 0.03 * x * x + 0.5 * x - 4.0; }

double max_abs_error(const std::vector<double>& fit, const std::vector<double>& target) {
  double e = 0.0;
  for (std::size_t i = 0; i < fit.size(); ++i) e = std::max(e, std::fabs(fit[i] - target[i]));
  return e;
}

TEST(C22bSplineFit, ReproducesCubics) {
  for (std::size_t n : {5u, 6u, 11u, 20u, 101u}) {
    SCOPED_TRACE(n);
    std::vector<double> y(n);
    for (std::size_t i = 0; i < n; ++i) y[i] = cubic(static_cast<double>(i));
    const std::vector<double> fit = spline_fit(y);
    ASSERT_EQ(fit.size(), n);
    EXPECT_LT(max_abs_error(fit, y), 1e-8 * (1.0 + std::fabs(cubic(static_cast<double>(n)))));
  }
}

// A cubic plus a truncated cube at floor(n/2) - 1 is twice continuously
// differentiable with one break there: exactly the space of the fit. A break
// anywhere else, or a second piece not used from the break on, leaves an error.
TEST(C22bSplineFit, ReproducesBreakAtMidpoint) {
  for (std::size_t n : {12u, 13u, 40u}) {
    SCOPED_TRACE(n);
    const double b1 = std::floor(n * 0.5) - 1.0;
    std::vector<double> y(n);
    for (std::size_t i = 0; i < n; ++i) {
      const double x = static_cast<double>(i);
      const double tail = x > b1 ? (x - b1) * (x - b1) * (x - b1) : 0.0;
      y[i] = cubic(x) + 0.05 * tail;
    }
    EXPECT_LT(max_abs_error(spline_fit(y), y), 1e-8);
  }
}

// The fit step by step as written: the basis table, the full n x 5 design matrix,
// A'A and A'w summed column by column, elimination without pivoting, and piece
// polynomials summed over all five weights.
std::vector<double> spline_reference(const std::vector<double>& w) {
  const int n = static_cast<int>(w.size());
  const double half = std::floor(n * 0.5);
  const int b1 = static_cast<int>(half) - 1;
  const int h0 = b1;
  const int h1 = n - static_cast<int>(half);
  const int ext[8] = {h1, h0, h1, h0, h1, h0, h1, h0};
  double c[32][4] = {};
  double h[32];
  for (int r = 0; r < 32; ++r) {
    if (r % 4 == 0) c[r][0] = 1.0;
    h[r] = ext[std::min(r % 4 + r / 4, 7)];
  }
  double q[32];
  for (int k = 1; k <= 3; ++k) {
    for (int j = 0; j < k; ++j)
      for (int r = 0; r < 32; ++r) c[r][j] = h[r] / (k - j) * c[r][j];
    for (int r = 0; r < 32; ++r) q[r] = c[r][0] + c[r][1] + c[r][2] + c[r][3];
    for (int r = 0; r < 32; ++r)
      if (r % 4 != 0) q[r] += q[r - 1];
    for (int r = 0; r < 32; ++r) c[r][k] = r % 4 == 0 ? 0.0 : q[r - 1];
    for (int j = 0; j <= k; ++j)
      for (int r = 0; r < 32; ++r) c[r][j] /= q[4 * (r / 4) + 3];
    for (int r = 0; r <= 28; ++r)
      for (int j = 0; j <= k; ++j) c[r][j] -= c[r + 3][j];
    for (int r = 0; r < 32; r += 4) c[r][k] = 0.0;
  }
  double s[32];
  for (double& v : s) v = 1.0;
  for (int k = 0; k < 3; ++k)
    for (int r = 0; r < 32; ++r) {
      s[r] = s[r] / h[r];
      c[r][2 - k] *= s[r];
    }
  const int rows[2][4] = {{3, 6, 9, 12}, {7, 10, 13, 16}};
  auto horner = [](const double* p, double u) {
    double v = p[0];
    v = v * u + p[1];
    v = v * u + p[2];
    return v * u + p[3];
  };
  std::vector<std::array<double, 5>> a(w.size(), std::array<double, 5>{});
  for (int i = 0; i < n; ++i) {
    const int p = i >= b1 ? 1 : 0;
    for (int l = 0; l < 4; ++l) a[i][l + p] = horner(c[rows[p][l]], i - static_cast<double>(p * b1));
  }
  double m[5][5];
  double g[5];
  for (int r = 0; r < 5; ++r) {
    g[r] = -0.0;
    for (int i = 0; i < n; ++i) g[r] += a[i][r] * w[i];
    for (int col = 0; col < 5; ++col) {
      m[r][col] = -0.0;
      for (int i = 0; i < n; ++i) m[r][col] += a[i][r] * a[i][col];
    }
  }
  for (int i = 0; i < 5; ++i)
    for (int j = i + 1; j < 5; ++j) {
      const double f = m[j][i] / m[i][i];
      g[j] = g[j] - f * g[i];
      for (int col = i; col < 5; ++col) m[j][col] = m[j][col] - f * m[i][col];
    }
  double x[5];
  for (int i = 4; i >= 0; --i) {
    double v = g[i];
    for (int col = i + 1; col < 5; ++col) v = v - x[col] * m[i][col];
    x[i] = v / m[i][i];
  }
  double poly[2][4];
  for (int p = 0; p < 2; ++p)
    for (int col = 0; col < 4; ++col) {
      double acc = -0.0;
      for (int b = 0; b < 5; ++b) {
        const int l = b - p;
        acc += ((l >= 0 && l < 4) ? c[rows[p][l]][col] : 0.0) * x[b];
      }
      poly[p][col] = acc;
    }
  std::vector<double> out(w.size());
  for (int i = 0; i < n; ++i) {
    const int p = i >= b1 ? 1 : 0;
    out[i] = horner(poly[p], i - static_cast<double>(p * b1));
  }
  return out;
}

// The normal equations are accumulated row by row without storing the design
// matrix; the rounding must be that of the direct route.
TEST(C22bSplineFit, MatchesDirectRouteBitForBit) {
  std::mt19937_64 rng(5);
  std::normal_distribution<double> gauss;
  for (std::size_t n : {5u, 6u, 7u, 10u, 33u, 128u, 301u, 1000u}) {
    SCOPED_TRACE(n);
    std::vector<double> y(n);
    double level = 0.0;
    for (double& v : y) v = (level += gauss(rng)) + gauss(rng);
    const std::vector<double> expected = spline_reference(y);
    const std::vector<double> fit = spline_fit(y);
    ASSERT_EQ(fit.size(), n);
    for (std::size_t i = 0; i < n; ++i)
      ASSERT_EQ(std::memcmp(&fit[i], &expected[i], sizeof(double)), 0) << i << ": " << fit[i] << " vs " << expected[i];
  }
}

TEST(C22bSplineFit, TooFewPointsDoNotCrash) {
  for (std::size_t n = 0; n <= 4; ++n) {
    const std::vector<double> y(n, 1.5);
    EXPECT_EQ(spline_fit(y).size(), n);
  }
}

}  // namespace

// The search exactly as written: every lagged mean first, then all troughs and
// peaks, then the first peak that rises enough above the last trough below it.
double literal_periodicity(std::span<const double> y, bool normalize) {
  for (double v : y)
    if (!std::isfinite(v)) return 0.0;
  std::vector<double> w(y.begin(), y.end());
  if (normalize) {
    double total = -0.0;
    for (double v : w) total += v;
    const double m = total / static_cast<double>(w.size());
    double acc = -0.0;
    for (double v : w) acc += (v - m) * (v - m);
    const double sd = std::sqrt(acc / static_cast<double>(w.size() - 1));
    for (double& v : w) v = (v - m) / sd;
  }
  const std::size_t n = w.size();
  const std::vector<double> trend = spline_fit(w);
  std::vector<double> z(n);
  for (std::size_t i = 0; i < n; ++i) z[i] = w[i] - trend[i];
  const std::size_t len = static_cast<std::size_t>(std::ceil(static_cast<double>(n) / 3.0));
  std::vector<double> acov(len);
  for (std::size_t d = 1; d <= len; ++d) {
    double s = -0.0;
    for (std::size_t i = 0; i + d < n; ++i) s += z[i] * z[i + d];
    acov[d - 1] = d >= n ? NAN : s / static_cast<double>(n - d);
  }
  std::vector<std::size_t> troughs, peaks;
  for (std::size_t i = 1; i + 2 <= len; ++i) {
    const double in = acov[i] - acov[i - 1];
    const double out = acov[i + 1] - acov[i];
    if (in < 0 && out > 0) troughs.push_back(i);
    else if (in > 0 && out < 0) peaks.push_back(i);
  }
  for (std::size_t p : peaks) {
    std::size_t t = 0;
    bool found = false;
    for (std::size_t c : troughs)
      if (c < p) { t = c; found = true; }
    if (!found || acov[p] < 0 || acov[p] - acov[t] < 0.01) continue;
    return static_cast<double>(p);
  }
  return 0.0;
}

TEST(C22bPeriodicity, EarlyStoppingSearchMatchesTheFullSearch) {
  std::mt19937_64 rng(11);
  std::normal_distribution<double> normal;
  for (std::size_t n : {10u, 11u, 13u, 40u, 97u, 300u, 1001u, 2500u}) {
    for (int kind = 0; kind < 4; ++kind) {
      std::vector<double> y(n);
      for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i);
        y[i] = kind == 0 ? normal(rng)
             : kind == 1 ? std::sin(t / 3.0) + 0.3 * normal(rng)
             : kind == 2 ? 0.001 * normal(rng) + 0.002 * std::sin(t / 17.0)
                         : std::round(normal(rng));
      }
      for (bool normalize : {false, true}) {
        SCOPED_TRACE(testing::Message() << "n=" << n << " kind=" << kind << " normalize=" << normalize);
        EXPECT_EQ(literal_periodicity(y, normalize), pd_periodicitywang_th0_01(y, normalize));
      }
    }
  }
}
}  // namespace tessaly
