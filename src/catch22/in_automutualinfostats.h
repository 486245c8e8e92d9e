#pragma once

#include <span>

namespace tessaly {

// First interior minimum of the Gaussian automutual information -0.5 ln(1 - r^2)
// over lags 1 ... min(40, ceil(n / 2)), that bound when there is none. NaN for a
// non-finite or shorter-than-2 series. An integer returned as double.
double in_automutualinfostats_40_gaussian_fmmi(std::span<const double> y, bool normalize);

}  // namespace tessaly
