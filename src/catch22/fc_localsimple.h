// Residual statistics of the naive local-mean forecaster.
#pragma once

#include <span>

namespace tessaly {

// Ratio of the first zero crossings of the autocorrelations of the one-point
// forecast residuals (bound n - 1) and of the series (bound n).
double fc_localsimple_mean1_tauresrat(std::span<const double> y, bool normalize);

// Sample standard deviation of the three-point forecast residuals.
double fc_localsimple_mean3_stderr(std::span<const double> y, bool normalize);

}  // namespace tessaly
