#include "catchamouse16/co_addnoise.h"

#include <gtest/gtest.h>

#include <gsl/gsl_randist.h>
#include <gsl/gsl_rng.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "catch22/co_histogramami.h"
#include "helpers/common/stats.h"
#include "shape_info_series.h"

namespace tessaly {
namespace {

std::uint64_t bits(double v) { return std::bit_cast<std::uint64_t>(v); }

std::vector<double> sine(std::size_t n, double period) {
  std::vector<double> y(n);
  for (std::size_t i = 0; i < n; ++i) y[i] = std::sin(6.283185307179586 * static_cast<double>(i) / period);
  return y;
}

TEST(Cm16AddNoise, SameValueOnEveryCall) {
  const auto y = testing::walk_series(300, 4);
  const double first = co_addnoise_1_even_10_ami_at_10(y, true);
  ASSERT_TRUE(std::isfinite(first));
  EXPECT_EQ(bits(co_addnoise_1_even_10_ami_at_10(y, true)), bits(first));
}

TEST(Cm16AddNoise, ThreadsDrawTheSameNoise) {
  const auto y = testing::walk_series(500, 9);
  const double serial = co_addnoise_1_even_10_ami_at_10(y, true);
  constexpr int kThreads = 4;
  constexpr int kRepeats = 5;
  std::vector<std::vector<double>> got(kThreads);
  {
    std::vector<std::jthread> pool;
    for (int t = 0; t < kThreads; ++t) {
      pool.emplace_back([&, t] {
        for (int k = 0; k < kRepeats; ++k) got[t].push_back(co_addnoise_1_even_10_ami_at_10(y, true));
      });
    }
  }
  for (const auto& per_thread : got)
    for (double v : per_thread) EXPECT_EQ(bits(v), bits(serial));
}

// Every step written out: MT19937 seeded with 0, one unit Gaussian per value, the
// levels 0, 3/49, 6/49, ... formed by repeated addition, the first level at or above 1,
// then 10 bins at lag 1 without normalising the noisy series.
double addnoise_reference(const std::vector<double>& y, bool normalize) {
  const std::vector<double> w = normalize ? zscore(y) : y;
  gsl_rng* r = gsl_rng_alloc(gsl_rng_mt19937);
  gsl_rng_set(r, 0);
  std::vector<double> e(y.size());
  for (double& v : e) v = gsl_ran_gaussian_ziggurat(r, 1.0);
  gsl_rng_free(r);
  std::vector<double> levels = {0.0};
  for (int k = 1; k < 50; ++k) levels.push_back(levels.back() + 3.0 / 49.0);
  std::size_t k = 0;
  while (!(levels[k] >= 1.0)) ++k;
  EXPECT_EQ(k, 17u);
  std::vector<double> q(w.size());
  for (std::size_t i = 0; i < q.size(); ++i) q[i] = levels[k] * e[i] + w[i];
  return histogram_ami_even(q, 10, 1, false);
}

TEST(Cm16AddNoise, MatchesStepByStepReference) {
  for (std::size_t n : {2u, 37u, 400u}) {
    for (bool normalize : {false, true}) {
      SCOPED_TRACE(std::to_string(n) + (normalize ? " normalised" : " raw"));
      // Scaled so that the noise of level about 1 is comparable with the raw spread.
      auto y = testing::walk_series(n, 50 + n);
      for (double& v : y) v *= 0.3;
      EXPECT_EQ(bits(co_addnoise_1_even_10_ami_at_10(y, normalize)), bits(addnoise_reference(y, normalize)));
    }
  }
}

TEST(Cm16AddNoise, NoiseOfUnitLevelMasksStructure) {
  // A slow z-scored sine is highly predictable at lag 1; noise of standard deviation
  // about 1 removes much, but not all, of that information.
  const auto y = sine(400, 40.0);
  const double clean = histogram_ami_even(y, 10, 1, true);
  const double noisy = co_addnoise_1_even_10_ami_at_10(y, true);
  EXPECT_GT(noisy, 0.0);
  EXPECT_LT(noisy, 0.5 * clean);
}

TEST(Cm16AddNoise, DegenerateSeriesGiveNaN) {
  const std::vector<std::vector<double>> cases = {
      {}, {1.0}, std::vector<double>(30, 2.0), {1, 2, NAN, 4}, {1, 2, INFINITY, 4}};
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(std::isnan(co_addnoise_1_even_10_ami_at_10(cases[i], true)));
  }
  // Without normalisation a constant series still carries the noise.
  EXPECT_TRUE(std::isfinite(co_addnoise_1_even_10_ami_at_10(std::vector<double>(30, 2.0), false)));
}

}  // namespace
}  // namespace tessaly
