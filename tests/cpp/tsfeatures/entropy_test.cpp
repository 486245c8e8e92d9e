#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <random>
#include <vector>

#include "tsfeatures/entropy.h"

namespace tessaly {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Spectral entropy with a direct O(n^2) transform.
double entropy_reference(const std::vector<double>& y) {
  const std::size_t n = y.size();
  double mu = 0.0;
  for (double v : y) mu += v;
  mu /= static_cast<double>(n);
  const std::size_t h = n / 2;
  std::vector<double> p(h + 1);
  for (std::size_t k = 0; k <= h; ++k) {
    std::complex<double> x = 0.0;
    for (std::size_t t = 0; t < n; ++t) {
      const double angle = -2.0 * M_PI * static_cast<double>((t * k) % n) / static_cast<double>(n);
      x += (y[t] - mu) * std::complex<double>(std::cos(angle), std::sin(angle));
    }
    const bool single = k == 0 || (k == h && n % 2 == 0);
    p[k] = (single ? 1.0 : 2.0) * std::norm(x) / static_cast<double>(n);
  }
  double total = 0.0;
  for (double v : p) total += v;
  double H = 0.0;
  for (double v : p)
    if (v > 0.0) H -= (v / total) * std::log2(v / total);
  return H / std::log2(static_cast<double>(h + 1));
}

TEST(TsEntropy, UndefinedCasesAreNaN) {
  const std::vector<std::vector<double>> cases = {
      {}, {1.0}, {1.0, kNan, 2.0}, {1.0, kInf, 2.0}, {-kInf, 1.0}, {1.0, 1.0, 1.0}, {1e308, -1e308, 1e308},
  };
  for (const auto& y : cases) {
    SCOPED_TRACE(testing::PrintToString(y));
    EXPECT_TRUE(std::isnan(entropy(y)));
  }
}

TEST(TsEntropy, WorkedSpectra) {
  // n = 2: all power in the single non-DC entry; the negated sum of one zero term.
  const double two = entropy(std::vector<double>{0.0, 1.0});
  EXPECT_EQ(0.0, two);
  EXPECT_TRUE(std::signbit(two));
  // A pure cosine at frequency 1 of 4.
  EXPECT_NEAR(0.0, entropy(std::vector<double>{1, 0, -1, 0}), 1e-15);
  // An impulse has a flat spectrum; n even: p = 0, 2/3, 1/3 over log2(3).
  EXPECT_NEAR(0.579380164285695, entropy(std::vector<double>{1, 0, 0, 0}), 1e-14);
  // n odd: the last entry is doubled too, p = 0, 1/2, 1/2.
  EXPECT_NEAR(0.6309297535714575, entropy(std::vector<double>{1, 0, 0, 0, 0}), 1e-14);
}

TEST(TsEntropy, MatchesDirectTransformOnAwkwardLengths) {
  std::mt19937_64 rng(11);
  std::normal_distribution<double> noise(0.0, 1.0);
  for (std::size_t n : {2u, 3u, 31u, 100u, 257u}) {
    std::vector<double> y(n);
    for (std::size_t t = 0; t < n; ++t) y[t] = std::sin(0.3 * static_cast<double>(t)) + 0.5 * noise(rng);
    SCOPED_TRACE(n);
    EXPECT_NEAR(entropy_reference(y), entropy(y), 1e-12);
  }
}

}  // namespace
}  // namespace tessaly
