#include "catch22/co_trev_1_num.h"

#include <cstddef>
#include <vector>

#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

double co_trev_1_num(std::span<const double> y, bool normalize) {
  // The empty series has no difference sequence at all.
  if (y.empty() || has_nan(y)) return kNaN;
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  const std::size_t n = w.size();
  std::vector<double> d(n - 1);
  for (std::size_t i = 0; i + 1 < n; ++i) {
    const double diff = w[i + 1] - w[i];
    d[i] = diff * diff * diff;
  }
  return mean(d);  // NaN for the empty list (n = 1)
}

}  // namespace tessaly
