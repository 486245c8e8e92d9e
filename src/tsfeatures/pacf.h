// Partial autocorrelations by the Durbin-Levinson recursion on the biased
// autocovariances of the demeaned series.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "helpers/common/expected.h"

namespace tessaly {

inline constexpr const char* kPacfTooManyLags = "nlags must be less than half the sample size";

// nlags + 1 values: entry 0 is 1, entry k the partial autocorrelation at lag k.
// Error kPacfTooManyLags when floor(n / 2) < nlags. A zero lag-0 autocovariance
// gives zeros beyond lag 0; a vanishing denominator (|D| < 1e-10) at lag l leaves
// lags l and later at 0. The caller keeps NaN out of x.
Expected<std::vector<double>> pacf(std::span<const double> x, std::size_t nlags);

}  // namespace tessaly
