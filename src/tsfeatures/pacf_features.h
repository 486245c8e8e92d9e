#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace tessaly {

// Sums of squares of the first five partial autocorrelations of the series
// (x_pacf5), of its first differences (diff1x_pacf5) and of its second differences
// (diff2x_pacf5), and, for a seasonal period s = freq >= 2, the partial
// autocorrelation at lag s (seas_pacf). No freq is treated as 1.
//
// Keys, in this order: x_pacf5, diff1x_pacf5, diff2x_pacf5, then seas_pacf when
// freq >= 2 and the series is non-empty and finite. An empty series or one with
// a NaN or infinity gives the first three as NaN and never seas_pacf. A value that
// cannot be computed (series too short for the lag count) is NaN.
std::vector<std::pair<std::string, double>> pacf_features(std::span<const double> y,
                                                          std::optional<std::uint64_t> freq);

}  // namespace tessaly
