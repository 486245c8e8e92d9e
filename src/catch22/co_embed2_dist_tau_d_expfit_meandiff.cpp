#include "catch22/co_embed2_dist_tau_d_expfit_meandiff.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "catch22/co_auto_corr.h"
#include "catch22/histcounts.h"
#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

namespace {

constexpr double kSpreadFloor = 0.001;
constexpr double kBinWidthFactor = 3.5;
constexpr double kOneThird = 0.3333333333333333;

}  // namespace

double co_embed2_dist_tau_d_expfit_meandiff(std::span<const double> y, bool normalize) {
  const std::size_t n = y.size();
  if (!all_finite(y) || n < 2) return kNaN;
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  const std::vector<double> c = autocorrelations(w);

  const std::size_t tau = std::min(first_zero_crossing(c, n), n / 10);
  // tau <= n / 10 < n - 1 for n >= 2, so m >= 1 and every index below is < n.
  const std::size_t m = n - tau - 1;
  std::vector<double> d(m);
  for (std::size_t i = 0; i < m; ++i) {
    const double a = w[i + 1] - w[i];
    const double b = w[i + tau] - w[i + tau + 1];
    const double sq = a * a + b * b;
    if (std::isnan(sq)) return kNaN;
    d[i] = std::sqrt(sq);
  }

  const double ell = mean(d);
  const double s = sample_std(d);
  if (s < kSpreadFloor) return 0.0;  // a NaN spread falls through

  double lo = d[0];
  double hi = d[0];
  for (double v : d) {
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  const double range = hi - lo;
  const double md = static_cast<double>(m);
  // Bounded by about m^(5/6) for finite s (range <= s * sqrt(2 (m - 1))); NaN or
  // an infinite spread gives 0 bins.
  const std::uint64_t bins =
      to_unsigned_saturating(std::ceil(range / (kBinWidthFactor * s / std::pow(md, kOneThird))));
  if (bins == 0) return 0.0;

  const Histogram h = histcounts(d, bins);
  std::vector<double> diff(bins);
  for (std::size_t i = 0; i < bins; ++i) {
    const double p = static_cast<double>(h.counts[i]) / md;
    double e = std::exp(-((h.edges[i] + h.edges[i + 1]) * 0.5) / ell) / ell;
    if (e < 0.0) e = 0.0;
    diff[i] = std::fabs(p - e);
  }
  return mean(diff);
}

}  // namespace tessaly
