// Reproducible series for the catchaMouse16 shape and information tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

namespace tessaly::testing {

// Uniform values in [-1, 1) from the 53 top bits of mt19937_64, whose output sequence
// is fixed by the C++ standard.
inline std::vector<double> uniform_series(std::size_t n, std::uint64_t seed) {
  std::mt19937_64 gen(seed);
  std::vector<double> y(n);
  for (double& v : y) v = static_cast<double>(gen() >> 11) * 0x1p-52 - 1.0;
  return y;
}

// A random walk: smooth enough to carry autocorrelation at small lags.
inline std::vector<double> walk_series(std::size_t n, std::uint64_t seed) {
  std::vector<double> y = uniform_series(n, seed);
  for (std::size_t i = 1; i < n; ++i) y[i] += y[i - 1];
  return y;
}

}  // namespace tessaly::testing
