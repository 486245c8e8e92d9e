#include "catch22/in_automutualinfostats.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "catch22/co_auto_corr.h"
#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

namespace {

constexpr std::uint64_t kMaxLag = 40;

}  // namespace

double in_automutualinfostats_40_gaussian_fmmi(std::span<const double> y, bool normalize) {
  const std::size_t n = y.size();
  if (!all_finite(y) || n < 2) return kNaN;
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());

  const std::uint64_t half = to_unsigned_saturating(std::ceil(static_cast<double>(n) * 0.5));
  const std::size_t lags = static_cast<std::size_t>(std::min(kMaxLag, half));
  std::vector<double> ami(lags);
  for (std::size_t k = 1; k <= lags; ++k) {
    const double r = lagged_correlation(w, k);
    ami[k - 1] = -0.5 * std::log(1.0 - r * r);
  }
  return static_cast<double>(first_interior_minimum(ami, lags));
}

}  // namespace tessaly
