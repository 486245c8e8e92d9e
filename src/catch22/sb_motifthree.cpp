#include "catch22/sb_motifthree.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "catch22/sb_coarsegrain.h"
#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

double sb_motifthree_quantile_hh(std::span<const double> y, bool normalize) {
  const std::size_t n = y.size();
  if (!all_finite(y) || n < 2) return kNaN;
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());

  std::vector<std::uint64_t> labels(n, 0);
  sb_coarse_grain(w, "quantile", labels);

  // Word (i, j) at every position k < n - 1 that has a successor; unlabelled
  // positions (label 0) start or end no word.
  std::array<std::array<std::int64_t, 3>, 3> count{};
  for (std::size_t k = 0; k + 1 < n; ++k) {
    const std::uint64_t a = labels[k];
    const std::uint64_t b = labels[k + 1];
    if (a >= 1 && a <= 3 && b >= 1 && b <= 3) ++count[a - 1][b - 1];
  }

  const double denom = static_cast<double>(n) - 1.0;
  double hh = 0.0;
  for (std::size_t i = 0; i < 3; ++i) {
    double row = -0.0;
    for (std::size_t j = 0; j < 3; ++j) {
      const double p = static_cast<double>(count[i][j]) / denom;
      if (p > 0.0) row += p * std::log(p);
    }
    hh -= row;
  }
  return hh;
}

}  // namespace tessaly
