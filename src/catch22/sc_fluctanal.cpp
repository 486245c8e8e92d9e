#include "catch22/sc_fluctanal.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <vector>

#include "helpers/common/linear_fit.h"
#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

namespace {

constexpr std::size_t kCandidates = 50;
constexpr std::size_t kMinSizes = 12;
constexpr std::size_t kSegmentPoints = 6;
constexpr double kLogFive = 1.6094379124341003;

enum class Method { kDfa, kRsRange };

// A failed fit (all abscissae equal) counts as the zero line.
LineFit fit_or_zero(std::span<const double> x, std::span<const double> y) {
  const Expected<LineFit> fit = linear_fit(x, y);
  return fit.ok() ? fit.value() : LineFit{0.0, 0.0};
}

// Root of the sum of squared deviations of the points from the line u * a + b.
double fit_error(std::span<const double> u, std::span<const double> v, const LineFit& f) {
  double s = -0.0;
  for (std::size_t j = 0; j < u.size(); ++j) {
    const double d = u[j] * f.slope + f.intercept - v[j];
    s += d * d;
  }
  return std::sqrt(s);
}

}  // namespace

double fluct_anal_prop_r1(std::span<const double> y, std::uint64_t lag, std::string_view method,
                          bool normalize) {
  Method m_kind;
  if (method == "dfa") {
    m_kind = Method::kDfa;
  } else if (method == "rsrangefit") {
    m_kind = Method::kRsRange;
  } else {
    throw std::invalid_argument("fluct_anal_prop_r1: unknown method");
  }
  if (lag == 0) throw std::invalid_argument("fluct_anal_prop_r1: lag must be positive");

  if (!all_finite(y) || y.size() < 2) return kNaN;
  if (lag > y.size()) throw std::invalid_argument("fluct_anal_prop_r1: lag exceeds series length");
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  const std::size_t n = w.size();

  // Window sizes spaced evenly in log from 5 to n/2.
  const double lo = kLogFive;
  const double hi = std::log(static_cast<double>(n / 2));
  const double step = (hi - lo) / 49.0;
  std::array<std::uint64_t, kCandidates> t{};
  for (std::size_t i = 0; i < kCandidates; ++i) {
    t[i] = to_unsigned_saturating(std::round(std::exp(static_cast<double>(i) * step + lo)));
  }

  // Drop repeated sizes by shifting the tail down; the last entry stays in place.
  std::size_t nT = kCandidates;
  for (std::size_t i = 0; i + 1 < kCandidates; ++i) {
    while (t[i] == t[i + 1] && i + 1 < nT) {
      for (std::size_t j = i + 1; j + 1 < kCandidates; ++j) t[j] = t[j + 1];
      --nT;
    }
  }
  if (nT < kMinSizes) return 0.0;

  // Cumulative sum of every lag-th value.
  const std::size_t m = n / lag;
  std::vector<double> c(m);
  c[0] = w[0];
  for (std::size_t j = 1; j < m; ++j) c[j] = c[j - 1] + w[j * lag];

  // Abscissae 1 ... t[nT - 1]; sized by the largest entry so that no table order can
  // index past them.
  std::size_t max_size = 0;
  for (std::size_t k = 0; k < nT; ++k)
    if (t[k] > max_size) max_size = t[k];
  std::vector<double> x(max_size);
  for (std::size_t q = 0; q < max_size; ++q) x[q] = static_cast<double>(q + 1);

  std::vector<double> fluct(nT);
  std::vector<double> e(max_size);
  for (std::size_t k = 0; k < nT; ++k) {
    const std::size_t tau = t[k];
    const std::size_t segments = m / tau;
    const std::span<const double> xs(x.data(), tau);
    double f = 0.0;
    for (std::size_t s = 0; s < segments; ++s) {
      const std::span<const double> cs(c.data() + s * tau, tau);
      const LineFit line = fit_or_zero(xs, cs);
      bool any_nan = false;
      for (std::size_t q = 0; q < tau; ++q) {
        e[q] = cs[q] - (xs[q] * line.slope + line.intercept);
        any_nan = any_nan || std::isnan(e[q]);
      }
      if (m_kind == Method::kDfa) {
        double ss = -0.0;
        for (std::size_t q = 0; q < tau; ++q) ss += e[q] * e[q];
        f += ss;
      } else {
        double range = kNaN;
        if (!any_nan) {
          double hi_e = e[0];
          double lo_e = e[0];
          for (std::size_t q = 1; q < tau; ++q) {
            if (e[q] > hi_e) hi_e = e[q];
            if (e[q] < lo_e) lo_e = e[q];
          }
          range = hi_e - lo_e;
        }
        f += range * range;
      }
    }
    // No whole segment gives 0/0.
    if (m_kind == Method::kDfa) {
      fluct[k] = std::sqrt(f / static_cast<double>(segments * tau));
    } else {
      fluct[k] = std::sqrt(f / static_cast<double>(segments));
    }
  }

  std::vector<double> u(nT);
  std::vector<double> v(nT);
  for (std::size_t k = 0; k < nT; ++k) {
    u[k] = std::log(static_cast<double>(t[k]));
    v[k] = std::log(fluct[k]);
  }

  // Two-segment fits sharing the point i - 1, for i = 6 ... nT - 6.
  const std::size_t n_err = nT - 2 * kSegmentPoints + 1;
  std::vector<double> err(n_err);
  const std::span<const double> us(u);
  const std::span<const double> vs(v);
  for (std::size_t i = kSegmentPoints; i + kSegmentPoints <= nT; ++i) {
    const LineFit first = fit_or_zero(us.first(i), vs.first(i));
    const double e1 = fit_error(us.first(i), vs.first(i), first);
    const std::span<const double> u2 = us.subspan(i - 1);
    const std::span<const double> v2 = vs.subspan(i - 1);
    const LineFit second = fit_or_zero(u2, v2);
    const double e2 = fit_error(u2, v2, second);
    err[i - kSegmentPoints] = 0.0 + e1 + e2;
  }

  double lowest = err[0];
  bool nan_err = false;
  for (double v_err : err) {
    if (std::isnan(v_err)) nan_err = true;
    if (v_err < lowest) lowest = v_err;
  }
  if (nan_err) lowest = kNaN;

  // A NaN minimum matches nothing and leaves the position at 1.
  double position = 1.0;
  for (std::size_t j = 0; j < n_err; ++j) {
    if (err[j] == lowest) {
      position = static_cast<double>(j + kSegmentPoints);
      break;
    }
  }
  return position / static_cast<double>(nT);
}

double sc_fluctanal_2_dfa_50_1_2_logi_prop_r1(std::span<const double> y, bool normalize) {
  return fluct_anal_prop_r1(y, 2, "dfa", normalize);
}

double sc_fluctanal_2_rsrangefit_50_1_logi_prop_r1(std::span<const double> y, bool normalize) {
  return fluct_anal_prop_r1(y, 1, "rsrangefit", normalize);
}

}  // namespace tessaly
