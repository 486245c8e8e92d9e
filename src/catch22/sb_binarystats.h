#pragma once

#include <span>

namespace tessaly {

// Longest stretch of consecutive falls (binary sequence of steps w[k] > w[k+1]).
// NaN for a non-finite series or n <= 1. An integer returned as double.
double sb_binarystats_diff_longstretch0(std::span<const double> y, bool normalize);

// Longest stretch of values above the mean (the last value is not binarised).
// NaN for a non-finite series or n <= 1. An integer returned as double.
double sb_binarystats_mean_longstretch1(std::span<const double> y, bool normalize);

}  // namespace tessaly
