#pragma once

#include <span>

namespace tessaly {

// Sum of the entropies of the two-letter words of the tertile-coarse-grained
// series, each word frequency divided by n - 1. NaN for a non-finite series or
// n < 2.
double sb_motifthree_quantile_hh(std::span<const double> y, bool normalize);

}  // namespace tessaly
