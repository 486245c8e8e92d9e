#include "catch22/pd_periodicitywang.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

TEST(C22bSplineFit, TooFewPointsDoNotCrash) {
  for (std::size_t n = 0; n <= 4; ++n) {
    const std::vector<double> y(n, 1.5);
    EXPECT_EQ(spline_fit(y).size(), n);
  }
}

}  // namespace
}  // namespace tessaly
