// Neural-network-type nonlinearity test of a first-order autoregression.
#pragma once

#include <span>

#include "helpers/common/expected.h"

namespace tessaly {

// The chi-squared statistic m * ln(SSR0 / SSR1) of the z-scored series, or the
// error "Dimension larger than series length" (fewer than two values) or
// "Singular matrix" from either regression.
Expected<double> nonlinearity_test(std::span<const double> y);

// The statistic scaled by 10 / n; NaN for a non-finite series or a failed test.
double nonlinearity(std::span<const double> y);

}  // namespace tessaly
