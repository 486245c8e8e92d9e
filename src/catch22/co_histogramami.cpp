#include "catch22/co_histogramami.h"

#include <cmath>
#include <cstddef>
#include <vector>

#include "catch22/histcounts.h"
#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

namespace {

// Joint labels are formed in 32-bit signed arithmetic; beyond this many bins
// (b + 1)^2 no longer fits (and the joint table would not fit in memory anyway).
constexpr std::uint64_t kMaxBins = 46339;

}  // namespace

double histogram_ami_even(std::span<const double> y, std::uint64_t bins, std::uint64_t lag,
                          bool normalize) {
  const std::size_t n = y.size();
  if (!all_finite(y) || lag >= n) return kNaN;
  if (bins == 0 || bins > kMaxBins) return kNaN;
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  const std::size_t len = n - lag;
  const std::span<const double> x1(w.data(), len);
  const std::span<const double> x2(w.data() + lag, len);

  double lo = w[0];
  double hi = w[0];
  bool any_nan = false;
  for (double v : w) {
    if (std::isnan(v)) any_nan = true;
    if (v < lo) lo = v;
    if (v > hi) hi = v;
  }
  if (any_nan) lo = hi = kNaN;

  const double step = (hi - lo + 0.2) / static_cast<double>(bins);
  std::vector<double> edges(bins + 1);
  for (std::size_t k = 0; k <= bins; ++k) {
    edges[k] = (static_cast<double>(k) * step + lo) + (-0.1);
  }
  const std::vector<std::int32_t> l1 = bin_assign(x1, edges);
  const std::vector<std::int32_t> l2 = bin_assign(x2, edges);

  // Counting the joint labels against the integer edges 1, 2, ..., (b + 1)^2 puts
  // label v at index v - 1, anything below 1 at index 0 and anything above the
  // last edge nowhere; the direct index below gives the same counts in O(1).
  const std::int64_t stride = static_cast<std::int64_t>(bins) + 1;
  const std::int64_t cells = stride * stride;
  std::vector<std::int64_t> joint(static_cast<std::size_t>(cells), 0);
  for (std::size_t i = 0; i < len; ++i) {
    const std::int64_t v = (static_cast<std::int64_t>(l1[i]) - 1) * stride + l2[i];
    if (v > cells) continue;
    joint[static_cast<std::size_t>(v < 1 ? 0 : v - 1)] += 1;
  }

  // P[c][r] = joint[r * (b + 1) + c]; the cells of column b are dropped.
  const std::size_t b = bins;
  std::vector<double> p(b * b);
  std::int64_t total = 0;
  for (std::size_t r = 0; r < b; ++r) {
    for (std::size_t c = 0; c < b; ++c) {
      const std::int64_t count = joint[r * (b + 1) + c];
      p[c * b + r] = static_cast<double>(count);
      total += count;
    }
  }
  const double s = static_cast<double>(total);
  for (double& v : p) v /= s;

  std::vector<double> p_row(b, -0.0);
  std::vector<double> p_col(b, -0.0);
  for (std::size_t r = 0; r < b; ++r) {
    for (std::size_t c = 0; c < b; ++c) p_row[r] += p[r * b + c];
  }
  for (std::size_t c = 0; c < b; ++c) {
    for (std::size_t r = 0; r < b; ++r) p_col[c] += p[r * b + c];
  }

  double ami = -0.0;
  for (std::size_t r = 0; r < b; ++r) {
    for (std::size_t c = 0; c < b; ++c) {
      const double pij = p[r * b + c];
      if (pij > 0.0) ami += pij * std::log(pij / (p_col[c] * p_row[r]));
    }
  }
  return ami;
}

double co_histogramami_even_2_5(std::span<const double> y, bool normalize) {
  return histogram_ami_even(y, 5, 2, normalize);
}

}  // namespace tessaly
