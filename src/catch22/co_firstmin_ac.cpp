#include "catch22/co_firstmin_ac.h"

#include <cstddef>
#include <vector>

#include "catch22/co_auto_corr.h"
#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

double co_firstmin_ac(std::span<const double> y, bool normalize) {
  const std::size_t n = y.size();
  if (!all_finite(y) || n < 2) return 0.0;
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  const std::vector<double> c = autocorrelations(w);
  return static_cast<double>(first_interior_minimum(c, n));
}

}  // namespace tessaly
