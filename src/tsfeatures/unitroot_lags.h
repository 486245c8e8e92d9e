// Lag count of the long-run variance shared by the KPSS and Phillips-Perron tests.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "helpers/common/numeric.h"

namespace tessaly {

// floor(4 * (n / 100)^0.25), computed in reals and truncated.
inline std::uint64_t unitroot_lag_count(std::size_t n) {
  return to_unsigned_saturating(4.0 * std::pow(static_cast<double>(n) / 100.0, 0.25));
}

}  // namespace tessaly
