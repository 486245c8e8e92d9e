#include "helpers/common/stats.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "helpers/common/numeric.h"

namespace tessaly {

namespace {

std::vector<double> sorted_copy(std::span<const double> x) {
  std::vector<double> s(x.begin(), x.end());
  std::stable_sort(s.begin(), s.end());
  return s;
}

// Linear interpolation on an ascending series s (non-empty, NaN-free); the k-th
// value sits at probability (k + 0.5) / n.
double quantile_sorted(const std::vector<double>& s, double p) {
  const std::size_t count = s.size();
  const double n = static_cast<double>(count);
  if (p < 0.5 / n) return s[0];
  if (p > 1.0 - 0.5 / n) return s[count - 1];
  if (std::isnan(p)) return kNaN;
  const double h = p * n - 0.5;
  // Rounding of p * n can push h a hair outside [0, n - 1] at the two thresholds;
  // clamp the indices so they stay inside s.
  std::size_t lo = std::min(to_unsigned_saturating(std::floor(h)), count - 1);
  std::size_t hi = std::min(to_unsigned_saturating(std::ceil(h)), count - 1);
  if (lo == hi) return s[lo];
  const double lo_r = static_cast<double>(lo);
  const double gap = static_cast<double>(hi) - lo_r;
  return s[lo] + (s[hi] - s[lo]) * (h - lo_r) / gap;
}

double interquartile_mean(std::span<const double> x) {
  if (x.empty()) return kNaN;
  const std::vector<double> s = sorted_copy(x);
  const double n = static_cast<double>(s.size());
  const double lo = s[to_unsigned_saturating(0.25 * n)];
  const double hi = s[to_unsigned_saturating(0.75 * n)];
  double total = -0.0;
  std::size_t count = 0;
  for (double v : s) {
    if (lo <= v && v <= hi) {
      total += v;
      ++count;
    }
  }
  if (count == 0) return kNaN;
  return total / static_cast<double>(count);
}

}  // namespace

double sum(std::span<const double> x) {
  double s = -0.0;
  for (double v : x) s += v;
  return s;
}

double mean(std::span<const double> x) {
  if (has_nan(x)) return kNaN;
  return sum(x) / static_cast<double>(x.size());
}

double mean_by_kind(std::span<const double> x, std::optional<std::string_view> kind) {
  if (has_nan(x)) return kNaN;
  const double n = static_cast<double>(x.size());
  const std::string_view k = kind.value_or("arithmetic");
  if (k == "rms") {
    double s = -0.0;
    for (double v : x) s += v * v;
    return std::sqrt(s / n);
  }
  if (k == "harmonic") {
    double s = -0.0;
    for (double v : x) s += 1.0 / v;
    return n / s;
  }
  if (k == "geometric") {
    double s = -0.0;
    for (double v : x) s += std::log(v);
    return std::exp(s / n);
  }
  if (k == "midhinge") {
    if (x.empty()) return kNaN;
    const std::vector<double> s = sorted_copy(x);
    return (quantile_sorted(s, 0.75) + quantile_sorted(s, 0.25)) * 0.5;
  }
  if (k == "iqm") return interquartile_mean(x);
  return sum(x) / n;
}

double sample_variance(std::span<const double> x) {
  if (has_nan(x)) return kNaN;
  if (x.size() < 2) return kNaN;
  const double m = mean(x);
  if (std::isnan(m)) return kNaN;
  double s = -0.0;
  for (double v : x) {
    const double d = v - m;
    s += d * d;
  }
  return s / static_cast<double>(x.size() - 1);
}

double sample_std(std::span<const double> x) { return std::sqrt(sample_variance(x)); }

std::vector<double> zscore(std::span<const double> x) {
  if (has_nan(x)) return {kNaN};
  const double m = mean(x);
  const double s = sample_std(x);
  std::vector<double> z;
  z.reserve(x.size());
  for (double v : x) z.push_back((v - m) / s);
  return z;
}

double series_median(std::span<const double> x) {
  if (has_nan(x)) return kNaN;
  const std::size_t n = x.size();
  if (n == 0) return kNaN;
  if (n == 1) return x[0];
  const std::vector<double> s = sorted_copy(x);
  if (n % 2 == 1) return s[n / 2];
  return (s[n / 2 - 1] + s[n / 2]) * 0.5;
}

double quantile(std::span<const double> x, double p) {
  if (has_nan(x)) return kNaN;
  if (x.empty()) return kNaN;
  return quantile_sorted(sorted_copy(x), p);
}

// Ties go to the smallest of the most frequent values, so the result never depends
// on iteration order: the ordered map is walked ascending and only a strictly higher
// count replaces the current choice.
std::int32_t int_mode(std::span<const std::int32_t> v) {
  if (v.empty()) return 0;
  std::map<std::int32_t, std::size_t> counts;
  for (std::int32_t x : v) ++counts[x];
  std::int32_t best = 0;
  std::size_t best_count = 0;
  for (const auto& [value, count] : counts) {
    if (count > best_count) {
      best = value;
      best_count = count;
    }
  }
  return best;
}

std::vector<double> first_differences(std::span<const double> x) {
  std::vector<double> d;
  if (x.size() < 2) return d;
  d.reserve(x.size() - 1);
  for (std::size_t i = 0; i + 1 < x.size(); ++i) d.push_back(x[i + 1] - x[i]);
  return d;
}

std::vector<double> cumulative_sum(std::span<const double> x) {
  if (has_nan(x)) return std::vector<double>(x.size(), kNaN);
  std::vector<double> c(x.size());
  for (std::size_t i = 0; i < x.size(); ++i) c[i] = i == 0 ? x[0] : c[i - 1] + x[i];
  return c;
}

std::vector<double> linspace(double a, double b, std::size_t count) {
  std::vector<double> v;
  if (count == 0) return v;
  v.reserve(count);
  v.push_back(a);
  if (count == 1) return v;
  // The step is the same for every point; computing it once changes no bits.
  const double step = (b - a) / static_cast<double>(count - 1);
  for (std::size_t i = 1; i < count; ++i) v.push_back(v[i - 1] + step);
  return v;
}

}  // namespace tessaly
