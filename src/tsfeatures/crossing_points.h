#pragma once

#include <span>

namespace tessaly {

// Number of times the series crosses its median: adjacent pairs where one value is
// at or below the median and the other above. 0 for n < 2 and for a series holding
// a NaN (its median is NaN, so no value compares at or below it).
double crossing_points(std::span<const double> y);

}  // namespace tessaly
