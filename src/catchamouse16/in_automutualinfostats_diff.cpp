#include "catchamouse16/in_automutualinfostats_diff.h"

#include <cmath>
#include <vector>

#include "catch22/co_auto_corr.h"
#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

namespace {

constexpr std::uint64_t kLag = 8;
constexpr double kMinHalfLength = 7.0;

}  // namespace

double in_automutualinfostats_diff_20_gaussian_ami8(std::span<const double> y, bool normalize) {
  if (has_nan(y)) return kNaN;
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  // Half the length of the differences, on reals (m = 0 must not wrap around).
  const double half = std::ceil((static_cast<double>(w.size()) - 1.0) * 0.5);
  if (half < kMinHalfLength) return kNaN;
  const std::vector<double> d = first_differences(w);
  const double r = lagged_correlation(d, kLag);
  return -0.5 * std::log(1.0 - r * r);
}

}  // namespace tessaly
