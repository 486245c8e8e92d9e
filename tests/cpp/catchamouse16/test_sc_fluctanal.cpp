// Quadratic-detrended fluctuation analysis with the robust second-segment fit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include <gsl/gsl_multifit.h>

#include "catchamouse16/gsl_setup.h"
#include "catchamouse16/sc_fluctanal.h"
#include "lcg_noise.h"

namespace tessaly {
namespace {

namespace d = dfa_detail;

class ScFluctAnalDfa2 : public ::testing::Test {
 protected:
  void SetUp() override { init_gsl(); }
};

TEST_F(ScFluctAnalDfa2, WindowSizes) {
  std::vector<std::uint64_t> five_to_sixteen;
  for (std::uint64_t t = 5; t <= 16; ++t) five_to_sixteen.push_back(t);
  EXPECT_EQ(d::window_sizes(32), five_to_sixteen);
  EXPECT_EQ(d::window_sizes(31).size(), 11u);
  const auto hundred = d::window_sizes(100);
  EXPECT_EQ(hundred.size(), 35u);
  EXPECT_EQ(hundred.front(), 5u);
  EXPECT_EQ(hundred.back(), 50u);
  const auto thousand = d::window_sizes(1000);
  EXPECT_EQ(thousand.size(), 48u);
  EXPECT_EQ(thousand.front(), 5u);
  EXPECT_EQ(thousand.back(), 500u);
  for (std::size_t n : {0u, 1u}) EXPECT_EQ(d::window_sizes(n).size(), 1u) << n;
}

// Residual sum of squares of per-window quadratics, fitted by GSL's linear least
// squares (an independent solver).
double fluctuation_reference(const std::vector<double>& profile, std::size_t tau) {
  const std::size_t q = profile.size() / tau;
  std::unique_ptr<gsl_matrix, void (*)(gsl_matrix*)> x(gsl_matrix_alloc(tau, 3), gsl_matrix_free);
  std::unique_ptr<gsl_matrix, void (*)(gsl_matrix*)> cov(gsl_matrix_alloc(3, 3), gsl_matrix_free);
  std::unique_ptr<gsl_vector, void (*)(gsl_vector*)> yv(gsl_vector_alloc(tau), gsl_vector_free);
  std::unique_ptr<gsl_vector, void (*)(gsl_vector*)> c(gsl_vector_alloc(3), gsl_vector_free);
  std::unique_ptr<gsl_multifit_linear_workspace, void (*)(gsl_multifit_linear_workspace*)> work(
      gsl_multifit_linear_alloc(tau, 3), gsl_multifit_linear_free);
  for (std::size_t k = 0; k < tau; ++k) {
    const double xk = static_cast<double>(k + 1);
    gsl_matrix_set(x.get(), k, 0, 1.0);
    gsl_matrix_set(x.get(), k, 1, xk);
    gsl_matrix_set(x.get(), k, 2, xk * xk);
  }
  double total = 0.0;
  for (std::size_t j = 0; j < q; ++j) {
    for (std::size_t k = 0; k < tau; ++k) gsl_vector_set(yv.get(), k, profile[j * tau + k]);
    double chisq = 0.0;
    EXPECT_EQ(gsl_multifit_linear(x.get(), yv.get(), c.get(), cov.get(), &chisq, work.get()), 0);
    total += chisq;
  }
  return std::sqrt(total / static_cast<double>(q * tau));
}

// The elimination written out per window, power sums and all, as a literal
// reference for the version that forms the window-independent terms once per size.
double fluctuation_literal(const std::vector<double>& profile, std::size_t tau) {
  const std::size_t q = profile.size() / tau;
  double sse = -0.0;
  for (std::size_t j = 0; j < q; ++j) {
    double S[5] = {-0.0, -0.0, -0.0, -0.0, -0.0};
    double T[3] = {-0.0, -0.0, -0.0};
    for (std::size_t k = 0; k < tau; ++k) {
      const double x = static_cast<double>(k + 1);
      const double P = profile[j * tau + k];
      double xp = 1.0;
      for (int p = 0; p <= 4; ++p) {
        S[p] += xp;
        if (p <= 2) T[p] += xp * P;
        xp = p == 0 ? x : xp * x;
      }
    }
    const double m1 = S[1] / S[0], m2 = S[2] / S[0], p0 = T[0] / S[0];
    const double a22 = S[2] - S[1] * m1, a23 = S[3] - S[1] * m2, t2 = T[1] - S[1] * p0;
    const double a32 = S[3] - S[2] * m1, a33 = S[4] - S[2] * m2, t3 = T[2] - S[2] * p0;
    const double q1 = t2 / a22, r = a23 / a22;
    const double c2 = (t3 - a32 * q1) / (a33 - a32 * r);
    const double c1 = q1 - r * c2;
    const double c0 = p0 - m1 * c1 - m2 * c2;
    for (std::size_t k = 0; k < tau; ++k) {
      const double x = static_cast<double>(k + 1);
      const double res = profile[j * tau + k] - (x * c1 + c2 * x * x + c0);
      sse += res * res;
    }
  }
  return std::sqrt(sse / static_cast<double>(q * tau));
}

TEST_F(ScFluctAnalDfa2, QuadraticFluctuationMatchesLiteralElimination) {
  for (std::size_t n : {32u, 257u, 5000u}) {
    std::vector<double> profile = noise(n, n + 11);
    for (std::size_t i = 1; i < profile.size(); ++i) profile[i] += profile[i - 1];
    for (std::uint64_t tau : d::window_sizes(n)) {
      SCOPED_TRACE(tau);
      const double got = d::quadratic_fluctuation(profile, tau);
      const double want = fluctuation_literal(profile, tau);
      EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0) << got << " vs " << want;
    }
  }
}

TEST_F(ScFluctAnalDfa2, QuadraticFluctuationMatchesLeastSquares) {
  std::vector<double> profile = noise(203, 5);
  for (std::size_t i = 1; i < profile.size(); ++i) profile[i] += profile[i - 1];
  for (std::size_t tau : {5u, 7u, 16u, 50u, 101u}) {
    SCOPED_TRACE(tau);
    const double want = fluctuation_reference(profile, tau);
    EXPECT_NEAR(d::quadratic_fluctuation(profile, tau), want, 1e-9 * want);
  }
  // A profile that is a quadratic within every window leaves no fluctuation, and
  // the 3 values past the last whole window of 5 are ignored.
  std::vector<double> piecewise;
  for (int j = 0; j < 8; ++j)
    for (int k = 1; k <= 5; ++k) piecewise.push_back(j + 0.5 * k - 0.25 * j * k * k);
  piecewise.insert(piecewise.end(), {1e6, -1e6, 1e6});
  EXPECT_NEAR(d::quadratic_fluctuation(piecewise, 5), 0.0, 1e-9);
}

TEST_F(ScFluctAnalDfa2, SecondSegmentStart) {
  std::vector<double> a(20);
  for (std::size_t i = 0; i < a.size(); ++i) a[i] = static_cast<double>(i);
  // Two exact lines meeting at index 9: the split s = 10 fits with zero error.
  std::vector<double> kinked(20);
  for (std::size_t i = 0; i < kinked.size(); ++i)
    kinked[i] = i <= 9 ? a[i] : 9.0 + 5.0 * (a[i] - 9.0);
  EXPECT_EQ(d::second_segment_start(a, kinked), 9u);
  // One exact line: every split error is 0, the earliest split wins.
  std::vector<double> line(20);
  for (std::size_t i = 0; i < line.size(); ++i) line[i] = 2.0 * a[i] + 1.0;
  EXPECT_EQ(d::second_segment_start(a, line), 5u);
  // v = 12 has a single split.
  const std::vector<double> a12(a.begin(), a.begin() + 12);
  EXPECT_EQ(d::second_segment_start(a12, noise(12, 9)), 5u);
  // A NaN split error selects index 6.
  std::vector<double> with_nan = kinked;
  with_nan[15] = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(d::second_segment_start(a, with_nan), 6u);
}

TEST_F(ScFluctAnalDfa2, RobustFitFailuresGiveNan) {
  // Fewer observations than coefficients, and no observations at all: GSL refuses
  // the allocation, which must come back as NaN rather than abort.
  const std::vector<double> one = {1.0};
  EXPECT_TRUE(std::isnan(d::robust_slope_stderr(one, one)));
  EXPECT_TRUE(std::isnan(d::robust_slope_stderr({}, {})));
  // A noisy line gives a small positive standard error.
  std::vector<double> x(10), y(10);
  const std::vector<double> eps = noise(10, 2);
  for (std::size_t i = 0; i < x.size(); ++i) {
    x[i] = std::log(5.0 + static_cast<double>(i));
    y[i] = 0.7 * x[i] + 0.01 * eps[i];
  }
  const double se = d::robust_slope_stderr(x, y);
  EXPECT_GT(se, 0.0);
  EXPECT_LT(se, 0.1);
}

TEST_F(ScFluctAnalDfa2, FeatureValues) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (bool normalize : {false, true}) {
    SCOPED_TRACE(normalize);
    EXPECT_EQ(sc_fluctanal_2_dfa_50_2_logi_r2_se2({}, normalize), 0.0);
    EXPECT_EQ(sc_fluctanal_2_dfa_50_2_logi_r2_se2(std::vector<double>{3.0}, normalize), 0.0);
    EXPECT_EQ(sc_fluctanal_2_dfa_50_2_logi_r2_se2(noise(31, 1), normalize), 0.0);
    std::vector<double> with_nan = noise(200, 1);
    with_nan[100] = nan;
    EXPECT_TRUE(std::isnan(sc_fluctanal_2_dfa_50_2_logi_r2_se2(with_nan, normalize)));
    for (std::size_t n : {32u, 100u, 1000u}) {
      const double v = sc_fluctanal_2_dfa_50_2_logi_r2_se2(noise(n, n), normalize);
      EXPECT_TRUE(std::isfinite(v) && v > 0.0) << n << " " << v;
    }
  }
  // n = 32: the second segment is a[5 ... 11], 7 points.
  std::vector<double> y32 = noise(32, 32);
  std::vector<double> profile(y32);
  for (std::size_t i = 1; i < profile.size(); ++i) profile[i] += profile[i - 1];
  std::vector<double> a, b;
  for (std::uint64_t tau : d::window_sizes(32)) {
    a.push_back(std::log(static_cast<double>(tau)));
    b.push_back(std::log(d::quadratic_fluctuation(profile, tau)));
  }
  EXPECT_EQ(sc_fluctanal_2_dfa_50_2_logi_r2_se2(y32, false),
            d::robust_slope_stderr(std::span<const double>(a).subspan(5), std::span<const double>(b).subspan(5)));
  // Scaling the series shifts every log-fluctuation by the same amount; the slope's
  // standard error barely moves.
  std::vector<double> scaled = noise(500, 4);
  const double base = sc_fluctanal_2_dfa_50_2_logi_r2_se2(scaled, false);
  for (double& x : scaled) x *= 1e6;
  EXPECT_NEAR(sc_fluctanal_2_dfa_50_2_logi_r2_se2(scaled, false), base, 1e-6 * base);
  const double z = sc_fluctanal_2_dfa_50_2_logi_r2_se2(noise(500, 4), true);
  EXPECT_NEAR(sc_fluctanal_2_dfa_50_2_logi_r2_se2(scaled, true), z, 1e-6 * z);
}

TEST_F(ScFluctAnalDfa2, DegenerateSeriesNeverCrash) {
  const double inf = std::numeric_limits<double>::infinity();
  // Constant under normalize z-scores to NaN throughout.
  EXPECT_TRUE(std::isnan(sc_fluctanal_2_dfa_50_2_logi_r2_se2(std::vector<double>(64, 2.0), true)));
  std::vector<std::vector<double>> odd = {std::vector<double>(64, 2.0), std::vector<double>(64, 0.0)};
  std::vector<double> huge = noise(300, 8);
  for (double& x : huge) x *= 1e306;
  odd.push_back(huge);
  std::vector<double> with_inf = noise(100, 8);
  with_inf[50] = inf;
  odd.push_back(with_inf);
  std::vector<double> linear(120);
  for (std::size_t i = 0; i < linear.size(); ++i) linear[i] = static_cast<double>(i);  // F ~ 0
  odd.push_back(linear);
  for (const auto& y : odd)
    for (bool normalize : {false, true}) (void)sc_fluctanal_2_dfa_50_2_logi_r2_se2(y, normalize);
}

}  // namespace
}  // namespace tessaly
