#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "catch22/co_histogramami.h"
#include "catch22/histcounts.h"
#include "helpers/common/stats.h"
#include "lcg_series.h"

namespace tessaly {
namespace {

// Every step literally, joint labels counted by scanning the (b + 1)^2 integer
// edges: the reference for the direct-index count.
double ami_by_edge_scan(const std::vector<double>& y, std::uint64_t b, std::size_t lag,
                        bool normalize) {
  const std::vector<double> w = normalize ? zscore(y) : y;
  const std::size_t n = w.size();
  const std::size_t len = n - lag;
  double lo = w[0], hi = w[0];
  for (double v : w) {
    lo = v < lo ? v : lo;
    hi = v > hi ? v : hi;
  }
  const double step = (hi - lo + 0.2) / static_cast<double>(b);
  std::vector<double> e(b + 1);
  for (std::size_t k = 0; k <= b; ++k) e[k] = (static_cast<double>(k) * step + lo) + (-0.1);
  const std::vector<double> x1(w.begin(), w.begin() + len), x2(w.begin() + lag, w.end());
  const auto l1 = bin_assign(x1, e), l2 = bin_assign(x2, e);
  std::vector<double> joint(len), joint_edges((b + 1) * (b + 1));
  for (std::size_t i = 0; i < len; ++i)
    joint[i] = static_cast<double>((l1[i] - 1) * static_cast<std::int32_t>(b + 1) + l2[i]);
  for (std::size_t k = 0; k < joint_edges.size(); ++k) joint_edges[k] = static_cast<double>(k + 1);
  const auto h = count_by_edges(joint, joint_edges);
  std::vector<std::vector<double>> p(b, std::vector<double>(b));
  std::int32_t s = 0;
  for (std::size_t r = 0; r < b; ++r)
    for (std::size_t c = 0; c < b; ++c) {
      p[c][r] = h[r * (b + 1) + c];
      s += h[r * (b + 1) + c];
    }
  for (auto& row : p)
    for (double& v : row) v /= static_cast<double>(s);
  std::vector<double> pr(b, -0.0), pc(b, -0.0);
  for (std::size_t r = 0; r < b; ++r)
    for (std::size_t c = 0; c < b; ++c) pr[r] += p[r][c];
  for (std::size_t c = 0; c < b; ++c)
    for (std::size_t r = 0; r < b; ++r) pc[c] += p[r][c];
  double ami = -0.0;
  for (std::size_t r = 0; r < b; ++r)
    for (std::size_t c = 0; c < b; ++c)
      if (p[r][c] > 0) ami += p[r][c] * std::log(p[r][c] / (pc[c] * pr[r]));
  return ami;
}

TEST(CoHistogramAmiTest, DirectJointIndexMatchesEdgeScan) {
  std::vector<std::vector<double>> inputs = {lcg_noise(97, 1), lcg_walk(150, 2),
                                             scaled(lcg_noise(60, 3), 1e3, 1e17),
                                             scaled(lcg_walk(60, 4), 1e16)};
  for (std::size_t s = 0; s < inputs.size(); ++s) {
    for (std::uint64_t b : {1u, 2u, 5u, 10u, 17u}) {
      for (std::size_t lag : {1u, 2u, 3u, 7u}) {
        for (bool normalize : {false, true}) {
          SCOPED_TRACE("input " + std::to_string(s) + " b " + std::to_string(b) + " lag " +
                       std::to_string(lag) + " normalize " + std::to_string(normalize));
          EXPECT_TRUE(same_double(histogram_ami_even(inputs[s], b, lag, normalize),
                                  ami_by_edge_scan(inputs[s], b, lag, normalize)));
        }
      }
    }
  }
}

TEST(CoHistogramAmiTest, TwoBinHandExample) {
  // Labels 1 for 0 and 2 for 1; lag-1 pairs (1,1) x2, (1,2) x2, (2,2) x2, (2,1) x1.
  const std::vector<double> y = {0, 0, 1, 1, 0, 0, 1, 1};
  const double p11 = 2.0 / 7, p12 = 2.0 / 7, p21 = 1.0 / 7, p22 = 2.0 / 7;
  const double a1 = 4.0 / 7, a2 = 3.0 / 7, b1 = 3.0 / 7, b2 = 4.0 / 7;
  const double expected = p11 * std::log(p11 / (a1 * b1)) + p12 * std::log(p12 / (a1 * b2)) +
                          p21 * std::log(p21 / (a2 * b1)) + p22 * std::log(p22 / (a2 * b2));
  EXPECT_NEAR(histogram_ami_even(y, 2, 1, false), expected, 1e-15);
  EXPECT_NEAR(histogram_ami_even(y, 2, 1, true), expected, 1e-15);
}

TEST(CoHistogramAmiTest, ReferenceValuesOnNoiseAndWalk) {
  const std::vector<double> noise = lcg_noise(300, 7);
  const std::vector<double> walk = lcg_walk(300, 11);
  EXPECT_DOUBLE_EQ(co_histogramami_even_2_5(noise, true), 0.016011545623101794);
  EXPECT_DOUBLE_EQ(histogram_ami_even(noise, 10, 1, true), 0.14249978153998352);
  EXPECT_DOUBLE_EQ(histogram_ami_even(noise, 2, 3, true), 0.0012225356157849719);
  EXPECT_DOUBLE_EQ(co_histogramami_even_2_5(walk, true), 0.89108076062704999);
  EXPECT_DOUBLE_EQ(histogram_ami_even(walk, 10, 1, true), 1.201611679704186);
  EXPECT_DOUBLE_EQ(histogram_ami_even(walk, 2, 3, true), 0.57914647619560655);
}

TEST(CoHistogramAmiTest, DegenerateSeries) {
  struct Case {
    std::string why;
    std::vector<double> y;
    std::uint64_t bins, lag;
    bool normalize;
    double expected;
  };
  const std::vector<double> c6(6, 2.5);
  const std::vector<Case> cases = {
      {"empty", {}, 5, 2, true, kQNaN},
      {"lag equals n", {1, 2}, 5, 2, true, kQNaN},
      {"lag above n", {1, 2, 3}, 2, 9, false, kQNaN},
      {"lag 0 allowed", {1, 2, 3, 4}, 1, 0, false, 0.0},
      {"NaN", {1, kQNaN, 3, 4, 5}, 5, 2, true, kQNaN},
      {"inf", {1, 2, kInf, 4, 5}, 5, 2, false, kQNaN},
      {"zero bins", {1, 2, 3, 4, 5}, 0, 2, false, kQNaN},
      {"joint labels beyond 32 bits", {1, 2, 3, 4, 5}, 50000, 2, false, kQNaN},
      {"largest lag", {1, 2, 3}, 5, UINT64_MAX, true, kQNaN},
      {"constant normalised: all labels outside", c6, 5, 2, true, 0.0},
      {"constant raw: one cell", c6, 5, 2, false, 0.0},
      {"one bin", lcg_noise(40, 5), 1, 2, false, 0.0},
      {"range overflows: every value in bin 1", {1e308, -1e308, 1e308, 0.0}, 5, 1, false, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    const double got = histogram_ami_even(c.y, c.bins, c.lag, c.normalize);
    EXPECT_TRUE(same_double(got, c.expected)) << "got " << got;
  }
  EXPECT_TRUE(same_double(co_histogramami_even_2_5(std::vector<double>{1, 2}, false), kQNaN));
}

}  // namespace
}  // namespace tessaly
