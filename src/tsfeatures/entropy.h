#pragma once

#include <span>

namespace tessaly {

// Shannon entropy (bits) of the normalised one-sided power spectrum of the demeaned
// series, divided by log2 of the number of spectrum entries. NaN for n <= 1, any
// non-finite value, or a spectrum whose total power is not finite and positive.
double entropy(std::span<const double> y);

}  // namespace tessaly
