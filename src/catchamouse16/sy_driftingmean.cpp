#include "catchamouse16/sy_driftingmean.h"

#include <cmath>
#include <cstddef>
#include <vector>

#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

double sy_driftingmean50_min(std::span<const double> y, bool normalize) {
  constexpr std::size_t kWindow = 50;
  if (has_nan(y)) return kNaN;
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  const std::size_t m = w.size();
  if (m < kWindow) return kNaN;

  const std::size_t q = m / kWindow;  // the shorter tail is dropped
  std::vector<double> means(q);
  std::vector<double> variances(q);
  for (std::size_t i = 0; i < q; ++i) {
    const std::span<const double> win(w.data() + i * kWindow, kWindow);
    const double mu = mean(win);
    means[i] = mu;
    if (std::isnan(mu)) {
      variances[i] = kNaN;
      continue;
    }
    double ss = -0.0;
    for (double x : win) {
      const double d = x - mu;
      ss += d * d;
    }
    variances[i] = ss / static_cast<double>(kWindow - 1);
  }

  const double v = mean(variances);
  double lowest = means[0];
  for (double mu : means) {
    if (std::isnan(mu)) return kNaN;
    if (mu < lowest) lowest = mu;
  }
  return lowest / v;
}

}  // namespace tessaly
