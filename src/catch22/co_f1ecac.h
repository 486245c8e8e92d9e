#pragma once

#include <span>

namespace tessaly {

// First lag at which the autocorrelation drops below 1/e, linearly interpolated
// between the two neighbouring lags; n when it never does. 0.0 for a non-finite or
// shorter-than-2 series.
double co_f1ecac(std::span<const double> y, bool normalize);

}  // namespace tessaly
