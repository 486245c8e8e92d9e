#include "catchamouse16/co_nonlinearautocorr.h"

#include <cstddef>
#include <vector>

#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

double co_nonlinearautocorr(std::span<const double> y, NonlinearLags lags, bool normalize) {
  if (has_nan(y)) return kNaN;
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  const std::uint64_t m = w.size();
  if (lags.tau1 > lags.tau3 || lags.tau2 > lags.tau3) return kNaN;  // tau3 must be the largest
  if (lags.tau3 >= m) return kNaN;
  std::vector<double> q;
  q.reserve(m - lags.tau3);
  for (std::uint64_t t = lags.tau3; t < m; ++t) {
    // The unlagged factor w[t] comes first, then the three lagged ones in order.
    q.push_back(w[t] * w[t - lags.tau1] * w[t - lags.tau2] * w[t - lags.tau3]);
  }
  return mean(q);
}

double ac_nl_035(std::span<const double> y, bool normalize) {
  return co_nonlinearautocorr(y, {0, 3, 5}, normalize);
}

double ac_nl_036(std::span<const double> y, bool normalize) {
  return co_nonlinearautocorr(y, {0, 3, 6}, normalize);
}

double ac_nl_112(std::span<const double> y, bool normalize) {
  return co_nonlinearautocorr(y, {1, 1, 2}, normalize);
}

}  // namespace tessaly
