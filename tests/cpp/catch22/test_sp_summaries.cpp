#include "catch22/sp_summaries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <random>
#include <stdexcept>
#include <vector>

namespace tessaly {
namespace {

constexpr double kTwoPi = 6.283185307179586;

// One-sided angular periodogram by a direct DFT of the mean-removed series padded
// to N, in full precision: an independent route to the same spectrum up to rounding.
std::vector<double> direct_spectrum(const std::vector<double>& w, std::size_t nfft) {
  const std::size_t n = w.size();
  double mu = 0.0;
  for (double v : w) mu += v;
  mu /= static_cast<double>(n);
  const std::size_t k_len = nfft / 2 + 1;
  std::vector<double> sa(k_len);
  for (std::size_t k = 0; k < k_len; ++k) {
    double re = 0.0;
    double im = 0.0;
    for (std::size_t j = 0; j < n; ++j) {
      const double theta = -kTwoPi * static_cast<double>(j * k % nfft) / static_cast<double>(nfft);
      re += (w[j] - mu) * std::cos(theta);
      im += (w[j] - mu) * std::sin(theta);
    }
    double s = (re * re + im * im) / static_cast<double>(n);
    if (k > 0 && k + 1 < k_len) s *= 2.0;
    sa[k] = s / kTwoPi;
  }
  return sa;
}

TEST(C22bWelch, MatchesDirectPeriodogram) {
  std::mt19937_64 rng(11);
  std::normal_distribution<double> gauss;
  // n = 100 pads to 128: 65 frequencies, the area covers the first 13
  for (std::size_t n : {100u, 64u, 37u}) {
    SCOPED_TRACE(n);
    std::vector<double> y(n);
    for (double& v : y) v = gauss(rng) + 3.0;
    const std::size_t nfft = std::size_t{1} << static_cast<int>(std::ceil(std::log2(n)));
    const std::vector<double> sa = direct_spectrum(y, nfft);
    const double da = kTwoPi / static_cast<double>(nfft);

    double area = 0.0;
    for (std::size_t i = 0; i < sa.size() / 5; ++i) area += sa[i];
    area *= da;
    EXPECT_NEAR(sp_summaries_welch_rect_area_5_1(y, false), area, 1e-10 * area);

    double total = 0.0;
    for (double v : sa) total += v;
    double cum = 0.0;
    std::size_t i = 0;
    while ((cum += sa[i]) <= total * 0.5) ++i;
    EXPECT_EQ(sp_summaries_welch_rect_centroid(y, false),
              static_cast<double>(i) * (1.0 / static_cast<double>(nfft)) * kTwoPi);
  }
}

TEST(C22bWelch, PureTone) {
  // cos at bin 3 of 64: all power at angular frequency 3 * 2pi / 64; the area is
  // the biased variance, 1/2 raw and 63/64 after z-scoring
  std::vector<double> y(64);
  for (std::size_t i = 0; i < y.size(); ++i) y[i] = std::cos(kTwoPi * 3.0 * i / 64.0);
  EXPECT_NEAR(sp_summaries_welch_rect_area_5_1(y, false), 0.5, 1e-12);
  EXPECT_NEAR(sp_summaries_welch_rect_area_5_1(y, true), 63.0 / 64.0, 1e-12);
  EXPECT_EQ(sp_summaries_welch_rect_centroid(y, false), 3.0 * (1.0 / 64.0) * kTwoPi);

  // The Nyquist entry is one-sided already and is not doubled: with the alternating
  // tone at power 64 and the bin-3 tone at 64 * 1.7^2 / 2, the lower tone holds more
  // than half the power (it would not if the Nyquist power were doubled).
  for (std::size_t i = 0; i < y.size(); ++i) y[i] = (i % 2 ? -1.0 : 1.0) + 1.7 * std::cos(kTwoPi * 3.0 * i / 64.0);
  EXPECT_EQ(sp_summaries_welch_rect_centroid(y, false), 3.0 * (1.0 / 64.0) * kTwoPi);
}

TEST(C22bWelch, ShortAndConstantSeries) {
  // n = 2: frequencies 0 and pi, nothing in the lowest fifth (an empty sum, -0.0)
  const std::vector<double> two = {3.0, -1.0};
  EXPECT_EQ(sp_summaries_welch_rect_centroid(two, false), 3.141592653589793);
  EXPECT_TRUE(std::signbit(sp_summaries_welch_rect_area_5_1(two, false)));
  EXPECT_EQ(sp_summaries_welch_rect_area_5_1(two, false), 0.0);
  // z-scored constant: NaN spectrum; the area is NaN once a term is summed (n >= 5)
  for (std::size_t n = 2; n <= 9; ++n) {
    SCOPED_TRACE(n);
    const std::vector<double> c(n, 4.0);
    EXPECT_EQ(sp_summaries_welch_rect_centroid(c, true), 0.0);
    EXPECT_EQ(sp_summaries_welch_rect_centroid(c, false), 0.0);
    EXPECT_EQ(sp_summaries_welch_rect_area_5_1(c, false), 0.0);
    EXPECT_EQ(std::isnan(sp_summaries_welch_rect_area_5_1(c, true)), n >= 5);
  }
}

TEST(C22bWelch, InfiniteSpectrumGivesZero) {
  // finite input whose power overflows
  const std::vector<double> y = {1e300, -1e300, 1e300, -1e300, 1e300, -1e300};
  EXPECT_EQ(sp_summaries_welch_rect_area_5_1(y, false), 0.0);
  EXPECT_EQ(sp_summaries_welch_rect_centroid(y, false), 0.0);
}

TEST(C22bWelch, RejectsUnknownSummary) {
  const std::vector<double> y = {1.0, 2.0, 3.0};
  EXPECT_THROW(sp_summaries_welch_rect(y, "area", true), std::invalid_argument);
  EXPECT_EQ(sp_summaries_welch_rect(y, "centroid", true), sp_summaries_welch_rect_centroid(y, true));
}

}  // namespace
}  // namespace tessaly
