#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "tsfeatures/pacf.h"
#include "tsfeatures/pacf_features.h"

namespace tessaly {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

using Features = std::vector<std::pair<std::string, double>>;

std::vector<std::string> keys(const Features& f) {
  std::vector<std::string> k;
  for (const auto& [name, value] : f) k.push_back(name);
  return k;
}

double get(const Features& f, const std::string& name) {
  for (const auto& [key, value] : f)
    if (key == name) return value;
  ADD_FAILURE() << "missing key " << name;
  return kNan;
}

std::vector<double> noise(std::size_t n, unsigned seed) {
  std::mt19937_64 rng(seed);
  std::normal_distribution<double> d(0.0, 1.0);
  std::vector<double> y(n);
  double prev = 0.0;
  for (auto& v : y) v = prev = 0.6 * prev + d(rng);  // AR(1), so the pacf is not flat
  return y;
}

// The recursion as written, with the full (nlags + 1)^2 table.
std::vector<double> pacf_reference(const std::vector<double>& x, std::size_t nlags) {
  const std::size_t n = x.size();
  double s = -0.0;
  for (double v : x) s += v;
  const double mu = s / static_cast<double>(n);
  std::vector<double> e(n);
  for (std::size_t t = 0; t < n; ++t) e[t] = x[t] - mu;
  std::vector<double> g(nlags + 1);
  for (std::size_t k = 0; k <= nlags; ++k) {
    double a = -0.0;
    for (std::size_t t = 0; t <= n - 1 - k; ++t) a += e[t] * e[t + k];
    g[k] = a / static_cast<double>(n);
  }
  std::vector<double> r(nlags + 1, 0.0);
  r[0] = 1.0;
  if (g[0] == 0.0) return r;
  std::vector<std::vector<double>> phi(nlags + 1, std::vector<double>(nlags + 1, 0.0));
  phi[1][1] = g[1] / g[0];
  r[1] = phi[1][1];
  for (std::size_t l = 2; l <= nlags; ++l) {
    double c = g[l];
    for (std::size_t j = 1; j <= l - 1; ++j) c = c - phi[l - 1][j] * g[l - j];
    double d = g[0];
    for (std::size_t j = 1; j <= l - 1; ++j) d = d - phi[l - 1][j] * g[j];
    if (std::fabs(d) < 1e-10) break;
    phi[l][l] = c / d;
    r[l] = phi[l][l];
    for (std::size_t j = 1; j <= l - 1; ++j) phi[l][j] = phi[l - 1][j] - phi[l][l] * phi[l - 1][l - j];
  }
  return r;
}

double sum_sq5(const std::vector<double>& r) {
  double s = -0.0;
  for (std::size_t k = 1; k <= 5; ++k) s += r[k] * r[k];
  return s;
}

std::vector<double> diff(const std::vector<double>& x) {
  std::vector<double> d;
  for (std::size_t i = 0; i + 1 < x.size(); ++i) d.push_back(x[i + 1] - x[i]);
  return d;
}

TEST(TsPacf, MatchesFullTableReference) {
  for (std::size_t n : {10u, 11u, 40u, 301u}) {
    const auto x = noise(n, static_cast<unsigned>(n));
    for (std::size_t nlags : {1u, 2u, 5u, 12u}) {
      if (nlags > n / 2) continue;
      SCOPED_TRACE(testing::Message() << "n=" << n << " nlags=" << nlags);
      const auto got = pacf(x, nlags);
      ASSERT_TRUE(got.ok());
      EXPECT_EQ(pacf_reference(x, nlags), *got);
    }
  }
}

TEST(TsPacf, DegenerateInputs) {
  // Too many lags.
  const auto refused = pacf(noise(9, 1), 5);
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ("nlags must be less than half the sample size", refused.error());
  EXPECT_TRUE(pacf(noise(10, 1), 5).ok());
  // Huge lag counts are refused before anything is allocated.
  EXPECT_FALSE(pacf(noise(10, 1), std::numeric_limits<std::size_t>::max()).ok());

  // Zero variance: zeros beyond lag 0.
  const auto flat = pacf(std::vector<double>(12, 3.0), 5);
  ASSERT_TRUE(flat.ok());
  EXPECT_EQ((std::vector<double>{1, 0, 0, 0, 0, 0}), *flat);

  // Tiny amplitude: the lag-2 denominator is below 1e-10, so lags 2.. stay 0, not NaN.
  std::vector<double> tiny;
  for (int i = 0; i < 10; ++i) tiny.push_back(i % 2 ? -1e-6 : 1e-6);
  const auto cut = pacf(tiny, 5);
  ASSERT_TRUE(cut.ok());
  EXPECT_NEAR(-0.9, (*cut)[1], 1e-12);
  for (std::size_t k = 2; k <= 5; ++k) EXPECT_EQ(0.0, (*cut)[k]) << k;
}

TEST(TsPacfFeatures, KeysAndAvailabilityByLength) {
  const std::vector<std::string> three = {"x_pacf5", "diff1x_pacf5", "diff2x_pacf5"};
  const std::vector<std::string> four = {"x_pacf5", "diff1x_pacf5", "diff2x_pacf5", "seas_pacf"};
  struct Case {
    std::size_t n;
    std::optional<std::uint64_t> freq;
    std::vector<std::string> keys;
    std::vector<bool> finite;  // per key
    const char* why;
  };
  const std::vector<Case> cases = {
      {0, std::nullopt, three, {false, false, false}, "empty"},
      {0, 12, three, {false, false, false}, "empty, no seas_pacf even with freq"},
      {5, 1, three, {false, false, false}, "too short for anything"},
      {9, 1, three, {false, false, false}, "5 lags need n >= 10"},
      {10, 1, three, {true, false, false}, "x_pacf5 first available"},
      {11, 1, three, {true, true, false}, "diff1x_pacf5 first available"},
      {12, 1, three, {true, true, true}, "diff2x_pacf5 first available"},
      {12, std::nullopt, three, {true, true, true}, "no freq means 1"},
      {12, 0, three, {true, true, true}, "freq 0 is not seasonal"},
      {9, 4, four, {false, false, false, false}, "freq 4: 5 lags refused"},
      {10, 4, four, {true, false, false, true}, "freq 4: seas_pacf from the 5-lag result"},
      {4, 4, four, {false, false, false, false}, "freq >= n: seas_pacf NaN"},
      {20, 12, four, {false, true, true, false}, "12 lags refused for n = 20; differences use 5"},
      {12, 12, four, {false, true, true, false}, "differences use 5 lags, not freq"},
      {30, 12, four, {true, true, true, true}, "12 lags fit n = 30"},
      {10, std::numeric_limits<std::uint64_t>::max(), four, {false, false, false, false}, "huge freq"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    const Features f = pacf_features(noise(c.n, 5), c.freq);
    ASSERT_EQ(c.keys, keys(f));
    for (std::size_t i = 0; i < f.size(); ++i) EXPECT_EQ(c.finite[i], std::isfinite(f[i].second)) << f[i].first;
  }
}

TEST(TsPacfFeatures, ValuesComeFromTheRightLagCounts) {
  const auto y = noise(30, 9);
  const Features f = pacf_features(y, 12);
  const auto r12 = pacf_reference(y, 12);
  EXPECT_EQ(sum_sq5(r12), get(f, "x_pacf5"));
  EXPECT_EQ(r12[12], get(f, "seas_pacf"));
  EXPECT_EQ(sum_sq5(pacf_reference(diff(y), 5)), get(f, "diff1x_pacf5"));
  EXPECT_EQ(sum_sq5(pacf_reference(diff(diff(y)), 5)), get(f, "diff2x_pacf5"));

  const auto y10 = noise(10, 2);
  EXPECT_EQ(pacf_reference(y10, 5)[4], get(pacf_features(y10, 4), "seas_pacf"));
  // Absent, 1 and 0 give the same values.
  const auto y40 = noise(40, 4);
  EXPECT_EQ(pacf_features(y40, std::nullopt), pacf_features(y40, 1));
  EXPECT_EQ(pacf_features(y40, std::nullopt), pacf_features(y40, 0));
}

TEST(TsPacfFeatures, NonFiniteAndConstantSeries) {
  for (double bad : {kNan, kInf, -kInf}) {
    auto y = noise(30, 3);
    y[7] = bad;
    const Features f = pacf_features(y, 12);
    ASSERT_EQ((std::vector<std::string>{"x_pacf5", "diff1x_pacf5", "diff2x_pacf5"}), keys(f));
    for (const auto& [name, value] : f) EXPECT_TRUE(std::isnan(value)) << name;
  }
  const Features ones = pacf_features(std::vector<double>(12, 1.0), 1);
  EXPECT_EQ((Features{{"x_pacf5", 0.0}, {"diff1x_pacf5", 0.0}, {"diff2x_pacf5", 0.0}}), ones);
}

}  // namespace
}  // namespace tessaly
