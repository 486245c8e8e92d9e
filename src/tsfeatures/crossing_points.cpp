#include "tsfeatures/crossing_points.h"

#include <cstddef>
#include <vector>

#include "helpers/common/stats.h"

namespace tessaly {

double crossing_points(std::span<const double> y) {
  const std::size_t n = y.size();
  if (n < 2) return 0.0;
  const double m = series_median(y);
  std::vector<bool> below(n);
  for (std::size_t i = 0; i < n; ++i) below[i] = y[i] <= m;
  std::size_t count = 0;
  for (std::size_t i = 0; i + 1 < n; ++i)
    if (below[i] != below[i + 1]) ++count;
  return static_cast<double>(count);
}

}  // namespace tessaly
