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

// For n = 40 and n = 50 the sizes step by less than one, so every integer from 5
// to n/2 appears once: 16 and 21 sizes.
TEST(C22bFluctAnal, DistinctSizeCount) {
  for (FeatureFn f : kBoth) {
    EXPECT_EQ(f(std::vector<double>(40, 1.0), true), 1.0 / 16.0);
    EXPECT_EQ(f(std::vector<double>(50, 1.0), true), 1.0 / 21.0);
  }
}

// A sine's cumulative sum stops growing with the window once the window spans a
// period, so the fluctuation curve bends later for longer periods.
TEST(C22bFluctAnal, BreakMovesWithThePeriod) {
  for (FeatureFn f : kBoth) {
    double previous = 0.0;
    for (double period : {20.0, 40.0, 80.0}) {
      SCOPED_TRACE(period);
      std::vector<double> y(1000);
      for (std::size_t i = 0; i < y.size(); ++i) y[i] = std::sin(6.283185307179586 * i / period);
      const double v = f(y, true);
      EXPECT_GT(v, previous);
      EXPECT_LT(v, 1.0);
      previous = v;
    }
  }
}

// The detrended analysis reads every second value only.
TEST(C22bFluctAnal, DfaUsesLagTwo) {
  std::vector<double> y = noise(500, 8);
  const double before = sc_fluctanal_2_dfa_50_1_2_logi_prop_r1(y, false);
  for (std::size_t i = 1; i < y.size(); i += 2) y[i] = 1e6 * static_cast<double>(i % 7);
  EXPECT_EQ(sc_fluctanal_2_dfa_50_1_2_logi_prop_r1(y, false), before);
  EXPECT_NE(sc_fluctanal_2_rsrangefit_50_1_logi_prop_r1(y, false),
            sc_fluctanal_2_rsrangefit_50_1_logi_prop_r1(noise(500, 8), false));
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
