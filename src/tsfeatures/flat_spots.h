#pragma once

#include <span>

namespace tessaly {

// Longest run of consecutive values falling in the same one of ten equal-width bins
// over [min, max] of the non-NaN values; each NaN is a run of its own.
// NaN for an empty series, any infinity, or no number at all; 1 for n = 1; n for a
// range below machine epsilon.
double flat_spots(std::span<const double> y);

}  // namespace tessaly
