#include "catch22/md_hrv.h"

#include <cmath>
#include <cstddef>
#include <vector>

#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

double md_hrv_classic_pnn40(std::span<const double> y, bool normalize) {
  if (!all_finite(y)) return kNaN;
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  const std::vector<double> d = first_differences(w);

  std::size_t count = 0;
  for (double v : d)
    if (std::fabs(v) * 1000.0 > 40.0) ++count;
  // No differences gives 0/0.
  return static_cast<double>(count) / static_cast<double>(d.size());
}

}  // namespace tessaly
