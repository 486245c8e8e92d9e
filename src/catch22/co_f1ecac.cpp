#include "catch22/co_f1ecac.h"

#include <cstddef>
#include <vector>

#include "catch22/co_auto_corr.h"
#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

double co_f1ecac(std::span<const double> y, bool normalize) {
  const std::size_t n = y.size();
  if (!all_finite(y) || n < 2) return 0.0;
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  const std::vector<double> c = autocorrelations(w);

  constexpr double kInvE = 0.36787944117144233;
  for (std::size_t k = 1; k + 2 <= n; ++k) {
    if (c[k] < kInvE) {
      return static_cast<double>(k - 1) + (kInvE - c[k - 1]) / (c[k] - c[k - 1]);
    }
  }
  return static_cast<double>(n);
}

}  // namespace tessaly
