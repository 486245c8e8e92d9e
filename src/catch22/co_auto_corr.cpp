#include "catch22/co_auto_corr.h"

#include <algorithm>
#include <cmath>

#include "catch22/fft.h"
#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

namespace {

// Smallest power of two >= n by or-ing in the shifted bits of n - 1. The 32-bit
// form covers every supported length; the wider shift keeps larger n sound.
std::size_t next_pow2(std::size_t n) {
  std::uint64_t v = static_cast<std::uint64_t>(n) - 1;
  v |= v >> 1;
  v |= v >> 2;
  v |= v >> 4;
  v |= v >> 8;
  v |= v >> 16;
  v |= v >> 32;
  return static_cast<std::size_t>(v + 1);
}

// Steps 1 to 7: the normalised (not inverse-transformed) power spectrum product.
std::vector<Complex> normalised_spectrum_product(std::span<const double> y) {
  const std::size_t n = y.size();
  if (n == 0) return {};
  const double mu = mean(y);
  const std::size_t nfft = 2 * next_pow2(n);
  std::vector<Complex> f(nfft);
  for (std::size_t k = 0; k < n; ++k) f[k] = {y[k] - mu, 0.0};
  const std::vector<Complex> tw = fft_twiddles(nfft);
  fft_with_half_table(f, tw);
  const std::vector<Complex> g = f;
  for (std::size_t k = 0; k < nfft; ++k) f[k] = f[k] * conj(g[k]);
  // A second forward transform: the mirror image of the inverse, which the
  // symmetric spectrum makes equal up to scale.
  fft_with_half_table(f, tw);
  const Complex d = f[0];
  for (Complex& c : f) c = c / d;
  return f;
}

}  // namespace

std::vector<double> autocorrelations(std::span<const double> y) {
  const std::vector<Complex> f = normalised_spectrum_product(y);
  std::vector<double> out(f.size());
  for (std::size_t k = 0; k < f.size(); ++k) out[k] = f[k].re;
  return out;
}

double autocorr_lag2_fft(std::span<const double> y) {
  const std::vector<Complex> f = normalised_spectrum_product(y);
  if (f.size() < 3) return kNaN;
  return f[2].re;
}

double lagged_correlation(std::span<const double> y, std::uint64_t lag) {
  const std::size_t n = y.size();
  if (lag >= n) return kNaN;
  const std::size_t len = n - static_cast<std::size_t>(lag);
  const std::span<const double> x = y.subspan(0, len);
  const std::span<const double> z = y.subspan(static_cast<std::size_t>(lag), len);
  if (has_nan(x) || has_nan(z)) return kNaN;
  const double mx = mean(x);
  const double mz = mean(z);
  double cov = -0.0;
  for (std::size_t k = 0; k < len; ++k) cov += (z[k] - mz) * (x[k] - mx);
  cov /= static_cast<double>(len - 1);
  const double prod = sample_std(x) * sample_std(z);
  constexpr double kSqrtEps = 1.4901161193847656e-08;  // 2^-26
  if (is_finite_bits(prod) && std::fabs(prod) < kSqrtEps) return kNaN;
  return cov / prod;
}

std::size_t first_zero_crossing(std::span<const double> c, std::size_t m) {
  const std::size_t bound = std::min(m, c.size());
  std::size_t k = 0;
  while (k < bound && c[k] > 0) ++k;
  return k;
}

std::size_t first_interior_minimum(std::span<const double> v, std::size_t m) {
  // Never look past the sequence, whatever bound the caller passes.
  const std::size_t limit = std::min(m, v.size());
  for (std::size_t i = 1; i + 1 < limit; ++i)
    if (v[i] < v[i - 1] && v[i] < v[i + 1]) return i;
  return m;
}

}  // namespace tessaly
