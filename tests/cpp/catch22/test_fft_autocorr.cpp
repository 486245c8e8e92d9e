#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "catch22/co_auto_corr.h"
#include "catch22/fft.h"

namespace tessaly {
namespace {

const double nan = std::numeric_limits<double>::quiet_NaN();
using Reals = std::vector<double>;

TEST(Twiddles, UseTheElevenDecimalPi) {
  const std::vector<Complex> tw = twiddles(2);
  ASSERT_EQ(2u, tw.size());
  EXPECT_EQ(1.0, tw[0].re);
  EXPECT_EQ(0.0, tw[0].im);
  // cos(-3.14159265359 / 2) is about -1.03e-13; the full-precision pi gives 6e-17.
  EXPECT_NEAR(-1.0345e-13, tw[1].re, 1e-16);
  EXPECT_EQ(std::cos((1.0 * -3.14159265359) / 2.0), tw[1].re);
  EXPECT_EQ(std::sin((3.0 * -3.14159265359) / 8.0), twiddles(8)[3].im);
}

TEST(Fft, MatchesDirectTransform) {
  std::mt19937_64 rng(7);
  std::normal_distribution<double> dist;
  for (std::size_t n : {1u, 2u, 4u, 8u, 32u, 128u}) {
    SCOPED_TRACE(n);
    std::vector<Complex> a(n);
    for (auto& c : a) c = {dist(rng), dist(rng)};
    const std::vector<Complex> orig = a;
    fft(a, twiddles(n));
    for (std::size_t k = 0; k < n; ++k) {
      double re = 0, im = 0;
      for (std::size_t j = 0; j < n; ++j) {
        const double t = -2.0 * M_PI * static_cast<double>(j * k % n) / static_cast<double>(n);
        re += orig[j].re * std::cos(t) - orig[j].im * std::sin(t);
        im += orig[j].re * std::sin(t) + orig[j].im * std::cos(t);
      }
      // Loose enough for the pi approximation (relative 7e-14 per twiddle).
      EXPECT_NEAR(re, a[k].re, 1e-9);
      EXPECT_NEAR(im, a[k].im, 1e-9);
    }
  }
}

TEST(Fft, LengthTwoIsExact) {
  std::vector<Complex> a = {{3, 1}, {5, -2}};
  fft(a, twiddles(2));
  EXPECT_EQ(8.0, a[0].re);
  EXPECT_EQ(-1.0, a[0].im);
  EXPECT_EQ(-2.0, a[1].re);
  EXPECT_EQ(3.0, a[1].im);
}

TEST(Fft, RejectsLengthsItCannotTransform) {
  std::vector<Complex> a(6);
  EXPECT_THROW(fft(a, twiddles(6)), std::invalid_argument);
  std::vector<Complex> b(8);
  EXPECT_THROW(fft(b, twiddles(4)), std::invalid_argument);
}

Reals direct_autocorr(const Reals& y) {
  double mu = 0;
  for (double v : y) mu += v;
  mu /= static_cast<double>(y.size());
  Reals c(y.size());
  double c0 = 0;
  for (double v : y) c0 += (v - mu) * (v - mu);
  for (std::size_t k = 0; k < y.size(); ++k) {
    double s = 0;
    for (std::size_t i = 0; i + k < y.size(); ++i) s += (y[i] - mu) * (y[i + k] - mu);
    c[k] = s / c0;
  }
  return c;
}

TEST(Autocorrelations, PaddedLengthAndWorkedExamples) {
  const std::vector<std::pair<std::size_t, std::size_t>> sizes = {
      {1, 2}, {2, 4}, {3, 8}, {4, 8}, {5, 16}, {16, 32}, {17, 64}};
  for (auto [n, nfft] : sizes) {
    Reals y(n);
    for (std::size_t i = 0; i < n; ++i) y[i] = static_cast<double>(i * i % 7);
    EXPECT_EQ(nfft, autocorrelations(y).size()) << n;
  }

  const Reals r3 = autocorrelations(Reals{1, 2, 3});
  const Reals want3 = {1, 0, -0.5, 0, 0, 0, -0.5, 0};
  for (std::size_t k = 0; k < 8; ++k) EXPECT_NEAR(want3[k], r3[k], 1e-12) << k;
  EXPECT_EQ(1.0, r3[0]);

  Reals ramp(10);
  for (int i = 0; i < 10; ++i) ramp[i] = i + 1;
  const Reals r10 = autocorrelations(ramp);
  ASSERT_EQ(32u, r10.size());
  EXPECT_NEAR(0.7, r10[1], 1e-12);
  EXPECT_NEAR(0.41212121212121212, r10[2], 1e-12);
  for (int k = 10; k <= 22; ++k) EXPECT_NEAR(0.0, r10[k], 1e-12) << k;
  EXPECT_NEAR(r10[1], r10[31], 1e-12);
}

TEST(Autocorrelations, AgreeWithDirectSumsOnNoise) {
  std::mt19937_64 rng(11);
  std::normal_distribution<double> dist(3.0, 2.0);
  for (std::size_t n : {2u, 7u, 50u, 129u}) {
    Reals y(n);
    for (double& v : y) v = dist(rng);
    const Reals fast = autocorrelations(y);
    const Reals slow = direct_autocorr(y);
    for (std::size_t k = 0; k < n; ++k) EXPECT_NEAR(slow[k], fast[k], 1e-10) << n << " " << k;
    EXPECT_EQ(fast[2], autocorr_lag2_fft(y));
  }
}

// The transform and the autocorrelation steps written out on (re, im) pairs, the
// step procedure's views as (array, offset), without the shared Complex operators.
void literal_step(std::vector<Complex>& dst, std::size_t doff, std::vector<Complex>& src,
                  std::size_t soff, std::size_t step, const std::vector<Complex>& tw) {
  const std::size_t n = dst.size();
  if (step >= n) return;
  literal_step(src, soff, dst, doff, step * 2, tw);
  literal_step(src, soff + step, dst, doff + step, step * 2, tw);
  for (std::size_t i = 0; i < n; i += 2 * step) {
    const Complex w = tw[i], b = src[soff + i + step], a = src[soff + i];
    const double tre = w.re * b.re - w.im * b.im;
    const double tim = w.re * b.im + w.im * b.re;
    dst[doff + i / 2] = {a.re + tre, a.im + tim};
    dst[doff + (i + n) / 2] = {a.re - tre, a.im - tim};
  }
}

void literal_fft(std::vector<Complex>& a, const std::vector<Complex>& tw) {
  std::vector<Complex> out = a;
  literal_step(a, 0, out, 0, 1, tw);
}

Reals literal_autocorr(const Reals& y) {
  const std::size_t n = y.size();
  double mu = -0.0;
  for (double v : y) mu += v;
  mu /= static_cast<double>(n);
  std::int32_t p = static_cast<std::int32_t>(n) - 1;
  for (int shift : {1, 2, 4, 8, 16}) p |= p >> shift;
  const std::size_t nfft = 2 * static_cast<std::size_t>(p + 1);
  std::vector<Complex> f(nfft), tw(nfft);
  for (std::size_t k = 0; k < n; ++k) f[k] = {y[k] - mu, 0.0};
  for (std::size_t k = 0; k < nfft; ++k) {
    const double theta = (static_cast<double>(k) * (-3.14159265359)) / static_cast<double>(nfft);
    tw[k] = {std::cos(theta), std::sin(theta)};
  }
  literal_fft(f, tw);
  const std::vector<Complex> g = f;
  for (std::size_t k = 0; k < nfft; ++k) {
    const double cre = g[k].re, cim = -g[k].im;  // conj(G[k])
    f[k] = {f[k].re * cre - f[k].im * cim, f[k].re * cim + f[k].im * cre};
  }
  literal_fft(f, tw);
  const Complex d = f[0];
  const double den = d.re * d.re + d.im * d.im;
  Reals out(nfft);
  for (std::size_t k = 0; k < nfft; ++k) {
    const double cre = d.re, cim = -d.im;  // p * conj(d) / (d.re^2 + d.im^2)
    out[k] = (f[k].re * cre - f[k].im * cim) / den;
  }
  return out;
}

TEST(Autocorrelations, BitIdenticalToTheStepByStepTransform) {
  std::mt19937_64 rng(5);
  std::normal_distribution<double> dist(-1.5, 4.0);
  for (std::size_t n : {1u, 2u, 3u, 5u, 8u, 17u, 100u, 300u}) {
    SCOPED_TRACE(n);
    Reals y(n);
    for (double& v : y) v = dist(rng);
    const Reals want = literal_autocorr(y);
    const Reals got = autocorrelations(y);
    ASSERT_EQ(want.size(), got.size());
    for (std::size_t k = 0; k < want.size(); ++k) {
      const bool same = std::memcmp(&want[k], &got[k], sizeof(double)) == 0 ||
                        (std::isnan(want[k]) && std::isnan(got[k]));
      EXPECT_TRUE(same) << k << ": " << want[k] << " vs " << got[k];
    }
  }
}

TEST(Autocorrelations, DegenerateSeriesGiveNaN) {
  for (const Reals& y : {Reals{7}, Reals{4, 4, 4, 4, 4}, Reals{1, nan, 3}}) {
    for (double v : autocorrelations(y)) EXPECT_TRUE(std::isnan(v));
  }
  EXPECT_TRUE(autocorrelations(Reals{}).empty());
  EXPECT_TRUE(std::isnan(autocorr_lag2_fft(Reals{7})));
  EXPECT_TRUE(std::isnan(autocorr_lag2_fft(Reals{})));
  EXPECT_NEAR(-0.5, autocorr_lag2_fft(Reals{1, 2, 3}), 1e-12);
}

TEST(LaggedCorrelation, Table) {
  struct Case {
    Reals y;
    std::uint64_t lag;
    double expected;
    const char* why;
  };
  const std::vector<Case> cases = {
      {{1, 2, 3, 4, 5}, 1, 1.0, "both halves linear"},
      {{1, 2, 3, 4, 5}, 5, nan, "lag = n"},
      {{1, 2, 3, 4, 5}, 99, nan, "lag > n"},
      {{1, 2, 3, 4, 5}, 4, nan, "L = 1"},
      {{2, 2, 2, 5}, 1, nan, "x constant: product of stds is 0"},
      {{1, 1 + 1e-9, 1, 1 + 1e-9, 1}, 1, nan, "product below 2^-26"},
      {{1, nan, 3, 4}, 1, nan, "NaN"},
      {{1, -1, 1, -1, 1, -1}, 1, -1.0, "alternating"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    const double r = lagged_correlation(c.y, c.lag);
    if (std::isnan(c.expected)) {
      EXPECT_TRUE(std::isnan(r)) << r;
    } else {
      EXPECT_NEAR(c.expected, r, 1e-15);
    }
  }
}

TEST(SearchRules, FirstZeroCrossingAndInteriorMinimum) {
  EXPECT_EQ(2u, first_zero_crossing(Reals{1, 0.5, -0.1, 0.3}, 10));
  EXPECT_EQ(3u, first_zero_crossing(Reals{1, 0.5, 0.4}, 3));
  EXPECT_EQ(3u, first_zero_crossing(Reals{1, 0.5, 0.4}, 10));  // bounded by the length
  EXPECT_EQ(1u, first_zero_crossing(Reals{1, 0.0, 0.4}, 10));  // zero counts
  EXPECT_EQ(0u, first_zero_crossing(Reals{nan, 1}, 10));
  EXPECT_EQ(1u, first_zero_crossing(Reals{1, nan, 1}, 10));
  EXPECT_EQ(0u, first_zero_crossing(Reals{1, 1}, 0));

  EXPECT_EQ(5u, first_interior_minimum(Reals{5, 4, 3, 2, 1}, 5));
  EXPECT_EQ(2u, first_interior_minimum(Reals{3, 2, 1, 2, 0, 1}, 6));
  EXPECT_EQ(3u, first_interior_minimum(Reals{3, 2, 2, 1, 2}, 5));  // a plateau is no minimum
  EXPECT_EQ(2u, first_interior_minimum(Reals{1, 0}, 2));
  EXPECT_EQ(4u, first_interior_minimum(Reals{1, nan, 0, 1}, 4));  // NaN neighbours compare false
  EXPECT_EQ(1u, first_interior_minimum(Reals{3, 2, 3}, 9));       // bound beyond the data
  EXPECT_EQ(40u, first_interior_minimum(Reals{3, 2}, 40));
}

}  // namespace
}  // namespace tessaly

namespace {

// The transform exactly as defined: the depth-first ping-pong recursion.
void literal_step(tessaly::Complex* dst, tessaly::Complex* src, std::size_t step, std::size_t n,
                  const std::vector<tessaly::Complex>& tw) {
  if (step >= n) return;
  literal_step(src, dst, step * 2, n, tw);
  literal_step(src + step, dst + step, step * 2, n, tw);
  for (std::size_t i = 0; i < n; i += 2 * step) {
    const tessaly::Complex t = tw[i] * src[i + step];
    dst[i / 2] = src[i] + t;
    dst[(i + n) / 2] = src[i] - t;
  }
}

bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

TEST(FftLevels, MatchesTheRecursiveDefinitionBitForBit) {
  std::mt19937_64 rng(7);
  std::normal_distribution<double> normal;
  for (std::size_t n = 1; n <= (1u << 13); n *= 2) {
    std::vector<tessaly::Complex> input(n);
    for (auto& c : input) c = {normal(rng), n % 3 == 0 ? 0.0 : normal(rng)};
    if (n >= 4) input[1] = {std::numeric_limits<double>::infinity(), -0.0};  // non-finite paths too
    const auto tw = tessaly::twiddles(n);
    std::vector<tessaly::Complex> expected = input;
    std::vector<tessaly::Complex> scratch = input;
    literal_step(expected.data(), scratch.data(), 1, n, tw);

    std::vector<tessaly::Complex> full = input;
    tessaly::fft(full, tw);
    std::vector<tessaly::Complex> half = input;
    tessaly::fft_with_half_table(half, tessaly::fft_twiddles(n));
    for (std::size_t k = 0; k < n; ++k) {
      SCOPED_TRACE(testing::Message() << "n=" << n << " k=" << k);
      ASSERT_TRUE(same_bits(expected[k].re, full[k].re) && same_bits(expected[k].im, full[k].im));
      ASSERT_TRUE(same_bits(expected[k].re, half[k].re) && same_bits(expected[k].im, half[k].im));
    }
    const auto half_tw = tessaly::fft_twiddles(n);
    for (std::size_t j = 0; j < half_tw.size(); ++j) {
      ASSERT_TRUE(same_bits(half_tw[j].re, tw[2 * j].re) && same_bits(half_tw[j].im, tw[2 * j].im));
    }
  }
}
