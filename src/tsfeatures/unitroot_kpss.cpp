#include "tsfeatures/unitroot_kpss.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"
#include "tsfeatures/unitroot_lags.h"

namespace tessaly {

Expected<double> kpss_test(std::span<const double> y) {
  const std::size_t n = y.size();
  if (n == 0) return Error{"Input array is empty"};

  // A NaN in y makes the mean, and so every deviation, NaN.
  const double mu = mean(y);
  std::vector<double> e(n);
  for (std::size_t t = 0; t < n; ++t) e[t] = y[t] - mu;

  const std::vector<double> partial = cumulative_sum(e);
  double eta = -0.0;
  for (double s : partial) eta += s * s;

  // Bartlett weights use the lag count capped at n - 1.
  const std::uint64_t m = std::min<std::uint64_t>(n - 1, unitroot_lag_count(n));
  double v = -0.0;
  for (double x : e) v += x * x;
  const double m1 = static_cast<double>(m + 1);
  for (std::size_t t = 1; t <= m; ++t) {
    double c = -0.0;
    for (std::size_t i = 0; i + t < n; ++i) c += e[i] * e[i + t];
    c = 2.0 * c;
    v = v + (1.0 - static_cast<double>(t) / m1) * c;
  }
  const double nd = static_cast<double>(n);
  v = v / nd;

  if (v <= 0.0) return Error{"Variance estimate is non-positive"};
  if (!is_finite_bits(v)) return Error{"Invalid variance estimate"};
  return eta / (nd * nd) / v;
}

double unitroot_kpss(std::span<const double> y) {
  const Expected<double> r = kpss_test(y);
  return r ? *r : kNaN;
}

}  // namespace tessaly
