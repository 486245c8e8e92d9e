#include "tsfeatures/stability.h"

#include <cmath>
#include <cstddef>
#include <vector>

#include "helpers/common/numeric.h"

namespace tessaly {

double stability(std::span<const double> y, std::optional<std::uint64_t> freq) {
  const std::uint64_t w = !freq ? 1 : (*freq == 1 ? 10 : *freq);
  if (w == 0) return kNaN;
  const std::size_t n = y.size();
  // n < 2w, written so that 2w cannot overflow.
  if (n / 2 < w) return 0.0;

  const std::size_t q = n / w;
  std::vector<double> means(q);
  for (std::size_t i = 0; i < q; ++i) {
    double s = -0.0;
    std::size_t c = 0;
    for (std::size_t j = i * w; j < i * w + w; ++j) {
      if (std::isnan(y[j])) continue;
      s += y[j];
      ++c;
    }
    if (c == 0) return kNaN;
    means[i] = s / static_cast<double>(c);
  }

  double s = -0.0;
  for (double m : means) s += m;
  const double grand = s / static_cast<double>(q);
  double ss = -0.0;
  for (double m : means) {
    const double d = m - grand;
    ss += d * d;
  }
  return ss / static_cast<double>(q - 1);
}

}  // namespace tessaly
