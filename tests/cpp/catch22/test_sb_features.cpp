#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "catch22/sb_binarystats.h"
#include "catch22/sb_coarsegrain.h"
#include "catch22/sb_motifthree.h"
#include "catch22/sb_transitionmatrix.h"
#include "lcg_series.h"

namespace tessaly {
namespace {

const std::vector<double> kConst5(5, 4.0);
const std::vector<double> kRise6 = {1, 2, 3, 4, 5, 6};
const std::vector<double> kFall6 = {6, 5, 4, 3, 2, 1};

TEST(SbBinaryStatsTest, DiffLongstretch0) {
  check_table(sb_binarystats_diff_longstretch0,
              {
                  {"empty", {}, true, kQNaN},
                  {"one value", {1}, false, kQNaN},
                  {"NaN", {1, kQNaN, 3}, false, kQNaN},
                  {"inf", {1, kInf, 3}, true, kQNaN},
                  {"two values", {2, 1}, false, 0.0},
                  {"rising: every step triggers", kRise6, false, 1.0},
                  {"falling: only the last position triggers", kFall6, false, 4.0},
                  {"falling, normalised", kFall6, true, 4.0},
                  {"four falls then a rise", {5, 4, 3, 2, 3, 2, 1, 0, -1, 0}, false, 5.0},
                  {"constant raw: ties count as rises", kConst5, false, 1.0},
                  {"constant normalised: NaN comparisons count as rises", kConst5, true, 1.0},
              });
}

TEST(SbBinaryStatsTest, MeanLongstretch1) {
  check_table(sb_binarystats_mean_longstretch1,
              {
                  {"empty", {}, true, kQNaN},
                  {"one value", {1}, true, kQNaN},
                  {"NaN", {kQNaN, 1, 3}, false, kQNaN},
                  {"-inf", {1, -kInf, 3}, false, kQNaN},
                  {"two values", {1, 2}, true, 0.0},
                  {"1..6: stretches 0, 1, 1, 2", kRise6, false, 2.0},
                  {"1..6 normalised", kRise6, true, 2.0},
                  {"last value not binarised", {0, 9, 9, 9, 0, 0, 9}, false, 4.0},
                  {"constant raw: every value at the mean", kConst5, false, 1.0},
                  {"constant normalised: NaN differences count as above", kConst5, true, 3.0},
              });
}

TEST(SbCoarseGrainTest, TertileLabels) {
  std::vector<std::uint64_t> labels(6, 0);
  sb_coarse_grain(kRise6, "quantile", labels);  // thresholds 0, 2.5, 4.5, 6
  EXPECT_EQ(labels, (std::vector<std::uint64_t>{1, 1, 2, 2, 3, 3}));

  // An unlabelled value keeps what the caller stored.
  std::vector<std::uint64_t> with_nan(3, 7);
  sb_coarse_grain(std::vector<double>{1, kQNaN, 3}, "quantile", with_nan);
  EXPECT_EQ(with_nan, (std::vector<std::uint64_t>(3, 7)));

  // Around 1e17 lowering the minimum by 1 is lost to rounding: the minimum gets no
  // label.
  std::vector<std::uint64_t> huge(3, 0);
  sb_coarse_grain(std::vector<double>{1e17, 2e17, 3e17}, "quantile", huge);
  EXPECT_EQ(huge, (std::vector<std::uint64_t>{0, 2, 3}));

  std::vector<std::uint64_t> none;
  sb_coarse_grain(std::vector<double>{}, "quantile", none);

  EXPECT_THROW(sb_coarse_grain(kRise6, "uniform", labels), std::logic_error);
}

TEST(SbMotifThreeTest, Values) {
  const double p4 = 0.4, p2 = 0.2;
  // Labels 1 2 3 1 2 3: words 12, 23, 31, 12, 23 over n - 1 = 5.
  const double cycle = -(p4 * std::log(p4)) - (p4 * std::log(p4)) - (p2 * std::log(p2));
  check_table(sb_motifthree_quantile_hh,
              {
                  {"empty", {}, true, kQNaN},
                  {"one value", {1}, true, kQNaN},
                  {"NaN", {1, kQNaN, 3}, true, kQNaN},
                  {"inf", {1, kInf, 3}, false, kQNaN},
                  {"constant normalised: nothing labelled", kConst5, true, 0.0},
                  {"constant raw: one word of probability 1", kConst5, false, 0.0},
                  {"noise", lcg_noise(300, 7), true, 2.195144134184547},
                  {"walk", lcg_walk(300, 11), true, 1.4631497336153383},
              });
  EXPECT_DOUBLE_EQ(sb_motifthree_quantile_hh(std::vector<double>{1, 2, 3, 1, 2, 3}, false), cycle);
  EXPECT_DOUBLE_EQ(sb_motifthree_quantile_hh(std::vector<double>{1, 2, 3, 1, 2, 3}, true), cycle);
  // Huge raw values: the unlabelled minimum just starts and ends no word.
  EXPECT_FALSE(std::isnan(sb_motifthree_quantile_hh(scaled(lcg_noise(40, 1), 1e3, 1e17), false)));
  // Labels 1 0 3 1 3 (the minimum 1e17 is unlabelled): only the words 31 and 13
  // count, each 1 / (n - 1) = 1/4.
  EXPECT_EQ(sb_motifthree_quantile_hh(std::vector<double>{2e17, 1e17, 3e17, 2e17, 3e17}, false),
            -2.0 * (0.25 * std::log(0.25)));
}

TEST(SbTransitionMatrixTest, Values) {
  // Labels cycle 1 2 3 (delay 1): column variances 1/48, 3/64, 3/64.
  const std::vector<double> cycle = {1, 2, 3, 1, 2, 3, 1, 2, 3};
  EXPECT_NEAR(sb_transitionmatrix_3ac_sumdiagcov(cycle, false), 11.0 / 96.0, 1e-16);
  EXPECT_NEAR(sb_transitionmatrix_3ac_sumdiagcov(cycle, true), 11.0 / 96.0, 1e-16);
  EXPECT_DOUBLE_EQ(sb_transitionmatrix_3ac_sumdiagcov(lcg_noise(300, 7), true),
                   0.0019368496914553396);
  EXPECT_DOUBLE_EQ(sb_transitionmatrix_3ac_sumdiagcov(lcg_walk(300, 11), true),
                   0.07407407407407407);
}

TEST(SbTransitionMatrixTest, DegenerateSeries) {
  const std::vector<double> near_1e17 = scaled(lcg_noise(50, 3), 1e3, 1e17);
  check_table(sb_transitionmatrix_3ac_sumdiagcov,
              {
                  {"empty", {}, true, kQNaN},
                  {"one value", {1}, false, kQNaN},
                  {"NaN", {1, kQNaN, 3, 4}, true, kQNaN},
                  {"inf", {1, 2, kInf, 4}, false, kQNaN},
                  {"constant normalised", kConst5, true, kQNaN},
                  {"constant raw", kConst5, false, kQNaN},
                  {"signed zeros are equal", {0.0, -0.0, 0.0}, false, kQNaN},
                  {"raw near 1e17: minimum unlabelled", near_1e17, false, kQNaN},
                  {"raw 1e300: autocorrelation overflows, no step", scaled(lcg_noise(50, 3), 1e300),
                   false, kQNaN},
              });
  // The same series normalised is ordinary.
  EXPECT_FALSE(std::isnan(sb_transitionmatrix_3ac_sumdiagcov(near_1e17, true)));
  // Two values: one transition.
  EXPECT_FALSE(std::isnan(sb_transitionmatrix_3ac_sumdiagcov(std::vector<double>{1, 2}, true)));
}

}  // namespace
}  // namespace tessaly
