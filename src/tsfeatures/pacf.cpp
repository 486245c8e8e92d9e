#include "tsfeatures/pacf.h"

#include <cmath>
#include <utility>

#include "helpers/common/stats.h"

namespace tessaly {

Expected<std::vector<double>> pacf(std::span<const double> x, std::size_t nlags) {
  const std::size_t n = x.size();
  if (n / 2 < nlags) return Error{kPacfTooManyLags};

  const double mu = mean(x);
  std::vector<double> e(n);
  for (std::size_t t = 0; t < n; ++t) e[t] = x[t] - mu;

  const double nd = static_cast<double>(n);
  std::vector<double> gamma(nlags + 1);
  for (std::size_t k = 0; k <= nlags; ++k) {
    double s = -0.0;
    for (std::size_t t = 0; t + k < n; ++t) s += e[t] * e[t + k];
    gamma[k] = s / nd;
  }

  std::vector<double> r(nlags + 1, 0.0);
  r[0] = 1.0;
  if (nlags == 0 || gamma[0] == 0.0) return r;

  // Row l of the recursion reads only row l - 1, so two rows replace the full
  // (nlags + 1)^2 table; the arithmetic is unchanged.
  std::vector<double> prev(nlags + 1, 0.0);
  std::vector<double> cur(nlags + 1, 0.0);
  prev[1] = gamma[1] / gamma[0];
  r[1] = prev[1];
  for (std::size_t l = 2; l <= nlags; ++l) {
    double c = gamma[l];
    for (std::size_t j = 1; j < l; ++j) c -= prev[j] * gamma[l - j];
    double d = gamma[0];
    for (std::size_t j = 1; j < l; ++j) d -= prev[j] * gamma[j];
    if (std::fabs(d) < 1e-10) break;
    const double phi_ll = c / d;
    cur[l] = phi_ll;
    r[l] = phi_ll;
    for (std::size_t j = 1; j < l; ++j) cur[j] = prev[j] - phi_ll * prev[l - j];
    std::swap(prev, cur);
  }
  return r;
}

}  // namespace tessaly
