// Automutual information of the first differences at lag 8 under a Gaussian model.
#pragma once

#include <span>

namespace tessaly {

double in_automutualinfostats_diff_20_gaussian_ami8(std::span<const double> y, bool normalize);

}  // namespace tessaly
