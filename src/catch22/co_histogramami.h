#pragma once

#include <cstdint>
#include <span>

namespace tessaly {

// Automutual information at a lag from an equal-width histogram of b bins that
// extends 0.1 beyond the data on both sides.
double histogram_ami_even(std::span<const double> y, std::uint64_t bins, std::uint64_t lag, bool normalize);
double co_histogramami_even_2_5(std::span<const double> y, bool normalize);

}  // namespace tessaly
