// Contract shared by the catchaMouse16 shape, sliding-window, nonlinear-autocorrelation
// and information outputs: fixed values on degenerate series, no crash on extreme ones,
// and normalising equals z-scoring first.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <vector>

#include "catchamouse16/co_addnoise.h"
#include "catchamouse16/co_histogramami_even.h"
#include "catchamouse16/co_nonlinearautocorr.h"
#include "catchamouse16/co_translateshape.h"
#include "catchamouse16/in_automutualinfostats_diff.h"
#include "catchamouse16/sy_slidingwindow.h"
#include "helpers/common/stats.h"
#include "shape_info_series.h"

namespace tessaly {
namespace {

using Fn = double (*)(std::span<const double>, bool);

struct Feature {
  const char* name;
  Fn fn;
};

const Feature kFeatures[] = {
    {"CO_TranslateShape_Circle_35_Pts_Std", co_translateshape_circle_35_pts_std},
    {"CO_TranslateShape_Circle_35_Pts_StatAv4_M", co_translateshape_circle_35_pts_statav4_m},
    {"SY_SlidingWindow_Std_Std_5_2", sy_slidingwindow_std_std_5_2},
    {"SY_SlidingWindow_Mean_Std_5_2", sy_slidingwindow_mean_std_5_2},
    {"AC_NL_035", ac_nl_035},
    {"AC_NL_036", ac_nl_036},
    {"AC_NL_112", ac_nl_112},
    {"CO_HistogramAMI_Even_2_3", co_histogramami_even_2_3},
    {"CO_HistogramAMI_Even_10_1", co_histogramami_even_10_1},
    {"CO_HistogramAMI_Even_10_3", co_histogramami_even_10_3},
    {"IN_AutoMutualInfoStats_diff_20_gaussian_ami8", in_automutualinfostats_diff_20_gaussian_ami8},
    {"CO_AddNoise_1_Even_10_AMI_At_10", co_addnoise_1_even_10_ami_at_10},
};
constexpr std::size_t kCount = std::size(kFeatures);

constexpr double N = std::numeric_limits<double>::quiet_NaN();
constexpr std::optional<double> kAny = std::nullopt;  // value not fixed; must not crash

void expect_value(double got, std::optional<double> want) {
  if (!want) return;
  if (std::isnan(*want)) {
    EXPECT_TRUE(std::isnan(got)) << got;
  } else {
    EXPECT_EQ(got, *want);
  }
}

TEST(Cm16ShapeInfoContract, DegenerateSeries) {
  std::vector<double> with_nan = testing::uniform_series(40, 1);
  with_nan[17] = N;
  const std::vector<double> constant(40, 5.0);
  using Row = std::array<std::optional<double>, kCount>;
  struct Case {
    std::vector<double> y;
    bool normalize;
    Row expected;
    const char* why;
  };
  const Row all_nan = {N, N, N, N, N, N, N, N, N, N, N, N};
  const std::vector<Case> cases = {
      {{}, false, all_nan, "empty"},
      {{}, true, all_nan, "empty, normalised"},
      {{2.5}, false, all_nan, "one value"},
      {{2.5}, true, all_nan, "one value, normalised"},
      {with_nan, false, all_nan, "NaN"},
      {with_nan, true, all_nan, "NaN, normalised"},
      // Raw constant: every shape count is 7; window statistics have zero spread over a
      // zero spread (0 / 0); products are 5^4; one histogram cell; no correlation.
      {constant, false, Row{0.0, N, N, N, 625.0, 625.0, 625.0, 0.0, 0.0, 0.0, N, kAny}, "constant"},
      // z-scored constant is NaN throughout: no point counts, so the counts have zero
      // spread; the histograms put everything in one cell.
      {constant, true, Row{0.0, N, N, N, N, N, N, 0.0, 0.0, 0.0, N, N}, "constant, normalised"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    for (std::size_t f = 0; f < kCount; ++f) {
      SCOPED_TRACE(kFeatures[f].name);
      expect_value(kFeatures[f].fn(c.y, c.normalize), c.expected[f]);
    }
  }
}

TEST(Cm16ShapeInfoContract, ExtremeValuesNeverCrash) {
  const double big = std::numeric_limits<double>::max();
  std::vector<double> huge(60), with_inf = testing::uniform_series(60, 2);
  for (std::size_t i = 0; i < huge.size(); ++i) huge[i] = (i % 3 == 0 ? -big : big) * 0.9;
  with_inf[10] = INFINITY;
  with_inf[31] = -INFINITY;
  for (const auto* y : {&huge, &with_inf}) {
    for (bool normalize : {false, true}) {
      for (const auto& f : kFeatures) {
        SCOPED_TRACE(f.name);
        (void)f.fn(*y, normalize);
      }
    }
  }
  // The histogram informations reject non-finite series outright.
  EXPECT_TRUE(std::isnan(co_histogramami_even_10_1(with_inf, false)));
  EXPECT_TRUE(std::isnan(co_addnoise_1_even_10_ami_at_10(with_inf, false)));
}

TEST(Cm16ShapeInfoContract, NormaliseEqualsZscoreFirst) {
  for (std::size_t n : {9u, 40u, 257u}) {
    SCOPED_TRACE(n);
    const auto y = testing::walk_series(n, 100 + n);
    const auto z = zscore(y);
    for (const auto& f : kFeatures) {
      SCOPED_TRACE(f.name);
      const double direct = f.fn(y, true);
      const double via_z = f.fn(z, false);
      EXPECT_EQ(std::bit_cast<std::uint64_t>(direct), std::bit_cast<std::uint64_t>(via_z));
    }
  }
}

}  // namespace
}  // namespace tessaly
