// ARCH LM statistic: R^2 of the squared series regressed on its own lagged squares.
#pragma once

#include <cstdint>
#include <span>

namespace tessaly {

// `lags` lagged squares plus a constant; the series is first demeaned when `demean`
// is set. NaN when lags + 1 >= n, when the mean is NaN (demean only) or when the
// normal equations are singular.
double arch_stat(std::span<const double> y, std::uint64_t lags, bool demean);

}  // namespace tessaly
