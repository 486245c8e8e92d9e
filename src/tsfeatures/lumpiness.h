#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace tessaly {

// Sample variance of the sample variances of consecutive non-overlapping windows
// (a shorter tail is dropped). Window width: 10 with no freq or freq 1, freq
// otherwise. A window with fewer than two numbers has no variance and is skipped.
// NaN for an empty series and for freq 0 (no window width); 0 when fewer than two
// windows fit or fewer than two window variances remain.
double lumpiness(std::span<const double> y, std::optional<std::uint64_t> freq);

}  // namespace tessaly
