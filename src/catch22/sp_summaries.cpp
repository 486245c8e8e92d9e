#include "catch22/sp_summaries.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "catch22/fft.h"
#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

namespace {

constexpr double kTwoPi = 6.283185307179586;

enum class Summary { kArea51, kCentroid };

// Smallest power of two >= n. The reference rule ORs n - 1 with its right shifts in
// 32-bit arithmetic and adds one; bit_ceil agrees wherever that rule is defined and
// does not overflow for longer series.
std::size_t next_pow2(std::size_t n) { return std::bit_ceil(n); }

}  // namespace

double sp_summaries_welch_rect(std::span<const double> y, std::string_view summary, bool normalize) {
  Summary kind;
  if (summary == "area_5_1") {
    kind = Summary::kArea51;
  } else if (summary == "centroid") {
    kind = Summary::kCentroid;
  } else {
    throw std::invalid_argument("sp_summaries_welch_rect: unknown summary");
  }

  if (!all_finite(y) || y.size() < 2) return kNaN;
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  const std::size_t n = w.size();
  const double mu = mean(w);

  // Rectangular window of the full width: a single segment.
  const std::vector<double> window(n, 1.0);
  const std::size_t width = n;
  const double n_real = static_cast<double>(n);
  const std::uint64_t segments =
      to_unsigned_saturating(std::floor(n_real / (0.5 * static_cast<double>(width))) - 1.0);

  double window_power = -0.0;
  for (double v : window) window_power += v * v;
  const double root = std::sqrt(window_power);
  const double scale = root * root * static_cast<double>(segments);

  const std::size_t nfft = next_pow2(width);
  std::vector<double> power(nfft, 0.0);
  const std::vector<Complex> tw = fft_twiddles(nfft);
  std::vector<Complex> f(nfft);
  for (std::uint64_t i = 0; i < segments; ++i) {
    const std::size_t offset = static_cast<std::size_t>(
        to_unsigned_saturating(std::floor(static_cast<double>(i) * static_cast<double>(width) * 0.5)));
    if (offset + width > n) break;  // only reachable with more than one segment
    for (std::size_t j = 0; j < nfft; ++j) {
      f[j] = j < width ? Complex{window[j] * w[j + offset] - mu, 0.0} : Complex{0.0, 0.0};
    }
    fft_with_half_table(f, tw);
    for (std::size_t l = 0; l < nfft; ++l) {
      const double h = std::hypot(f[l].re, f[l].im);
      power[l] += h * h;
    }
  }

  // One-sided spectrum; the zero and Nyquist entries are not doubled.
  const std::size_t k_len = nfft / 2 + 1;
  const double df = 1.0 / static_cast<double>(next_pow2(width));
  std::vector<double> ang(k_len);
  std::vector<double> spectrum(k_len);
  for (std::size_t i = 0; i < k_len; ++i) {
    double s = power[i] / scale;
    if (i > 0 && i + 1 < k_len) s = s * 2.0;
    ang[i] = static_cast<double>(i) * df * kTwoPi;
    spectrum[i] = s / kTwoPi;
    if (std::isinf(spectrum[i])) return 0.0;
  }

  const double da = ang[1] - ang[0];
  const std::vector<double> cum = cumulative_sum(spectrum);

  if (kind == Summary::kCentroid) {
    const double threshold = cum[k_len - 1] * 0.5;
    for (std::size_t i = 0; i < k_len; ++i)
      if (cum[i] > threshold) return ang[i];
    return 0.0;
  }

  double area = -0.0;
  for (std::size_t i = 0; i < k_len / 5; ++i) area += spectrum[i];
  return da * area;
}

double sp_summaries_welch_rect_area_5_1(std::span<const double> y, bool normalize) {
  return sp_summaries_welch_rect(y, "area_5_1", normalize);
}

double sp_summaries_welch_rect_centroid(std::span<const double> y, bool normalize) {
  return sp_summaries_welch_rect(y, "centroid", normalize);
}

}  // namespace tessaly
