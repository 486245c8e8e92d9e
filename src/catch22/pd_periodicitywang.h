// Dominant period from the autocovariance of the spline-detrended series.
#pragma once

#include <span>

namespace tessaly {

// Position (lag minus one) of the first autocovariance peak that follows a trough,
// is non-negative and rises at least 0.01 above that trough; 0 when none does or
// the series holds a non-finite value. Always an integer.
double pd_periodicitywang_th0_01(std::span<const double> y, bool normalize);

}  // namespace tessaly
