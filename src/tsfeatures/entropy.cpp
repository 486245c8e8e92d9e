#include "tsfeatures/entropy.h"

#include <cmath>
#include <complex>
#include <cstddef>
#include <vector>

#include "helpers/common/general_fft.h"
#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

double entropy(std::span<const double> y) {
  const std::size_t n = y.size();
  if (!all_finite(y)) return kNaN;
  if (n <= 1) return kNaN;

  const double mu = mean(y);
  std::vector<std::complex<double>> spectrum(n);
  for (std::size_t t = 0; t < n; ++t) spectrum[t] = std::complex<double>(y[t] - mu, 0.0);
  {
    DftPlan plan(n, /*inverse=*/false);
    plan.execute(spectrum, spectrum);
  }

  const std::size_t h = n / 2;
  const double inv_n = 1.0 / static_cast<double>(n);
  auto power = [&](std::size_t k) {
    const double re = spectrum[k].real();
    const double im = spectrum[k].imag();
    return re * re + im * im;
  };
  std::vector<double> p(h + 1);
  p[0] = power(0) * inv_n;
  for (std::size_t k = 1; k < h; ++k) p[k] = 2.0 * power(k) * inv_n;
  p[h] = (n % 2 == 0 ? 1.0 : 2.0) * power(h) * inv_n;

  double total = -0.0;
  for (double v : p) total += v;
  if (!(std::isfinite(total) && total > 0.0)) return kNaN;

  double plogp = -0.0;
  for (double v : p) {
    const double q = v / total;
    if (q > 0.0 && q <= 1.0) plogp += q * std::log2(q);
  }
  // Plain negation: a spectrum with all power in one entry sums to +0 and so has
  // entropy -0.
  const double H = -plogp;
  if (std::isnan(H)) return kNaN;
  double denom = std::log2(static_cast<double>(h + 1));
  if (!(denom > 0.0)) denom = 1.0;
  return H / denom;
}

}  // namespace tessaly
