#include "catch22/pd_periodicitywang.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "catch22/splinefit.h"
#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

namespace {

constexpr double kThreshold = 0.01;

}  // namespace

double pd_periodicitywang_th0_01(std::span<const double> y, bool normalize) {
  if (!all_finite(y)) return 0.0;
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  const std::size_t n = w.size();

  const std::vector<double> trend = spline_fit(w);
  std::vector<double> z(n);
  for (std::size_t i = 0; i < n; ++i) z[i] = w[i] - trend[i];

  // Lagged product means of the residual up to a third of the length, no mean removal.
  const std::uint64_t len = to_unsigned_saturating(std::ceil(static_cast<double>(n) / 3.0));
  std::vector<double> acov(len);
  for (std::uint64_t d = 1; d <= len; ++d) {
    if (d >= n) {
      acov[d - 1] = kNaN;
      continue;
    }
    double s = -0.0;
    for (std::size_t i = 0; i + d < n; ++i) s += z[i] * z[i + d];
    acov[d - 1] = s / static_cast<double>(n - d);
  }

  std::vector<std::size_t> troughs;
  std::vector<std::size_t> peaks;
  for (std::size_t i = 1; i + 2 <= len; ++i) {
    const double in = acov[i] - acov[i - 1];
    const double out = acov[i + 1] - acov[i];
    if (in < 0 && out > 0) {
      troughs.push_back(i);
    } else if (in > 0 && out < 0) {
      peaks.push_back(i);
    }
  }

  // Troughs are ascending; walk them alongside the peaks to find the last trough
  // below each peak.
  std::size_t below = 0;  // number of troughs below the current peak
  for (std::size_t p : peaks) {
    while (below < troughs.size() && troughs[below] < p) ++below;
    if (below == 0) continue;
    const std::size_t t = troughs[below - 1];
    if (acov[p] < 0 || acov[p] - acov[t] < kThreshold) continue;
    return static_cast<double>(p);
  }
  return 0.0;
}

}  // namespace tessaly
