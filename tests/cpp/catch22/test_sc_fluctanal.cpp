#include "catch22/sc_fluctanal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <random>
#include <stdexcept>
#include <vector>

namespace tessaly {
namespace {

std::vector<double> noise(std::size_t n, unsigned seed) {
  std::mt19937_64 rng(seed);
  std::normal_distribution<double> gauss;
  std::vector<double> y(n);
  for (double& v : y) v = gauss(rng);
  return y;
}

using FeatureFn = double (*)(std::span<const double>, bool);
const FeatureFn kBoth[] = {sc_fluctanal_2_dfa_50_1_2_logi_prop_r1,
                           sc_fluctanal_2_rsrangefit_50_1_logi_prop_r1};

TEST(C22bFluctAnal, FewerThanTwelveSizesGiveZero) {
  for (std::size_t n = 2; n <= 31; ++n) {
    SCOPED_TRACE(n);
    const std::vector<double> y = noise(n, static_cast<unsigned>(n));
    for (FeatureFn f : kBoth) {
      EXPECT_EQ(f(y, true), 0.0);
      EXPECT_EQ(f(y, false), 0.0);
    }
  }
}

TEST(C22bFluctAnal, ThirtyTwoHasOneBreakpoint) {
  // sizes 5 ... 16: a single candidate break, position 6 of 12
  for (unsigned seed : {1u, 2u, 3u}) {
    const std::vector<double> y = noise(32, seed);
    for (FeatureFn f : kBoth) EXPECT_EQ(f(y, true), 0.5);
  }
}

// The position of the break, times the number of sizes, is an integer in
// [6, nT - 5]; nT itself shows in the all-NaN case, where the position is 1.
TEST(C22bFluctAnal, PositionWithinCandidateRange) {
  for (std::size_t n : {33u, 64u, 100u, 257u, 1000u}) {
    SCOPED_TRACE(n);
    for (FeatureFn f : kBoth) {
      const double one_over_nt = f(std::vector<double>(n, 2.5), true);
      const double nt = std::round(1.0 / one_over_nt);
      ASSERT_EQ(one_over_nt, 1.0 / nt);
      EXPECT_GE(nt, 12.0);
      EXPECT_LE(nt, 50.0);
      for (unsigned seed : {4u, 5u}) {
        const double pos = f(noise(n, seed), true) * nt;
        EXPECT_NEAR(pos, std::round(pos), 1e-9);
        EXPECT_GE(pos, 6.0);
        EXPECT_LE(pos, nt - 5.0);
      }
    }
  }
}

// A sine's cumulative sum stops growing with the window once the window spans a
// period, so the fluctuation curve bends near the period: the break sits well
// inside the range for a period of 40 among sizes 5 ... 500.
TEST(C22bFluctAnal, BreakFollowsThePeriod) {
  std::vector<double> y(1000);
  for (std::size_t i = 0; i < y.size(); ++i) y[i] = std::sin(6.283185307179586 * i / 40.0);
  const double nt =
      std::round(1.0 / sc_fluctanal_2_rsrangefit_50_1_logi_prop_r1(std::vector<double>(1000, 1.0), true));
  for (FeatureFn f : kBoth) {
    const double v = f(y, true);
    EXPECT_GT(v * nt, 8.0);
    EXPECT_LT(v * nt, nt - 8.0);
  }
}

TEST(C22bFluctAnal, RejectsBadParameters) {
  const std::vector<double> y = noise(40, 1);
  EXPECT_THROW(fluct_anal_prop_r1(y, 0, "dfa", true), std::invalid_argument);
  EXPECT_THROW(fluct_anal_prop_r1(y, 41, "dfa", true), std::invalid_argument);
  EXPECT_THROW(fluct_anal_prop_r1(y, 1, "DFA", true), std::invalid_argument);
  EXPECT_EQ(fluct_anal_prop_r1(y, 2, "dfa", false), sc_fluctanal_2_dfa_50_1_2_logi_prop_r1(y, false));
}

}  // namespace
}  // namespace tessaly
