#pragma once

#include <span>

namespace tessaly {

// Rescaled-range exponent over the prefixes y[0..g-1], g = 2..n: the slope of
// ln(R/S) on ln(g), skipping prefixes with zero variance or zero range. 0 for
// n < 2; NaN for a non-finite value, or when fewer than two usable prefixes with
// distinct lengths remain. Quadratic in n.
double hurst(std::span<const double> y);

}  // namespace tessaly
