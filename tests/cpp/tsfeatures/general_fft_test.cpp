#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <thread>
#include <vector>

#include "helpers/common/general_fft.h"

namespace tessaly {
namespace {

using cd = std::complex<double>;

std::vector<cd> naive_dft(const std::vector<cd>& x, bool inverse) {
  const std::size_t n = x.size();
  const double sign = inverse ? 1.0 : -1.0;
  std::vector<cd> out(n);
  for (std::size_t k = 0; k < n; ++k) {
    cd s = 0.0;
    for (std::size_t t = 0; t < n; ++t) {
      const double angle = sign * 2.0 * M_PI * static_cast<double>((t * k) % n) / static_cast<double>(n);
      s += x[t] * cd(std::cos(angle), std::sin(angle));
    }
    out[k] = s;
  }
  return out;
}

std::vector<cd> random_signal(std::size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  std::vector<cd> x(n);
  for (auto& v : x) v = cd(u(rng), u(rng));
  return x;
}

TEST(GeneralFft, MatchesNaiveDftAnyLength) {
  for (std::size_t n : {0u, 1u, 2u, 3u, 7u, 16u, 97u, 360u}) {
    const auto x = random_signal(n, static_cast<unsigned>(n));
    for (bool inverse : {false, true}) {
      SCOPED_TRACE(testing::Message() << "n=" << n << " inverse=" << inverse);
      const auto got = dft(x, inverse);
      const auto want = naive_dft(x, inverse);
      ASSERT_EQ(want.size(), got.size());
      for (std::size_t k = 0; k < n; ++k) EXPECT_LT(std::abs(got[k] - want[k]), 1e-11) << k;
    }
  }
}

TEST(GeneralFft, InverseIsUnscaledAndPlanIsReusableInPlace) {
  const std::size_t n = 45;
  auto x = random_signal(n, 3);
  const auto original = x;
  DftPlan forward(n, false);
  DftPlan backward(n, true);
  forward.execute(x, x);  // in place
  backward.execute(x, x);
  for (std::size_t k = 0; k < n; ++k) EXPECT_LT(std::abs(x[k] - static_cast<double>(n) * original[k]), 1e-11);
  // A second run of the same plan gives the same bits.
  std::vector<cd> a(n), b(n);
  forward.execute(original, a);
  forward.execute(original, b);
  EXPECT_EQ(a, b);
  EXPECT_THROW(forward.execute(std::vector<cd>(n + 1), a), std::invalid_argument);
}

TEST(GeneralFft, ConcurrentPlanningGivesSerialResults) {
  std::vector<std::vector<cd>> inputs, serial;
  for (unsigned i = 0; i < 8; ++i) {
    inputs.push_back(random_signal(50 + 13 * i, i));
    serial.push_back(dft(inputs.back(), false));
  }
  std::vector<std::vector<cd>> parallel(inputs.size());
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < inputs.size(); ++i)
    threads.emplace_back([&, i] {
      for (int rep = 0; rep < 20; ++rep) parallel[i] = dft(inputs[i], false);
    });
  for (auto& t : threads) t.join();
  EXPECT_EQ(serial, parallel);
}

}  // namespace
}  // namespace tessaly
