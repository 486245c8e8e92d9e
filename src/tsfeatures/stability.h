#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace tessaly {

// Sample variance of the means of consecutive non-overlapping windows (a shorter
// tail is dropped). Window width: 1 with no freq, 10 for freq 1, freq otherwise.
// 0 when fewer than two windows fit; NaN when a window holds only NaN, and for
// freq 0 (no window width).
double stability(std::span<const double> y, std::optional<std::uint64_t> freq);

}  // namespace tessaly
