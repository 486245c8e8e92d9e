#include "catch22/sb_transitionmatrix.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "catch22/co_auto_corr.h"
#include "catch22/sb_coarsegrain.h"
#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

double sb_transitionmatrix_3ac_sumdiagcov(std::span<const double> y, bool normalize) {
  const std::size_t n = y.size();
  if (!all_finite(y) || n == 0) return kNaN;
  bool constant = true;
  for (double v : y) {
    if (v != y[0]) {
      constant = false;
      break;
    }
  }
  if (constant) return kNaN;  // raw series, before normalisation

  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  const std::size_t tau = first_zero_crossing(autocorrelations(w), n);
  // A zero step only comes from an autocorrelation that overflowed to NaN.
  if (tau == 0) return kNaN;

  const std::size_t m = (n - 1) / tau + 1;
  std::vector<double> d(m);
  for (std::size_t j = 0; j < m; ++j) d[j] = w[j * tau];

  std::vector<std::uint64_t> labels(m, 0);
  sb_coarse_grain(d, "quantile", labels);
  // An unlabelled value has no row or column in the matrix. For finite input this
  // happens when the minimum is so large in magnitude that lowering it by 1 leaves
  // it unchanged (around 1e16 and beyond).
  for (std::uint64_t l : labels) {
    if (l < 1 || l > 3) return kNaN;
  }

  std::array<std::array<double, 3>, 3> t{};
  for (std::size_t j = 0; j + 1 < m; ++j) t[labels[j] - 1][labels[j + 1] - 1] += 1.0;
  const double transitions = static_cast<double>(m - 1);  // m = 1 gives 0/0 = NaN
  for (auto& row : t) {
    for (double& v : row) v /= transitions;
  }

  double total = -0.0;
  for (std::size_t c = 0; c < 3; ++c) {
    const std::array<double, 3> col = {t[0][c], t[1][c], t[2][c]};
    const double mu = mean(col);
    double ss = -0.0;
    for (double v : col) ss += (v - mu) * (v - mu);
    total += ss / (3 - 1);
  }
  return total;
}

}  // namespace tessaly
