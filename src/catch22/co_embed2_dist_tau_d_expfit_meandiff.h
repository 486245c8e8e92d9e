#pragma once

#include <span>

namespace tessaly {

// Mean absolute difference between the histogram of distances in a two-dimensional
// delay embedding (delay = first zero crossing of the autocorrelation, capped at
// n / 10) and an exponential density with the same mean. NaN for a non-finite or
// shorter-than-2 series.
double co_embed2_dist_tau_d_expfit_meandiff(std::span<const double> y, bool normalize);

}  // namespace tessaly
