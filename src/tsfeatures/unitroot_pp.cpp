#include "tsfeatures/unitroot_pp.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"
#include "tsfeatures/unitroot_lags.h"

namespace tessaly {

Expected<double> pp_test(std::span<const double> y) {
  const std::size_t n = y.size();
  if (n <= 1) return Error{"Time series too short"};
  if (has_nan(y)) return Error{"Time series contains NaN values"};

  // Regress the current value b[k] = y[k + 1] on the lagged value a[k] = y[k].
  const std::size_t np = n - 1;
  const std::span<const double> a = y.first(np);
  const std::span<const double> b = y.subspan(1);
  const double abar = mean(a);
  const double bbar = mean(b);
  double sxy = -0.0;
  double sxx = -0.0;
  for (std::size_t k = 0; k < np; ++k) {
    sxy += (a[k] - abar) * (b[k] - bbar);
    sxx += (a[k] - abar) * (a[k] - abar);
  }
  if (sxx == 0.0) return Error{"Singular matrix in OLS"};

  const double rho = sxy / sxx;
  const double alpha = bbar - abar * rho;
  std::vector<double> r(np);
  double ssr = -0.0;
  for (std::size_t k = 0; k < np; ++k) {
    r[k] = b[k] - (alpha + rho * a[k]);
    ssr += r[k] * r[k];
  }
  double c = -0.0;
  for (std::size_t k = 0; k < np; ++k) c += (b[k] - bbar) * (b[k] - bbar);

  // Bartlett weights use L + 1 even when fewer than L autocovariances exist.
  const std::uint64_t lags = unitroot_lag_count(n);
  const std::uint64_t used = std::min<std::uint64_t>(lags, n - 2);
  const double l1 = static_cast<double>(lags + 1);
  double w = -0.0;
  for (std::size_t j = 1; j <= used; ++j) {
    double gamma = -0.0;
    for (std::size_t t = 0; t + j < np; ++t) gamma += r[t] * r[t + j];
    w += (1.0 - static_cast<double>(j) / l1) * gamma;
  }

  const double npd = static_cast<double>(np);
  const double s = ssr / npd;
  const double sigma2 = s + (2.0 / npd) * w;
  const double lambda = (sigma2 - s) / 2.0;
  // n'^2 is an integer product converted once; it fits 64 bits for any n' < 2^32.
  const double np2 = np < (std::uint64_t{1} << 32)
                         ? static_cast<double>(static_cast<std::uint64_t>(np) * np)
                         : npd * npd;
  return npd * (rho - 1.0) - lambda / (c / np2);
}

double unitroot_pp(std::span<const double> y) {
  const Expected<double> r = pp_test(y);
  return r ? *r : kNaN;
}

}  // namespace tessaly
