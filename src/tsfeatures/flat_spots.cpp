#include "tsfeatures/flat_spots.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "helpers/common/numeric.h"

namespace tessaly {

namespace {
constexpr int kBins = 10;
constexpr double kEpsilon = 2.220446049250313e-16;
constexpr std::int32_t kNaNLabel = -1;
}  // namespace

double flat_spots(std::span<const double> y) {
  const std::size_t n = y.size();
  if (n == 0) return kNaN;
  for (double v : y)
    if (std::isinf(v)) return kNaN;
  if (n == 1) return 1.0;

  bool any = false;
  double lo = 0.0;
  double hi = 0.0;
  for (double v : y) {
    if (std::isnan(v)) continue;
    if (!any) {
      lo = hi = v;
      any = true;
    } else {
      if (v < lo) lo = v;
      if (v > hi) hi = v;
    }
  }
  if (!any) return kNaN;
  if (std::fabs(hi - lo) < kEpsilon) return static_cast<double>(n);

  double upper[kBins];
  for (int k = 1; k <= kBins; ++k) upper[k - 1] = (static_cast<double>(k) * (hi - lo)) / 10.0 + lo;

  std::vector<std::int32_t> label(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double x = y[i];
    if (std::isnan(x)) {
      label[i] = kNaNLabel;
      continue;
    }
    // The computed top break can round below the maximum; such a value belongs to
    // the top bin, as equal-width binning puts it.
    std::int32_t k = kBins;
    for (int b = 0; b < kBins; ++b) {
      if (x <= upper[b]) {
        k = b + 1;
        break;
      }
    }
    label[i] = k;
  }

  std::size_t longest = 1;
  std::size_t run = 1;
  for (std::size_t i = 1; i < n; ++i) {
    if (label[i] == label[i - 1] && label[i] != kNaNLabel) {
      ++run;
    } else {
      run = 1;
    }
    if (run > longest) longest = run;
  }
  return static_cast<double>(longest);
}

}  // namespace tessaly
