#include "catchamouse16/co_translateshape.h"

#include <cmath>
#include <cstddef>
#include <vector>

#include "catchamouse16/sy_slidingwindow.h"
#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

namespace {

constexpr std::size_t kHalfWidth = 3;   // window of 7 points around the centre
constexpr double kRadiusSquared = 12.25;  // radius 3.5

// One count per centre c = 3 ... m - 4. Comparisons with NaN are false, so a point
// whose distance is NaN (NaN or infinite values) is not counted.
std::vector<double> shape_counts(std::span<const double> w) {
  std::vector<double> p;
  p.reserve(w.size() - 2 * kHalfWidth);
  for (std::size_t c = kHalfWidth; c + kHalfWidth < w.size(); ++c) {
    int count = 0;
    for (std::size_t j = c - kHalfWidth; j <= c + kHalfWidth; ++j) {
      const double dx = static_cast<double>(j) - static_cast<double>(c);
      const double dy = w[j] - w[c];
      if (dx * dx + dy * dy <= kRadiusSquared) ++count;
    }
    p.push_back(static_cast<double>(count));
  }
  return p;
}

double counts_std(const std::vector<double>& p) {
  if (p.size() < 2 || has_nan(p)) return kNaN;
  const double mu = mean(p);
  double ss = -0.0;
  for (double v : p) {
    const double d = v - mu;
    ss += d * d;
  }
  // p holds m - 6 values, so the divisor m - 7 is the sample divisor.
  return std::sqrt(ss / static_cast<double>(p.size() - 1));
}

}  // namespace

double co_translateshape_circle_35_pts(std::span<const double> y, std::string_view summary,
                                       bool normalize) {
  if (has_nan(y)) return kNaN;
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  if (w.size() <= 2 * kHalfWidth) return kNaN;
  const std::vector<double> p = shape_counts(w);
  if (summary == "std") return counts_std(p);
  if (summary == "statav4_m") return sy_slidingwindow(p, "mean", "std", 4, 1, false);
  return kNaN;
}

double co_translateshape_circle_35_pts_std(std::span<const double> y, bool normalize) {
  return co_translateshape_circle_35_pts(y, "std", normalize);
}

double co_translateshape_circle_35_pts_statav4_m(std::span<const double> y, bool normalize) {
  return co_translateshape_circle_35_pts(y, "statav4_m", normalize);
}

}  // namespace tessaly
