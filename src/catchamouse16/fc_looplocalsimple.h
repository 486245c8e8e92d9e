// Trend of the residual standard error of the local-mean forecaster as its training
// length grows from 1 to 10, relative to the range of those errors.
#pragma once

#include <span>

namespace tessaly {

double fc_looplocalsimple_mean_stderr_chn(std::span<const double> y, bool normalize);

}  // namespace tessaly
