#include "catchamouse16/co_addnoise.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <thread>
#include <vector>

#include "catch22/co_histogramami.h"
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
