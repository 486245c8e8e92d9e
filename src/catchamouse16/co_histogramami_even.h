// Histogram automutual information outputs with fixed bins and lag.
#pragma once

#include <span>

namespace tessaly {

double co_histogramami_even_2_3(std::span<const double> y, bool normalize);
double co_histogramami_even_10_1(std::span<const double> y, bool normalize);
double co_histogramami_even_10_3(std::span<const double> y, bool normalize);

}  // namespace tessaly
