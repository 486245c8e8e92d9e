// Degenerate series through every forecasting, fluctuation, HRV, spectral and
// periodicity feature: fixed values, never a crash.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "catch22/fc_localsimple.h"
#include "catch22/md_hrv.h"
#include "catch22/pd_periodicitywang.h"
#include "catch22/sc_fluctanal.h"
#include "catch22/sp_summaries.h"

namespace tessaly {
namespace {

using FeatureFn = double (*)(std::span<const double>, bool);

struct Feature {
  const char* name;
  FeatureFn fn;
};

const Feature kFeatures[] = {
    {"tauresrat", fc_localsimple_mean1_tauresrat},
    {"stderr", fc_localsimple_mean3_stderr},
    {"dfa", sc_fluctanal_2_dfa_50_1_2_logi_prop_r1},
    {"rsrange", sc_fluctanal_2_rsrangefit_50_1_logi_prop_r1},
    {"pnn40", md_hrv_classic_pnn40},
    {"area", sp_summaries_welch_rect_area_5_1},
    {"centroid", sp_summaries_welch_rect_centroid},
    {"periodicity", pd_periodicitywang_th0_01},
};
constexpr int kNumFeatures = sizeof(kFeatures) / sizeof(kFeatures[0]);

std::uint64_t bits(double v) {
  std::uint64_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

// Same value to the bit, any NaN matching any NaN.
void expect_same(double expected, double actual) {
  if (std::isnan(expected)) {
    EXPECT_TRUE(std::isnan(actual)) << actual;
  } else {
    EXPECT_EQ(bits(expected), bits(actual)) << "expected " << expected << " got " << actual;
  }
}

constexpr double N = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kPi = 3.141592653589793;

struct Case {
  const char* why;
  std::vector<double> y;
  bool normalize;
  // tauresrat, stderr, dfa, rsrange, pnn40, area, centroid, periodicity
  double expected[kNumFeatures];
};

TEST(C22bDegenerate, FixedValues) {
  const std::vector<double> c10(10, 5.0);
  const std::vector<double> c32(32, -3.0);
  const std::vector<double> nan_mid = {1.0, 2.0, N, 4.0, 5.0, 6.0};
  const std::vector<double> inf_mid = {1.0, 2.0, kInf, 4.0, 5.0, 6.0};
  const std::vector<double> ninf_end = {1.0, 2.0, 3.0, 4.0, 5.0, -kInf};
  const Case cases[] = {
      {"empty", {}, true, {N, N, N, N, N, N, N, 0.0}},
      {"empty raw", {}, false, {N, N, N, N, N, N, N, 0.0}},
      {"one value", {4.0}, true, {N, N, N, N, N, N, N, 0.0}},
      {"one value raw", {4.0}, false, {N, N, N, N, N, N, N, 0.0}},
      // the single residual has an all-NaN autocorrelation: a = 0, b = 1; the only
      // frequencies are 0 and pi and no entry falls in the lowest fifth
      {"two values", {1.0, 3.0}, true, {0.0, 0.0, 0.0, 0.0, 1.0, -0.0, kPi, 0.0}},
      {"two values raw", {1.0, 3.0}, false, {0.0, 0.0, 0.0, 0.0, 1.0, -0.0, kPi, 0.0}},
      // constant: zero power everywhere, zero residuals
      {"constant raw", c10, false, {N, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0}},
      // z-scoring a constant gives NaN everywhere
      {"constant normalized", c10, true, {N, N, 0.0, 0.0, 0.0, N, 0.0, 0.0}},
      {"constant normalized n=4", std::vector<double>(4, 2.0), true,
       {N, N, 0.0, 0.0, 0.0, -0.0, 0.0, 0.0}},
      // twelve window sizes, every fit error NaN: position 1 of 12
      {"constant normalized n=32", c32, true,
       {N, N, 1.0 / 12.0, 1.0 / 12.0, 0.0, N, 0.0, 0.0}},
      {"NaN", nan_mid, true, {N, N, N, N, N, N, N, 0.0}},
      {"NaN raw", nan_mid, false, {N, N, N, N, N, N, N, 0.0}},
      {"inf", inf_mid, true, {N, N, N, N, N, N, N, 0.0}},
      {"-inf raw", ninf_end, false, {N, N, N, N, N, N, N, 0.0}},
  };
  for (const Case& c : cases) {
    for (int f = 0; f < kNumFeatures; ++f) {
      SCOPED_TRACE(std::string(c.why) + " / " + kFeatures[f].name);
      expect_same(c.expected[f], kFeatures[f].fn(c.y, c.normalize));
    }
  }
}

// Huge, tiny and mixed-magnitude series: any value is acceptable as long as the
// call returns (the sanitizer build checks for overflow and bad indexing), and the
// periodicity stays an integer.
TEST(C22bDegenerate, ExtremeMagnitudesReturn) {
  std::mt19937_64 rng(7);
  std::normal_distribution<double> gauss;
  std::vector<std::vector<double>> series;
  for (double scale : {1e300, 1e-300, 1.7e308}) {
    std::vector<double> v(257);
    for (double& x : v) x = gauss(rng) * scale;
    series.push_back(v);
  }
  std::vector<double> mixed(100, 1.0);
  mixed[50] = 1e308;
  mixed[51] = -1e308;
  series.push_back(mixed);
  series.push_back(std::vector<double>(64, 1e300));
  for (const auto& y : series) {
    for (bool normalize : {true, false}) {
      for (const Feature& f : kFeatures) {
        SCOPED_TRACE(f.name);
        const double v = f.fn(y, normalize);
        if (f.fn == pd_periodicitywang_th0_01) {
          EXPECT_EQ(v, std::floor(v));
        }
      }
    }
  }
}

}  // namespace
}  // namespace tessaly
