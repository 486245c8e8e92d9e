#include "tsfeatures/pacf_features.h"

#include <cstddef>

#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"
#include "tsfeatures/pacf.h"

namespace tessaly {

namespace {

constexpr std::size_t kSumLags = 5;

// r[1]^2 + ... + r[5]^2 of a pacf result, NaN for the routine's error.
double sum_sq5(const Expected<std::vector<double>>& r) {
  if (!r) return kNaN;
  const std::vector<double>& v = *r;
  double s = -0.0;
  for (std::size_t k = 1; k <= kSumLags && k < v.size(); ++k) s += v[k] * v[k];
  return s;
}

double diff_pacf5(std::span<const double> d) {
  if (d.size() < 6) return kNaN;
  return sum_sq5(pacf(d, kSumLags));
}

}  // namespace

std::vector<std::pair<std::string, double>> pacf_features(std::span<const double> y,
                                                          std::optional<std::uint64_t> freq) {
  const std::uint64_t s = freq.value_or(1);
  const std::size_t lags = s >= 6 ? static_cast<std::size_t>(s) : kSumLags;
  const std::size_t n = y.size();

  std::vector<std::pair<std::string, double>> out;
  if (n == 0 || !all_finite(y)) {
    out.emplace_back("x_pacf5", kNaN);
    out.emplace_back("diff1x_pacf5", kNaN);
    out.emplace_back("diff2x_pacf5", kNaN);
    return out;
  }

  // x_pacf5 and seas_pacf read the same L-lag result; compute it once, and only
  // when one of them needs it.
  const bool want_seas = s > 1 && s < n;
  const Expected<std::vector<double>> series_pacf =
      (n >= 6 || want_seas) ? pacf(y, lags) : Expected<std::vector<double>>(Error{kPacfTooManyLags});

  out.emplace_back("x_pacf5", n < 6 ? kNaN : sum_sq5(series_pacf));

  double diff1 = kNaN;
  double diff2 = kNaN;
  if (n > 6) {
    const std::vector<double> d1 = first_differences(y);
    diff1 = diff_pacf5(d1);
    if (n > 7) diff2 = diff_pacf5(first_differences(d1));
  }
  out.emplace_back("diff1x_pacf5", diff1);
  out.emplace_back("diff2x_pacf5", diff2);

  if (s > 1) {
    double seas = kNaN;
    // lags >= s whenever s >= 2, so entry s exists.
    if (want_seas && series_pacf) seas = (*series_pacf)[static_cast<std::size_t>(s)];
    out.emplace_back("seas_pacf", seas);
  }
  return out;
}

}  // namespace tessaly
