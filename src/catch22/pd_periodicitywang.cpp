#include "catch22/pd_periodicitywang.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "catch22/splinefit.h"
#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

namespace {

constexpr double kThreshold = 0.01;

// acov[d - 1] = (sum over i of z[i] * z[i + d]) / (n - d) for d = 1 ... len, NaN for
// d >= n, filled on demand. Each sum runs left to right from -0.0 on its own; eight
// lags share one pass so that their independent additions overlap.
class LaggedMeans {
 public:
  LaggedMeans(std::span<const double> z, std::uint64_t len) : z_(z), len_(len) {}

  double operator[](std::size_t index) {
    while (values_.size() <= index) extend();
    return values_[index];
  }

 private:
  static constexpr std::size_t kBlock = 8;

  void extend() {
    const std::size_t n = z_.size();
    const std::size_t first = values_.size() + 1;  // lag of the next entry
    const std::size_t count = std::min<std::uint64_t>(kBlock, len_ - values_.size());
    if (first + count - 1 >= n) {  // some lag of the block reaches the end: one at a time
      for (std::size_t d = first; d < first + count; ++d) values_.push_back(d >= n ? kNaN : one(d));
      return;
    }
    double s[kBlock];
    for (double& v : s) v = -0.0;
    const std::size_t common = n - (first + count - 1);  // i range every lag of the block covers
    const double* z = z_.data();
    if (count == kBlock) {
      for (std::size_t i = 0; i < common; ++i) {
        const double zi = z[i];
        const double* ahead = z + i + first;
        for (std::size_t b = 0; b < kBlock; ++b) s[b] += zi * ahead[b];
      }
    } else {
      for (std::size_t i = 0; i < common; ++i)
        for (std::size_t b = 0; b < count; ++b) s[b] += z[i] * z[i + first + b];
    }
    for (std::size_t b = 0; b < count; ++b) {
      const std::size_t d = first + b;
      for (std::size_t i = common; i + d < n; ++i) s[b] += z_[i] * z_[i + d];
      values_.push_back(s[b] / static_cast<double>(n - d));
    }
  }

  double one(std::size_t d) const {
    double s = -0.0;
    for (std::size_t i = 0; i + d < z_.size(); ++i) s += z_[i] * z_[i + d];
    return s / static_cast<double>(z_.size() - d);
  }

  std::span<const double> z_;
  std::uint64_t len_;
  std::vector<double> values_;
};

}  // namespace

double pd_periodicitywang_th0_01(std::span<const double> y, bool normalize) {
  if (!all_finite(y)) return 0.0;
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  const std::size_t n = w.size();

  const std::vector<double> trend = spline_fit(w);
  std::vector<double> z(n);
  for (std::size_t i = 0; i < n; ++i) z[i] = w[i] - trend[i];

  // Lagged product means of the residual up to a third of the length, no mean removal.
  const std::uint64_t len = to_unsigned_saturating(std::ceil(static_cast<double>(n) / 3.0));
  LaggedMeans acov(z, len);

  // Troughs and peaks in increasing position; the first peak that rises enough
  // above the last trough before it is the answer, so the lagged means are only
  // computed as far as the search reaches.
  std::size_t last_trough = 0;
  bool have_trough = false;
  for (std::size_t i = 1; i + 2 <= len; ++i) {
    const double in = acov[i] - acov[i - 1];
    const double out = acov[i + 1] - acov[i];
    if (in < 0 && out > 0) {
      last_trough = i;
      have_trough = true;
    } else if (in > 0 && out < 0) {
      if (!have_trough) continue;
      if (acov[i] < 0 || acov[i] - acov[last_trough] < kThreshold) continue;
      return static_cast<double>(i);
    }
  }
  return 0.0;
}

}  // namespace tessaly
