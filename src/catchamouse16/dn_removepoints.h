// Lag-2 autocorrelation after dropping the half of the points closest to zero,
// relative to that of the whole series.
#pragma once

#include <span>

namespace tessaly {

double dn_removepoints_absclose_05_ac2rat(std::span<const double> y, bool normalize);

}  // namespace tessaly
