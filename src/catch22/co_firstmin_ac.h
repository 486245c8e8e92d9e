#pragma once

#include <span>

namespace tessaly {

// First interior local minimum of the autocorrelation sequence, n when there is
// none; 0 for a non-finite or shorter-than-2 series. An integer returned as double.
double co_firstmin_ac(std::span<const double> y, bool normalize);

}  // namespace tessaly
