// Mean gap between window maxima and absolute window minima over 100 windows.
#pragma once

#include <span>

namespace tessaly {

double st_localextrema_n100_diffmaxabsmin(std::span<const double> y, bool normalize);

}  // namespace tessaly
