// Detrended fluctuation analysis with quadratic detrending over up to 50
// log-spaced window sizes; the log-log curve is split into two straight segments
// and the result is the standard error of the slope of a bisquare-weighted robust
// line through the second segment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tessaly {

// 0.0 for fewer than 12 distinct window sizes (n < 32), NaN for a series holding a
// NaN or when the robust fit fails.
double sc_fluctanal_2_dfa_50_2_logi_r2_se2(std::span<const double> y, bool normalize);

namespace dfa_detail {

// Up to 50 log-spaced window sizes from 5 to about n / 2, consecutive repeats removed.
std::vector<std::uint64_t> window_sizes(std::size_t n);

// Root mean square residual of least-squares quadratics fitted to the floor(n / tau)
// consecutive windows of length tau of the profile (tau >= 1).
double quadratic_fluctuation(std::span<const double> profile, std::uint64_t tau);

// 0-based index where the second segment of the best two-line split of (a, b)
// begins. a and b have the same length v >= 12.
std::size_t second_segment_start(std::span<const double> a, std::span<const double> b);

// Standard error of the slope of the bisquare robust line of y on x; NaN when GSL
// fails. Needs init_gsl() to have run so that failures come back as status codes.
double robust_slope_stderr(std::span<const double> x, std::span<const double> y);

}  // namespace dfa_detail
}  // namespace tessaly
