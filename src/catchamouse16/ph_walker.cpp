#include "catchamouse16/ph_walker.h"

#include <cmath>
#include <cstddef>
#include <vector>

#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

double ph_walker_momentum_5_w_momentumzcross(std::span<const double> y, bool normalize) {
  constexpr double kMass = 5.0;
  if (has_nan(y)) return kNaN;
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  const std::size_t m = w.size();
  if (m <= 1) return kNaN;

  std::vector<double> p(m);
  p[0] = w[0];
  p[1] = w[1];
  for (std::size_t j = 2; j < m; ++j) {
    const double inert = p[j - 1] + (p[j - 1] - p[j - 2]);
    p[j] = (w[j] - inert) / kMass + inert;
  }

  std::size_t crossings = 0;
  for (std::size_t j = 0; j + 1 < m; ++j)
    if (p[j] * p[j + 1] < 0.0) ++crossings;  // a zero product is no crossing
  return static_cast<double>(crossings) / static_cast<double>(m - 1);
}

double ph_walker_biasprop_05_01_sw_meanabsdiff(std::span<const double> y, bool normalize) {
  constexpr double kStepUp = 0.5;
  constexpr double kStepDown = 0.1;
  if (has_nan(y)) return kNaN;
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  const std::size_t m = w.size();
  if (m == 0) return kNaN;  // the walker has no first value to compare

  // The walker moves toward the previous value w[j], not toward w[j + 1].
  std::vector<double> p(m);
  p[0] = 0.0;
  for (std::size_t j = 0; j + 1 < m; ++j) {
    const double r = w[j] < w[j + 1] ? kStepUp : kStepDown;
    p[j + 1] = (w[j] - p[j]) * r + p[j];
  }

  double total = -0.0;
  for (std::size_t j = 0; j < m; ++j) total += std::fabs(w[j] - p[j]);
  return total / static_cast<double>(m);
}

}  // namespace tessaly
