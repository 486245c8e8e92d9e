#include "tsfeatures/hurst.h"

#include <cmath>
#include <cstddef>
#include <vector>

#include "helpers/common/linear_fit.h"
#include "helpers/common/numeric.h"

namespace tessaly {

double hurst(std::span<const double> y) {
  const std::size_t n = y.size();
  if (n < 2) return 0.0;
  if (!all_finite(y)) return kNaN;

  std::vector<double> s(n);
  double run = -0.0;
  for (std::size_t k = 0; k < n; ++k) {
    run += y[k];
    s[k] = run;
  }

  std::vector<double> log_g;
  std::vector<double> log_rs;
  log_g.reserve(n - 1);
  log_rs.reserve(n - 1);
  // Sum of squares and sum of the prefix, extended by one element per prefix; the
  // left-to-right order is the same as summing each prefix afresh.
  double sq = -0.0;
  double lin = -0.0;
  sq += y[0] * y[0];
  lin += y[0];
  for (std::size_t g = 2; g <= n; ++g) {
    const double yl = y[g - 1];
    sq += yl * yl;
    lin += yl;
    const double gd = static_cast<double>(g);
    const double mean_of_prefix = lin / gd;
    const double var = sq / gd - mean_of_prefix * mean_of_prefix;
    if (var <= 0.0) continue;

    const double mean = s[g - 1] / gd;
    double dmax = s[0] - 1.0 * mean;
    double dmin = dmax;
    for (std::size_t k = 1; k < g; ++k) {
      const double dev = s[k] - static_cast<double>(k + 1) * mean;
      if (dev > dmax) dmax = dev;
      if (dev < dmin) dmin = dev;
    }
    const double rs = (dmax - dmin) / std::sqrt(var);
    if (rs > 0.0) {
      log_g.push_back(std::log(gd));
      log_rs.push_back(std::log(rs));
    }
  }
  if (log_g.empty()) return kNaN;
  const auto fit = linear_fit(log_g, log_rs);
  if (!fit) return kNaN;
  return fit->slope;
}

}  // namespace tessaly
