#include "catch22/md_hrv.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaly {
namespace {

TEST(C22bMdHrv, ThresholdIsStrict) {
  // differences 0.05, 0.01, -0.04: the last scales to about 40, not above it
  const std::vector<double> y = {0.0, 0.05, 0.06, 0.02};
  EXPECT_EQ(md_hrv_classic_pnn40(y, false), 1.0 / 3.0);
}

TEST(C22bMdHrv, CountsMagnitudeOfDifferences) {
  // differences -0.1, 0.041, -0.039, 0.0, 0.5: three exceed the threshold, either sign
  const std::vector<double> y = {1.0, 0.9, 0.941, 0.902, 0.902, 1.402};
  EXPECT_EQ(md_hrv_classic_pnn40(y, false), 3.0 / 5.0);
  // z-scored, every step of this series is far above 0.04
  EXPECT_EQ(md_hrv_classic_pnn40(std::vector<double>{0.0, 1.0, 0.0, 1.0}, true), 1.0);
}

}  // namespace
}  // namespace tessaly
