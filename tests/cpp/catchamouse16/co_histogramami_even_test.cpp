#include "catchamouse16/co_histogramami_even.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tessaly {
namespace {

TEST(Cm16HistogramAmi, BinsAndLags) {
  // 0 ... 9 with 10 bins puts every value in its own bin, so the information at lag
  // tau is ln(10 - tau).
  const std::vector<double> ramp = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  EXPECT_NEAR(co_histogramami_even_10_1(ramp, false), std::log(9.0), 1e-12);
  EXPECT_NEAR(co_histogramami_even_10_3(ramp, false), std::log(7.0), 1e-12);
  // A square wave of period 6 shifted by 3 flips every value: joint cells (0, 1) with
  // probability 2/3 and (1, 0) with 1/3.
  const std::vector<double> square = {0, 0, 0, 1, 1, 1, 0, 0, 0, 1, 1, 1};
  EXPECT_NEAR(co_histogramami_even_2_3(square, false),
              2.0 / 3.0 * std::log(1.5) + 1.0 / 3.0 * std::log(3.0), 1e-12);
}

TEST(Cm16HistogramAmi, ConstantAndShortSeries) {
  const std::vector<double> constant(20, 4.0);
  for (bool normalize : {false, true}) {
    EXPECT_EQ(co_histogramami_even_2_3(constant, normalize), 0.0);
    EXPECT_EQ(co_histogramami_even_10_1(constant, normalize), 0.0);
    EXPECT_EQ(co_histogramami_even_10_3(constant, normalize), 0.0);
  }
  const std::vector<double> three = {1, 2, 3};
  EXPECT_TRUE(std::isnan(co_histogramami_even_2_3(three, false)));
  EXPECT_TRUE(std::isnan(co_histogramami_even_10_3(three, false)));
  EXPECT_FALSE(std::isnan(co_histogramami_even_10_1(three, false)));
}

}  // namespace
}  // namespace tessaly
