#include "catchamouse16/dn_removepoints.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <vector>

#include "catch22/co_auto_corr.h"
#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

double dn_removepoints_absclose_05_ac2rat(std::span<const double> y, bool normalize) {
  constexpr double kKeepFraction = 0.5;
  if (has_nan(y)) return kNaN;
  const std::size_t n = y.size();
  if (n < 3) return kNaN;
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  // Z-scoring can still yield NaN (constant or overflowing series). The lag-2
  // autocorrelation of w is then NaN and so is the ratio; returning early also keeps
  // NaN out of the sort, whose comparison needs a strict weak order.
  if (has_nan(w)) return kNaN;
  const std::size_t m = w.size();

  const std::size_t keep = static_cast<std::size_t>(std::round(static_cast<double>(n) * kKeepFraction));

  // Largest absolute value first; the stable sort keeps ties in ascending position.
  std::vector<std::size_t> order(m);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&w](std::size_t a, std::size_t b) { return std::fabs(w[a]) > std::fabs(w[b]); });
  order.resize(keep);
  std::sort(order.begin(), order.end());

  std::vector<double> u(keep);
  for (std::size_t i = 0; i < keep; ++i) u[i] = w[order[i]];
  return autocorr_lag2_fft(u) / autocorr_lag2_fft(w);
}

}  // namespace tessaly
