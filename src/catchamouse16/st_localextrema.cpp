#include "catchamouse16/st_localextrema.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {
namespace {

// |max - |min|| of a window; NaN when the window holds a NaN, +infinity when empty.
double max_minus_absmin(std::span<const double> x) {
  double hi = -std::numeric_limits<double>::infinity();
  double lo = std::numeric_limits<double>::infinity();
  for (double v : x) {
    if (std::isnan(v)) return kNaN;
    if (v > hi) hi = v;
    if (v < lo) lo = v;
  }
  return std::fabs(hi - std::fabs(lo));
}

}  // namespace

double st_localextrema_n100_diffmaxabsmin(std::span<const double> y, bool normalize) {
  constexpr std::size_t kWindows = 100;
  // No NaN test first: a NaN reaches the result through the window extrema.
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  const std::size_t m = w.size();
  if (m < kWindows) return max_minus_absmin(w);
  const std::size_t n = y.size();
  if (n < 2 * kWindows) return kNaN;

  const std::size_t len = n / kWindows;  // values after the 100th window are unused
  const std::span<const double> last(w.data() + (kWindows - 1) * len, len);
  bool last_all_zero = true;
  for (double v : last)
    if (!(v == 0.0)) last_all_zero = false;  // NaN counts as non-zero
  const std::size_t k = last_all_zero ? kWindows - 1 : kWindows;

  double total = -0.0;
  for (std::size_t i = 0; i < k; ++i)
    total += max_minus_absmin(std::span<const double>(w.data() + i * len, len));
  return total / static_cast<double>(k);
}

}  // namespace tessaly
