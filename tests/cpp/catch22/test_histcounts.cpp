#include "catch22/histcounts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace tessaly {
namespace {

const double nan = std::numeric_limits<double>::quiet_NaN();
using Ints = std::vector<std::int32_t>;
using Reals = std::vector<double>;

TEST(Histcounts, EqualWidthBins) {
  struct Case {
    Reals y;
    std::uint64_t bins;
    Ints counts;
    Reals edges;
    const char* why;
  };
  const std::vector<Case> cases = {
      {{1, 2, 3, 4, 5}, 2, {2, 3}, {1, 3, 5}, "3 opens the second bin, 5 clamps into the last"},
      {{4, 4, 4}, 5, {3, 0, 0, 0, 0}, {4, 4, 4, 4, 4, 4}, "constant: 0/0 saturates to bin 0"},
      {{2, nan, 0, 4}, 2, {2, 2}, {0, 2, 4}, "NaN ignored for the range, counted in bin 0"},
      {{3, 1}, 1, {2}, {1, 3}, "one bin takes everything"},
      {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 4, {3, 2, 3, 3}, {0, 2.5, 5, 7.5, 10}, "half-open bins"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    const Histogram h = histcounts(c.y, c.bins);
    EXPECT_EQ(c.counts, h.counts);
    EXPECT_EQ(c.edges, h.edges);
  }
}

TEST(Histcounts, DegenerateRangesNeverIndexOutside) {
  // Empty and all-NaN keep the start values of the range; nothing is counted wrongly.
  const Histogram empty = histcounts(Reals{}, 3);
  EXPECT_EQ((Ints{0, 0, 0}), empty.counts);
  EXPECT_EQ(4u, empty.edges.size());
  const Histogram all_nan = histcounts(Reals{nan, nan}, 3);
  EXPECT_EQ((Ints{2, 0, 0}), all_nan.counts);
  // A huge range overflows step to infinity: quotients are 0 or NaN, all land in bin 0.
  const Histogram huge = histcounts(Reals{-1e308, 1e308, 0}, 4);
  EXPECT_EQ(3, huge.counts[0] + huge.counts[1] + huge.counts[2] + huge.counts[3]);
  const double inf = std::numeric_limits<double>::infinity();
  const Histogram infinite = histcounts(Reals{1, inf}, 2);
  EXPECT_EQ(2, infinite.counts[0] + infinite.counts[1]);
}

TEST(BinAssign, StrictUpperEdge) {
  const Reals edges = {0, 1, 2, 3};
  const Reals y = {-0.5, 0, 0.5, 1, 2.999, 3, 4, nan};
  // Equal to e[j] gives j + 1; equal to the last edge or above it, or NaN, gives 0.
  EXPECT_EQ((Ints{0, 1, 1, 2, 3, 0, 0, 0}), bin_assign(y, edges));
  EXPECT_EQ((Ints{0, 0}), bin_assign(Reals{1, 2}, Reals{}));
}

TEST(CountByEdges, AtMostComparison) {
  const Reals edges = {0, 1, 2, 3};
  const Reals y = {-0.5, 0, 0.5, 1, 2.999, 3, 4, nan};
  // -0.5 and 0 in bin 0, 0.5 and 1 in bin 1, 2.999 and 3 in bin 3; 4 and NaN dropped.
  EXPECT_EQ((Ints{2, 2, 0, 2}), count_by_edges(y, edges));
  EXPECT_TRUE(count_by_edges(y, Reals{}).empty());
}

}  // namespace
}  // namespace tessaly
