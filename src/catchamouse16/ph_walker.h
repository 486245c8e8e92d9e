// Walkers driven by the series: a massive walker with momentum and a walker that
// follows rises faster than falls.
#pragma once

#include <span>

namespace tessaly {

// Fraction of steps at which the mass-5 momentum walker crosses zero.
double ph_walker_momentum_5_w_momentumzcross(std::span<const double> y, bool normalize);

// Mean absolute distance between the series and a walker that moves half the way
// after a rise and a tenth of the way otherwise. NaN for an empty series.
double ph_walker_biasprop_05_01_sw_meanabsdiff(std::span<const double> y, bool normalize);

}  // namespace tessaly
