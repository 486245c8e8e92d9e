// FFT-based autocorrelation, direct lagged correlation and the two search rules
// applied to correlation sequences.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tessaly {

// nFFT = 2 * P reals, P the smallest power of two >= n; entry k < n is the biased
// autocorrelation at lag k. n >= 1.
std::vector<double> autocorrelations(std::span<const double> y);

// Entry 2 of autocorrelations(y), NaN when nFFT < 3.
double autocorr_lag2_fft(std::span<const double> y);

// Pearson correlation of y with itself shifted by lag.
double lagged_correlation(std::span<const double> y, std::uint64_t lag);

// First k with c[k] <= 0 (or NaN), bounded by min(m, c.size()).
std::size_t first_zero_crossing(std::span<const double> c, std::size_t m);

// Smallest i in [1, m-2] with v[i] below both neighbours, m when there is none.
std::size_t first_interior_minimum(std::span<const double> v, std::size_t m);

}  // namespace tessaly
