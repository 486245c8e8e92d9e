// Small numeric primitives shared by every family: the saturating real-to-unsigned
// conversion, the bit-pattern finiteness test and NaN scans.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <span>

namespace tessaly {

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Truncate toward zero and saturate: negative and NaN give 0, values at or above
// 2^64 give the largest value. A plain cast would be undefined for those inputs.
inline std::uint64_t to_unsigned_saturating(double v) {
  if (!(v > 0.0)) return 0;                  // negative, zero and NaN
  if (v >= 18446744073709551616.0) return std::numeric_limits<std::uint64_t>::max();
  return static_cast<std::uint64_t>(v);
}

// Finite by bit pattern (exponent not all ones), immune to compiler assumptions.
inline bool is_finite_bits(double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return (bits & 0x7ff0000000000000ULL) != 0x7ff0000000000000ULL;
}

inline bool has_nan(std::span<const double> x) {
  for (double v : x)
    if (std::isnan(v)) return true;
  return false;
}

inline bool all_finite(std::span<const double> x) {
  for (double v : x)
    if (!is_finite_bits(v)) return false;
  return true;
}

}  // namespace tessaly
