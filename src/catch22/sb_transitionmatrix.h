#pragma once

#include <span>

namespace tessaly {

// Sum of the column variances of the 3-state transition matrix of the series
// sampled every tau steps (tau = first zero crossing of the autocorrelation) and
// coarse-grained by tertiles. NaN for a non-finite, empty or constant series, and
// where no sampling step or no complete labelling exists (values so large that the
// autocorrelation overflows or that lowering the minimum by 1 is lost to rounding).
double sb_transitionmatrix_3ac_sumdiagcov(std::span<const double> y, bool normalize);

}  // namespace tessaly
