#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tessaly {

// Labels 1, 2, 3 by tertiles (thresholds from the interpolating quantile, the
// lowest lowered by 1). A value that falls in no group (NaN, or the minimum when
// subtracting 1 from it is absorbed by rounding) keeps the label already stored.
// labels.size() must equal x.size(). Throws std::logic_error for a method other
// than "quantile".
void sb_coarse_grain(std::span<const double> x, std::string_view method,
                     std::span<std::uint64_t> labels);

}  // namespace tessaly
