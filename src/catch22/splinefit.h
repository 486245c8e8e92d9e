// Least-squares cubic spline with one interior break, continuous up to the second
// derivative there. Its rounding route is part of the periodicity feature's value.
#pragma once

#include <span>
#include <vector>

namespace tessaly {

// Fitted values at positions 0 ... n - 1 of the points (i, w[i]). The breaks are
// 0, floor(n / 2) - 1 and n - 1. The normal equations are solved without pivoting,
// so fewer than five points (or too short a piece) give infinite or NaN values.
std::vector<double> spline_fit(std::span<const double> w);

}  // namespace tessaly
