// Deterministic test series from a 64-bit linear congruential generator, so that
// expected values can be reproduced outside the test binary.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <vector>

namespace {

// Uniform values in [-0.5, 0.5).
inline std::vector<double> lcg_noise(std::size_t n, std::uint64_t seed) {
  std::vector<double> out;
  out.reserve(n);
  std::uint64_t x = seed;
  for (std::size_t i = 0; i < n; ++i) {
    x = x * 6364136223846793005ULL + 1442695040888963407ULL;
    out.push_back(static_cast<double>(x >> 11) * 0x1p-53 - 0.5);
  }
  return out;
}

// Running sum of lcg_noise: strongly autocorrelated.
inline std::vector<double> lcg_walk(std::size_t n, std::uint64_t seed) {
  std::vector<double> out = lcg_noise(n, seed);
  double s = -0.0;
  for (double& v : out) {
    s += v;
    v = s;
  }
  return out;
}

inline std::vector<double> scaled(std::vector<double> v, double factor, double offset = 0.0) {
  for (double& x : v) x = x * factor + offset;
  return v;
}

inline constexpr double kInf = std::numeric_limits<double>::infinity();
inline constexpr double kQNaN = std::numeric_limits<double>::quiet_NaN();

// Same value, NaN matching NaN, and the sign of zero compared too.
inline bool same_double(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return a == b && std::signbit(a) == std::signbit(b);
}

// A table of (why, series, normalize, expected) cases for one feature, compared with
// same_double.
using Feature = double (*)(std::span<const double>, bool);

struct Case {
  std::string why;
  std::vector<double> y;
  bool normalize;
  double expected;
};

inline void check_table(Feature f, const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    const double got = f(c.y, c.normalize);
    EXPECT_TRUE(same_double(got, c.expected)) << "got " << got << ", expected " << c.expected;
  }
}

}  // namespace
