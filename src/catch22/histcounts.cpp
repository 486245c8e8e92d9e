#include "catch22/histcounts.h"

#include <limits>

#include "helpers/common/numeric.h"

namespace tessaly {

Histogram histcounts(std::span<const double> y, std::uint64_t bins) {
  // NaN fails both comparisons, so it never replaces a number.
  double lo = std::numeric_limits<double>::max();
  double hi = -std::numeric_limits<double>::max();
  for (double v : y) {
    if (v < lo) lo = v;
    if (v > hi) hi = v;
  }
  const double step = (hi - lo) / static_cast<double>(bins);

  Histogram h;
  h.counts.assign(bins, 0);
  if (bins > 0) {
    for (double v : y) {
      // A NaN quotient (NaN element, or a constant series with step 0) saturates to 0.
      std::uint64_t idx = to_unsigned_saturating((v - lo) / step);
      if (idx >= bins - 1) idx = bins - 1;
      ++h.counts[idx];
    }
  }
  h.edges.reserve(bins + 1);
  for (std::uint64_t i = 0; i <= bins; ++i) h.edges.push_back(static_cast<double>(i) * step + lo);
  return h;
}

std::vector<std::int32_t> bin_assign(std::span<const double> y, std::span<const double> edges) {
  std::vector<std::int32_t> labels(y.size(), 0);
  for (std::size_t i = 0; i < y.size(); ++i) {
    for (std::size_t j = 0; j < edges.size(); ++j) {
      if (y[i] < edges[j]) {
        labels[i] = static_cast<std::int32_t>(j);
        break;
      }
    }
  }
  return labels;
}

std::vector<std::int32_t> count_by_edges(std::span<const double> y, std::span<const double> edges) {
  std::vector<std::int32_t> counts(edges.size(), 0);
  for (double v : y) {
    for (std::size_t j = 0; j < edges.size(); ++j) {
      if (v <= edges[j]) {
        ++counts[j];
        break;
      }
    }
  }
  return counts;
}

}  // namespace tessaly
