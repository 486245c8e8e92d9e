#include "catch22/sb_binarystats.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

namespace {

// Longest gap between consecutive trigger positions of the n - 1 binary values;
// the final position always triggers and the first gap is measured from 0.
template <class Trigger>
double longest_stretch(std::size_t count, Trigger triggers) {
  std::size_t best = 0;
  std::size_t last = 0;
  for (std::size_t k = 0; k < count; ++k) {
    if (triggers(k) || k + 1 == count) {
      best = std::max(best, k - last);
      last = k;
    }
  }
  return static_cast<double>(best);
}

std::vector<double> working_series(std::span<const double> y, bool normalize) {
  return normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
}

}  // namespace

double sb_binarystats_diff_longstretch0(std::span<const double> y, bool normalize) {
  const std::size_t n = y.size();
  if (!all_finite(y) || n <= 1) return kNaN;
  const std::vector<double> w = working_series(y, normalize);
  // Binary value 1 unless the series falls; a NaN comparison counts as 1.
  return longest_stretch(n - 1, [&w](std::size_t k) { return !(w[k] > w[k + 1]); });
}

double sb_binarystats_mean_longstretch1(std::span<const double> y, bool normalize) {
  const std::size_t n = y.size();
  if (!all_finite(y) || n <= 1) return kNaN;
  const std::vector<double> w = working_series(y, normalize);
  const double mu = mean(w);
  // Binary value 0 when at or below the mean; a NaN difference counts as 1.
  return longest_stretch(n - 1, [&w, mu](std::size_t k) { return w[k] - mu <= 0.0; });
}

}  // namespace tessaly
