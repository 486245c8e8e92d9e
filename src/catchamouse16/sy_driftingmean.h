// Minimum window mean over the mean window variance, windows of 50 values.
#pragma once

#include <span>

namespace tessaly {

double sy_driftingmean50_min(std::span<const double> y, bool normalize);

}  // namespace tessaly
