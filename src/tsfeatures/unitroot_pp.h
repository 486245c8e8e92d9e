// Phillips-Perron Z-alpha statistic for a regression with constant.
#pragma once

#include <span>

#include "helpers/common/expected.h"

namespace tessaly {

// The statistic, or one of the errors "Time series too short", "Time series
// contains NaN values", "Singular matrix in OLS".
Expected<double> pp_test(std::span<const double> y);

// pp_test, with NaN in place of an error.
double unitroot_pp(std::span<const double> y);

}  // namespace tessaly
