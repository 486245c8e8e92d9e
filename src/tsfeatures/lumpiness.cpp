#include "tsfeatures/lumpiness.h"

#include <cmath>
#include <cstddef>
#include <vector>

#include "helpers/common/numeric.h"

namespace tessaly {

namespace {

// Sample variance of the non-NaN values; NaN when fewer than two remain.
double variance_ignoring_nan(std::span<const double> x) {
  double s = -0.0;
  std::size_t c = 0;
  for (double v : x) {
    if (std::isnan(v)) continue;
    s += v;
    ++c;
  }
  if (c < 2) return kNaN;
  const double m = s / static_cast<double>(c);
  double ss = -0.0;
  for (double v : x) {
    if (std::isnan(v)) continue;
    const double d = v - m;
    ss += d * d;
  }
  return ss / static_cast<double>(c - 1);
}

}  // namespace

double lumpiness(std::span<const double> y, std::optional<std::uint64_t> freq) {
  const std::size_t n = y.size();
  if (n == 0) return kNaN;
  const std::uint64_t w = (!freq || *freq == 1) ? 10 : *freq;
  if (w == 0) return kNaN;
  // n < 2w, written so that 2w cannot overflow.
  if (n / 2 < w) return 0.0;

  std::vector<double> variances;
  variances.reserve(n / w);
  for (std::size_t start = 0; w <= n - start; start += w) {
    const double v = variance_ignoring_nan(y.subspan(start, w));
    if (!std::isnan(v)) variances.push_back(v);
  }
  if (variances.size() < 2) return 0.0;
  return variance_ignoring_nan(variances);
}

}  // namespace tessaly
