#include "catchamouse16/fc_looplocalsimple.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {
namespace {

constexpr std::size_t kMaxTrain = 10;

// Sample standard deviation of the errors of forecasting w[j + len] by the mean of
// the len values before it. Every window sum is formed afresh, left to right.
double local_mean_stderr(const std::vector<double>& w, std::size_t len) {
  const std::size_t m = w.size();
  if (len >= m) return kNaN;
  std::vector<double> residuals(m - len);
  for (std::size_t j = 0; j + len < m; ++j) {
    double s = -0.0;
    for (std::size_t k = j; k < j + len; ++k) s += w[k];
    residuals[j] = s / static_cast<double>(len) - w[j + len];
  }
  return sample_std(residuals);  // NaN for fewer than 2 residuals or any NaN
}

}  // namespace

double fc_looplocalsimple_mean_stderr_chn(std::span<const double> y, bool normalize) {
  if (has_nan(y)) return kNaN;
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());

  std::array<double, kMaxTrain> stderrs{};
  for (std::size_t len = 1; len <= kMaxTrain; ++len) {
    const double s = local_mean_stderr(w, len);
    if (std::isnan(s)) return kNaN;
    stderrs[len - 1] = s;
  }

  double change = -0.0;
  for (std::size_t i = 0; i + 1 < kMaxTrain; ++i) change += stderrs[i + 1] - stderrs[i];
  const double mean_change = change / static_cast<double>(kMaxTrain - 1);

  double hi = stderrs[0];
  double lo = stderrs[0];
  for (double s : stderrs) {
    if (s > hi) hi = s;
    if (s < lo) lo = s;
  }
  return mean_change / (hi - lo);
}

}  // namespace tessaly
