// KPSS statistic for level stationarity.
#pragma once

#include <span>

#include "helpers/common/expected.h"

namespace tessaly {

// The statistic, or one of the errors "Input array is empty", "Variance estimate is
// non-positive", "Invalid variance estimate".
Expected<double> kpss_test(std::span<const double> y);

// kpss_test, with NaN in place of an error.
double unitroot_kpss(std::span<const double> y);

}  // namespace tessaly
