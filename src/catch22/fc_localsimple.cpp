#include "catch22/fc_localsimple.h"

#include <cstddef>
#include <vector>

#include "catch22/co_auto_corr.h"
#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

namespace {

std::vector<double> working_copy(std::span<const double> y, bool normalize) {
  if (normalize) return zscore(y);
  return std::vector<double>(y.begin(), y.end());
}

}  // namespace

double fc_localsimple_mean1_tauresrat(std::span<const double> y, bool normalize) {
  if (!all_finite(y) || y.size() < 2) return kNaN;
  const std::vector<double> w = working_copy(y, normalize);
  const std::size_t n = w.size();

  // One-point mean forecast: the residual is the next step's change.
  std::vector<double> r(n - 1);
  for (std::size_t i = 0; i + 1 < n; ++i) r[i] = w[i + 1] - w[i];

  const std::size_t a = first_zero_crossing(autocorrelations(r), n - 1);
  const std::size_t b = first_zero_crossing(autocorrelations(w), n);
  return static_cast<double>(a) / static_cast<double>(b);
}

double fc_localsimple_mean3_stderr(std::span<const double> y, bool normalize) {
  if (!all_finite(y) || y.size() < 2) return kNaN;
  const std::vector<double> w = working_copy(y, normalize);
  const std::size_t n = w.size();
  if (n <= 3) return 0.0;

  std::vector<double> r(n - 3);
  for (std::size_t i = 0; i + 3 < n; ++i) {
    r[i] = w[i + 3] - (w[i] + w[i + 1] + w[i + 2]) / 3.0;
  }
  if (has_nan(r)) return kNaN;
  return sample_std(r);
}

}  // namespace tessaly
