#include "catch22/dn_outlierinclude.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "catch22/dn_spread_std.h"
#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {
namespace {

const double nan = std::numeric_limits<double>::quiet_NaN();
const double inf = std::numeric_limits<double>::infinity();
using Reals = std::vector<double>;

// Threshold-by-threshold evaluation, written straight from the definition (with the
// empty selection giving no gaps). Counts the thresholds that selected nothing.
double literal_outlierinclude(const Reals& y, bool normalize, int sign, std::size_t* empty_sets) {
  for (double x : y)
    if (!is_finite_bits(x)) return nan;
  const std::size_t n = y.size();
  if (n < 2) return nan;
  const Reals w = normalize ? zscore(y) : y;
  Reals v(n);
  double tot = 0;
  for (std::size_t i = 0; i < n; ++i) {
    v[i] = w[i] * static_cast<double>(sign);
    if (v[i] >= 0) tot += 1;
  }
  bool constant = true;
  for (double x : w)
    if (!(x == w[0])) constant = false;
  if (constant) return 0.0;
  for (double x : v)
    if (std::isnan(x)) return nan;
  double big = v[0];
  for (double x : v) big = x > big ? x : big;
  if (big < 0.01) return 0.0;
  const std::uint64_t k_total = to_unsigned_saturating(big / 0.01 + 1);
  Reals mean_gap(k_total), pct(k_total), med_pos(k_total);
  for (std::uint64_t k = 0; k < k_total; ++k) {
    const double theta = static_cast<double>(k) * 0.01;
    Reals r;
    for (std::size_t j = 0; j < n; ++j)
      if (v[j] >= theta) r.push_back(static_cast<double>(j + 1));
    const long m = static_cast<long>(r.size());
    if (m == 0) ++*empty_sets;
    Reals g;
    for (long i = 0; i + 1 < m; ++i) g.push_back(r[i + 1] - r[i]);
    mean_gap[k] = mean(g);
    pct[k] = (static_cast<double>(m - 1) * 100) / tot;
    med_pos[k] = series_median(r) / (static_cast<double>(n) * 0.5) - 1;
  }
  std::uint64_t mj = 0, fbi = k_total - 1;
  for (std::uint64_t k = 0; k < k_total; ++k)
    if (pct[k] > 2) mj = k;
  for (std::uint64_t k = 0; k < k_total; ++k)
    if (std::isnan(mean_gap[k])) {
      fbi = k;
      break;
    }
  const std::uint64_t len = std::min(mj, fbi) + 1;
  if (k_total == 0 || len > k_total) return nan;
  return series_median(std::span<const double>(med_pos).first(len));
}

bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(DnOutlierInclude, MatchesThresholdLoopOnRandomSeries) {
  std::mt19937_64 rng(2024);
  std::normal_distribution<double> normal;
  std::uniform_int_distribution<int> small(-6, 9);
  std::size_t empty_sets = 0, cases = 0;
  for (int trial = 0; trial < 240; ++trial) {
    const std::size_t n = 2 + trial % 37;
    Reals y(n);
    const int kind = trial % 4;
    for (double& x : y) {
      const double z = normal(rng);
      if (kind == 0) x = z;                                     // noise
      else if (kind == 1) x = std::round(z * 100) / 100;        // two decimals
      else if (kind == 2) x = small(rng);                       // heavy ties
      else x = std::exp(1.5 * z) - 0.5;                         // skewed, both signs
    }
    if (trial % 9 == 0) y[n / 2] = 12.0;                        // a lone outlier
    for (bool normalize : {false, true}) {
      for (int sign : {1, -1}) {
        SCOPED_TRACE(::testing::Message() << "trial " << trial << " normalize " << normalize
                                          << " sign " << sign);
        const double want = literal_outlierinclude(y, normalize, sign, &empty_sets);
        const double got = dn_outlierinclude(y, normalize, sign);
        EXPECT_TRUE(same_bits(want, got) || (std::isnan(want) && std::isnan(got)))
            << want << " vs " << got;
        ++cases;
      }
    }
  }
  // The comparison must have met thresholds above every value.
  EXPECT_GT(empty_sets, 0u);
  EXPECT_EQ(960u, cases);
}

TEST(DnOutlierInclude, MatchesThresholdLoopOnLongSeries) {
  // Long position lists move the median cursor over many removals, ties included.
  std::mt19937_64 rng(77);
  std::normal_distribution<double> normal;
  std::size_t empty_sets = 0;
  for (std::size_t n : {120u, 257u, 400u}) {
    for (int kind = 0; kind < 3; ++kind) {
      Reals y(n);
      for (double& x : y) {
        const double z = normal(rng);
        x = kind == 0 ? z : kind == 1 ? std::round(z * 4) : std::exp(z) - 1;
      }
      for (bool normalize : {false, true}) {
        for (int sign : {1, -1}) {
          SCOPED_TRACE(::testing::Message() << "n " << n << " kind " << kind << " normalize "
                                            << normalize << " sign " << sign);
          const double want = literal_outlierinclude(y, normalize, sign, &empty_sets);
          const double got = dn_outlierinclude(y, normalize, sign);
          EXPECT_TRUE(same_bits(want, got) || (std::isnan(want) && std::isnan(got)))
              << want << " vs " << got;
        }
      }
    }
  }
}

TEST(DnOutlierInclude, LastThresholdAboveTheMaximum) {
  // 0.35 / 0.01 + 1 truncates to 36, and 35 * 0.01 > 0.35 selects nothing.
  const Reals y = {0.35, 0.1, 0.2, 0.35, 0.0, 0.3};
  ASSERT_GT(35 * 0.01, 0.35);
  std::size_t empty_sets = 0;
  const double want = literal_outlierinclude(y, false, 1, &empty_sets);
  EXPECT_EQ(1u, empty_sets);
  EXPECT_FALSE(std::isnan(want));
  EXPECT_TRUE(same_bits(want, dn_outlierinclude_p_001_mdrmd(y, false)));
}

TEST(DnOutlierInclude, HugeThresholdCountsOnRawData) {
  // K is 1e8 + 1 for values near 1e6 and saturates at 2^64 - 1 near 1e300. Positions
  // 2..5 stay above every threshold past 5, so the median position is theirs.
  for (double big : {1e6, 1e300, 1.7e308}) {
    SCOPED_TRACE(big);
    const Reals y = {5, big, big, big, big};
    EXPECT_EQ(3.5 / 2.5 - 1, dn_outlierinclude_p_001_mdrmd(y, false));
    const Reals neg = {-5, -big, -big, -big, -big};
    EXPECT_EQ(3.5 / 2.5 - 1, dn_outlierinclude_n_001_mdrmd(neg, false));
  }
  // A lone large value: only threshold 0 has gaps.
  EXPECT_EQ(2.5 / 2 - 1, dn_outlierinclude_p_001_mdrmd(Reals{0, 1e6, 0, 0}, false));
}

TEST(DnOutlierInclude, DegenerateSeries) {
  struct Case {
    Reals y;
    bool normalize;
    double p, n;
    const char* why;
  };
  std::size_t unused = 0;
  const std::vector<Case> cases = {
      {{}, true, nan, nan, "empty"},
      {{3}, false, nan, nan, "one value"},
      {{1, nan, 3}, false, nan, nan, "NaN"},
      {{1, inf, 3}, true, nan, nan, "infinity"},
      {{1, -inf, 3}, false, nan, nan, "negative infinity"},
      {{4, 4, 4}, false, 0.0, 0.0, "constant raw"},
      {{4, 4, 4}, true, nan, nan, "constant z-scored is all NaN"},
      {{0.5, 2, 7, 1}, false, literal_outlierinclude({0.5, 2, 7, 1}, false, 1, &unused), 0.0,
       "all positive: -y never reaches 0.01"},
      {{0.001, 0.002, 0.003}, false, 0.0, 0.0, "maximum below 0.01"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    const double p = dn_outlierinclude_p_001_mdrmd(c.y, c.normalize);
    const double n = dn_outlierinclude_n_001_mdrmd(c.y, c.normalize);
    EXPECT_TRUE(same_bits(c.p, p) || (std::isnan(c.p) && std::isnan(p))) << p;
    EXPECT_TRUE(same_bits(c.n, n) || (std::isnan(c.n) && std::isnan(n))) << n;
  }
}

TEST(DnOutlierInclude, MedianPositionUsesHalfLengthAsReal) {
  // n = 5, one spike at position 4: threshold 0 gives median 3 of 1..5 -> 3 / 2.5 - 1;
  // thresholds up to the spike select {4} only -> no gaps; L = 1.
  EXPECT_EQ(3 / 2.5 - 1, dn_outlierinclude_p_001_mdrmd(Reals{0, 0, 0, 9, 0}, false));
}

TEST(DnSpreadStd, Table) {
  EXPECT_EQ(std::sqrt(5.0 / 3.0), dn_spread_std(Reals{1, 2, 3, 4}));
  EXPECT_EQ(0.0, dn_spread_std(Reals{2, 2, 2}));
  EXPECT_TRUE(std::isnan(dn_spread_std(Reals{})));
  EXPECT_TRUE(std::isnan(dn_spread_std(Reals{1})));
  EXPECT_TRUE(std::isnan(dn_spread_std(Reals{1, nan})));
  EXPECT_TRUE(std::isnan(dn_spread_std(Reals{1, inf})));  // inf - inf in the deviations
}

}  // namespace
}  // namespace tessaly
