#include "catchamouse16/sc_fluctanal.h"

#include <cmath>
#include <memory>

#include <gsl/gsl_matrix.h>
#include <gsl/gsl_multifit.h>
#include <gsl/gsl_vector.h>

#include "helpers/common/linear_fit.h"
#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {
namespace {

constexpr std::size_t kNumSizes = 50;
constexpr double kLn5 = 1.6094379124341003;
constexpr std::size_t kMinSizes = 12;
constexpr std::size_t kMinSegment = 6;

struct GslVectorFree {
  void operator()(gsl_vector* v) const { gsl_vector_free(v); }
};
struct GslMatrixFree {
  void operator()(gsl_matrix* m) const { gsl_matrix_free(m); }
};
struct GslRobustFree {
  void operator()(gsl_multifit_robust_workspace* w) const { gsl_multifit_robust_free(w); }
};
using GslVector = std::unique_ptr<gsl_vector, GslVectorFree>;
using GslMatrix = std::unique_ptr<gsl_matrix, GslMatrixFree>;
using GslRobust = std::unique_ptr<gsl_multifit_robust_workspace, GslRobustFree>;

// Sum of squared residuals of the straight line of b on a, over the given range; a
// singular fit counts as the zero line.
double line_sse(std::span<const double> a, std::span<const double> b) {
  double slope = 0.0;
  double intercept = 0.0;
  if (const Expected<LineFit> fit = linear_fit(a, b)) {
    slope = fit->slope;
    intercept = fit->intercept;
  }
  double sse = -0.0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const double r = a[i] * slope + intercept - b[i];
    sse += r * r;
  }
  return sse;
}

}  // namespace

namespace dfa_detail {

std::vector<std::uint64_t> window_sizes(std::size_t n) {
  const double g = std::log(static_cast<double>(n / 2));  // ln 0 = -infinity
  const double step = (g - kLn5) / static_cast<double>(kNumSizes - 1);
  std::vector<std::uint64_t> sizes;
  sizes.reserve(kNumSizes);
  for (std::size_t i = 0; i < kNumSizes; ++i) {
    const std::uint64_t tau =
        to_unsigned_saturating(std::round(std::exp(static_cast<double>(i) * step + kLn5)));
    if (sizes.empty() || sizes.back() != tau) sizes.push_back(tau);
  }
  return sizes;
}

double quadratic_fluctuation(std::span<const double> profile, std::uint64_t tau) {
  if (tau == 0) return kNaN;
  const std::size_t len = static_cast<std::size_t>(tau);
  const std::size_t q = profile.size() / len;

  // The power sums of x = 1 ... tau are the same for every window: formed once.
  double s0 = -0.0, s1 = -0.0, s2 = -0.0, s3 = -0.0, s4 = -0.0;
  for (std::size_t k = 1; k <= len; ++k) {
    const double x = static_cast<double>(k);
    const double x2 = x * x;
    const double x3 = x2 * x;
    const double x4 = x3 * x;
    s0 += 1.0;
    s1 += x;
    s2 += x2;
    s3 += x3;
    s4 += x4;
  }
  // Elimination steps that depend only on the power sums.
  const double m1 = s1 / s0;
  const double m2 = s2 / s0;
  const double a22 = s2 - s1 * m1;
  const double a23 = s3 - s1 * m2;
  const double a32 = s3 - s2 * m1;
  const double a33 = s4 - s2 * m2;
  const double r = a23 / a22;

  double sse = -0.0;
  for (std::size_t j = 0; j < q; ++j) {
    const std::span<const double> win = profile.subspan(j * len, len);
    double t0 = -0.0, t1 = -0.0, t2 = -0.0;
    for (std::size_t k = 0; k < len; ++k) {
      const double x = static_cast<double>(k + 1);
      const double p = win[k];
      t0 += 1.0 * p;
      t1 += x * p;
      t2 += (x * x) * p;
    }
    const double p0 = t0 / s0;
    const double e2 = t1 - s1 * p0;
    const double e3 = t2 - s2 * p0;
    const double q1 = e2 / a22;
    const double c2 = (e3 - a32 * q1) / (a33 - a32 * r);
    const double c1 = q1 - r * c2;
    const double c0 = p0 - m1 * c1 - m2 * c2;
    for (std::size_t k = 0; k < len; ++k) {
      const double x = static_cast<double>(k + 1);
      const double d = win[k] - (x * c1 + c2 * x * x + c0);
      sse += d * d;
    }
  }
  return std::sqrt(sse / static_cast<double>(q * len));
}

std::size_t second_segment_start(std::span<const double> a, std::span<const double> b) {
  const std::size_t v = a.size();
  double best = 0.0;
  std::size_t best_index = 0;
  bool any_nan = false;
  for (std::size_t s = kMinSegment; s + kMinSegment <= v; ++s) {
    // The split point belongs to both segments.
    const double err = std::sqrt(line_sse(a.first(s), b.first(s))) +
                       std::sqrt(line_sse(a.subspan(s - 1), b.subspan(s - 1)));
    const std::size_t index = s - kMinSegment;
    if (std::isnan(err)) any_nan = true;
    if (index == 0 || err < best) {  // strict: the earliest split wins ties
      best = err;
      best_index = index;
    }
  }
  if (any_nan) return 6;
  if (v == kMinSizes) return 5;
  return best_index + 5;  // the split point minus 1
}

double robust_slope_stderr(std::span<const double> x, std::span<const double> y) {
  const std::size_t w = x.size();
  GslVector xv(gsl_vector_alloc(w));
  GslVector yv(gsl_vector_alloc(w));
  GslVector coef(gsl_vector_alloc(2));
  GslMatrix design(gsl_matrix_alloc(w, 2));
  GslMatrix cov(gsl_matrix_alloc(2, 2));
  if (!xv || !yv || !coef || !design || !cov) return kNaN;
  for (std::size_t i = 0; i < w; ++i) {
    gsl_vector_set(xv.get(), i, x[i]);
    gsl_vector_set(yv.get(), i, y[i]);
  }
  for (std::size_t i = 0; i < w; ++i) {
    gsl_matrix_set(design.get(), i, 0, 1.0);
    gsl_matrix_set(design.get(), i, 1, gsl_vector_get(xv.get(), i));
  }
  GslRobust work(gsl_multifit_robust_alloc(gsl_multifit_robust_bisquare, w, 2));
  if (!work) return kNaN;
  const int status = gsl_multifit_robust(design.get(), yv.get(), coef.get(), cov.get(), work.get());
  if (status != 0) return kNaN;
  return std::sqrt(gsl_matrix_get(cov.get(), 1, 1));
}

}  // namespace dfa_detail

double sc_fluctanal_2_dfa_50_2_logi_r2_se2(std::span<const double> y, bool normalize) {
  if (has_nan(y)) return kNaN;
  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  const std::vector<std::uint64_t> sizes = dfa_detail::window_sizes(y.size());
  const std::size_t v = sizes.size();
  if (v < kMinSizes) return 0.0;

  const std::vector<double> profile = cumulative_sum(w);
  std::vector<double> a(v);
  std::vector<double> b(v);
  for (std::size_t i = 0; i < v; ++i) {
    a[i] = std::log(static_cast<double>(sizes[i]));
    b[i] = std::log(dfa_detail::quadratic_fluctuation(profile, sizes[i]));  // F = 0 gives -inf
  }

  const std::size_t e = dfa_detail::second_segment_start(a, b);
  return dfa_detail::robust_slope_stderr(std::span<const double>(a).subspan(e),
                                         std::span<const double>(b).subspan(e));
}

}  // namespace tessaly
