// Deterministic uniform test values in [-1, 1), independent of the standard library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

inline std::vector<double> noise(std::size_t n, std::uint64_t seed) {
  std::vector<double> v(n);
  std::uint64_t s = seed * 6364136223846793005ULL + 1442695040888963407ULL;
  for (auto& x : v) {
    s = s * 6364136223846793005ULL + 1442695040888963407ULL;
    x = static_cast<double>(s >> 11) * 0x1.0p-52 - 1.0;
  }
  return v;
}

}  // namespace
