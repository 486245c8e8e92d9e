#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "catch22/co_auto_corr.h"
#include "catch22/co_embed2_dist_tau_d_expfit_meandiff.h"
#include "catch22/co_f1ecac.h"
#include "catch22/co_firstmin_ac.h"
#include "catch22/co_trev_1_num.h"
#include "helpers/common/stats.h"
#include "lcg_series.h"

namespace tessaly {
namespace {

const std::vector<double> kConst4 = {5, 5, 5, 5};

TEST(CoF1ecacTest, DegenerateSeries) {
  check_table(co_f1ecac, {
                             {"empty", {}, true, 0.0},
                             {"one value", {3}, true, 0.0},
                             {"two values: no lag examined", {1, 2}, true, 2.0},
                             {"two values raw", {1, 2}, false, 2.0},
                             {"NaN", {1, kQNaN, 3, 4}, true, 0.0},
                             {"+inf", {1, kInf, 3, 4}, false, 0.0},
                             {"-inf", {1, 2, -kInf, 4}, true, 0.0},
                             {"constant normalised: NaN autocorrelation", kConst4, true, 4.0},
                             {"constant raw: NaN autocorrelation", kConst4, false, 4.0},
                         });
}

TEST(CoFirstMinAcTest, DegenerateSeries) {
  check_table(co_firstmin_ac, {
                                  {"empty", {}, true, 0.0},
                                  {"one value", {3}, true, 0.0},
                                  {"two values", {1, 2}, true, 2.0},
                                  {"NaN", {1, kQNaN, 3, 4}, true, 0.0},
                                  {"inf", {1, kInf, 3, 4}, false, 0.0},
                                  {"constant normalised", kConst4, true, 4.0},
                                  {"constant raw", kConst4, false, 4.0},
                              });
}

TEST(CoTrev1NumTest, DegenerateAndHandComputed) {
  const double s = std::sqrt(7.0 / 3.0);  // sample std of 0, 1, 3
  check_table(co_trev_1_num, {
                                 {"empty", {}, true, kQNaN},
                                 {"empty raw", {}, false, kQNaN},
                                 {"one value: empty difference list", {3}, false, kQNaN},
                                 {"NaN", {1, kQNaN, 3}, false, kQNaN},
                                 {"constant normalised", kConst4, true, kQNaN},
                                 {"constant raw: mean of zero cubes", kConst4, false, 0.0},
                                 {"cubes 1 and 8", {0, 1, 3}, false, 4.5},
                                 {"infinity propagates", {0, 1, kInf}, false, kInf},
                                 {"inf - inf", {0, kInf, 1}, false, kQNaN},
                             });
  EXPECT_DOUBLE_EQ(co_trev_1_num(std::vector<double>{0, 1, 3}, true), 4.5 / (s * s * s));
}

TEST(CoEmbed2DistTest, DegenerateSeries) {
  check_table(co_embed2_dist_tau_d_expfit_meandiff,
              {
                  {"empty", {}, true, kQNaN},
                  {"one value", {3}, true, kQNaN},
                  {"two values: one distance, no bins", {1, 2}, true, 0.0},
                  {"NaN", {1, kQNaN, 3, 4}, false, kQNaN},
                  {"inf", {1, kInf, 3, 4}, false, kQNaN},
                  {"constant normalised: NaN distances", kConst4, true, kQNaN},
                  {"constant raw: zero spread", kConst4, false, 0.0},
              });
}

// Biased autocorrelation summed directly, for the interpolation check.
std::vector<double> direct_acf(const std::vector<double>& w) {
  const std::size_t n = w.size();
  const double m = mean(w);
  double den = -0.0;
  for (double v : w) den += (v - m) * (v - m);
  std::vector<double> c(n);
  for (std::size_t k = 0; k < n; ++k) {
    double s = -0.0;
    for (std::size_t i = 0; i + k < n; ++i) s += (w[i] - m) * (w[i + k] - m);
    c[k] = s / den;
  }
  return c;
}

TEST(CoF1ecacTest, InterpolatesBetweenLagsAroundTheCrossing) {
  for (std::uint64_t seed : {1u, 2u, 3u}) {
    const std::vector<double> y = lcg_walk(120, seed);
    const std::vector<double> c = direct_acf(zscore(y));
    constexpr double th = 0.36787944117144233;
    std::size_t k = 1;
    while (k + 2 <= y.size() && !(c[k] < th)) ++k;
    ASSERT_LT(k + 1, y.size()) << "seed " << seed << " never crosses 1/e";
    const double expected = static_cast<double>(k - 1) + (th - c[k - 1]) / (c[k] - c[k - 1]);
    EXPECT_NEAR(co_f1ecac(y, true), expected, 1e-9) << "seed " << seed;
  }
}

// Values from an independent evaluation of the same definitions (direct-sum
// autocorrelation, so features that interpolate the autocorrelation are compared
// with a tolerance; the others depend on it only through signs).
TEST(CoAutocorrFeaturesTest, ReferenceValuesOnNoiseAndWalk) {
  const std::vector<double> noise = lcg_noise(300, 7);
  const std::vector<double> walk = lcg_walk(300, 11);

  EXPECT_NEAR(co_f1ecac(noise, true), 0.66890924528384044, 1e-12);
  EXPECT_NEAR(co_f1ecac(walk, true), 46.298624709877963, 1e-9);
  EXPECT_EQ(co_firstmin_ac(noise, true), 2.0);
  EXPECT_EQ(co_firstmin_ac(walk, true), 101.0);
  EXPECT_DOUBLE_EQ(co_trev_1_num(noise, true), -0.24257685072016835);
  EXPECT_DOUBLE_EQ(co_trev_1_num(walk, true), -0.00031324858999981313);
  EXPECT_DOUBLE_EQ(co_embed2_dist_tau_d_expfit_meandiff(noise, true), 0.1141511578653778);
  EXPECT_DOUBLE_EQ(co_embed2_dist_tau_d_expfit_meandiff(walk, true), 2.5529961727633661);
}

TEST(CoEmbed2DistTest, ShortSeriesUsesZeroDelay) {
  // n = 9 caps the delay at 0 whatever the autocorrelation.
  EXPECT_DOUBLE_EQ(co_embed2_dist_tau_d_expfit_meandiff(lcg_noise(9, 3), false),
                   0.83796227385540156);
}

TEST(CoAutocorrFeaturesTest, NormalisedFeaturesIgnoreShiftAndScale) {
  const std::vector<double> y = lcg_walk(200, 5);
  const std::vector<double> z = scaled(y, 1e4, -3e5);
  EXPECT_EQ(co_firstmin_ac(y, true), co_firstmin_ac(z, true));
  EXPECT_NEAR(co_f1ecac(y, true), co_f1ecac(z, true), 1e-9);
  EXPECT_NEAR(co_trev_1_num(y, true), co_trev_1_num(z, true), 1e-9);
  EXPECT_NEAR(co_embed2_dist_tau_d_expfit_meandiff(y, true),
              co_embed2_dist_tau_d_expfit_meandiff(z, true), 1e-9);
}

TEST(CoAutocorrFeaturesTest, ExtremeFiniteValuesStayInBounds) {
  const std::vector<std::vector<double>> inputs = {
      scaled(lcg_noise(50, 9), 1e300),
      scaled(lcg_noise(50, 9), 1e-300),
      scaled(lcg_noise(50, 9), 1.0, 1e17),
      {1.7976931348623157e308, -1.7976931348623157e308, 1.7976931348623157e308},
  };
  for (const auto& y : inputs) {
    for (bool normalize : {false, true}) {
      const double n = static_cast<double>(y.size());
      const double f1 = co_f1ecac(y, normalize);
      EXPECT_TRUE(f1 >= 0.0 && f1 <= n) << f1;
      const double fm = co_firstmin_ac(y, normalize);
      EXPECT_TRUE(fm >= 0.0 && fm <= n) << fm;
      co_trev_1_num(y, normalize);
      co_embed2_dist_tau_d_expfit_meandiff(y, normalize);
    }
  }
}

}  // namespace
}  // namespace tessaly
