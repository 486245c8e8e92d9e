#include "catchamouse16/sy_slidingwindow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <vector>

#include "helpers/common/stats.h"
#include "shape_info_series.h"

namespace tessaly {
namespace {

using testing::uniform_series;

// The measure over explicitly listed windows of length len starting at `starts`.
double reference(const std::vector<double>& w, bool use_std, std::size_t len,
                 const std::vector<std::size_t>& starts) {
  std::vector<double> stats;
  for (std::size_t s : starts) {
    const std::span<const double> win(w.data() + s, len);
    stats.push_back(use_std ? sample_std(win) : mean(win));
  }
  return sample_std(stats) / sample_std(w);
}

TEST(Cm16SlidingWindow, WindowGeometry) {
  struct Case {
    std::size_t m;
    const char* stat;
    std::uint64_t num_seg, inc_move;
    std::size_t len;
    std::vector<std::size_t> starts;
    const char* why;
  };
  const std::vector<Case> cases = {
      {100, "std", 5, 2, 20, {0, 10, 20, 30, 40, 50, 60, 70, 80}, "length 20, step 10, 9 windows"},
      {100, "mean", 5, 2, 20, {0, 10, 20, 30, 40, 50, 60, 70, 80}, "same windows, means"},
      {94, "mean", 4, 1, 23, {0, 23, 46, 69}, "length 23, step 23; the last two values unused"},
      {103, "std", 5, 3, 20, {0, 6, 12, 18, 24, 30, 36, 42, 48, 54, 60, 66, 72, 78}, "step 20/3 = 6"},
      {10, "mean", 5, 3, 2, {0, 1, 2, 3, 4, 5, 6, 7, 8}, "window shorter than inc_move: step 1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    const auto y = uniform_series(c.m, 7 + c.m);
    const bool use_std = std::string_view(c.stat) == "std";
    EXPECT_EQ(sy_slidingwindow(y, c.stat, "std", c.num_seg, c.inc_move, false),
              reference(y, use_std, c.len, c.starts));
  }
}

TEST(Cm16SlidingWindow, SingleValueMeanWindowsReproduceTheSeries) {
  // Windows of one value: the window means are the series itself, the ratio is 1.
  const auto y = uniform_series(5, 3);
  EXPECT_EQ(sy_slidingwindow(y, "mean", "std", 5, 2, false), 1.0);
}

TEST(Cm16SlidingWindow, UndefinedCasesGiveNaN) {
  const auto y = uniform_series(50, 11);
  struct Case {
    std::vector<double> y;
    const char* window_stat;
    const char* across;
    std::uint64_t num_seg, inc_move;
    const char* why;
  };
  const std::vector<Case> cases = {
      {y, "median", "std", 5, 2, "unknown window statistic"},
      {y, "mean", "mean", 5, 2, "only std across windows"},
      {y, "Std", "std", 5, 2, "names are case-sensitive"},
      {y, "mean", "std", 51, 2, "more segments than values: empty windows"},
      {y, "std", "std", 50, 2, "windows of one value have no std"},
      {y, "mean", "std", 0, 2, "no segments"},
      {y, "mean", "std", 5, 0, "no step divisor"},
      {y, "mean", "std", UINT64_MAX, UINT64_MAX, "huge parameters"},
      {{}, "mean", "std", 5, 2, "empty series"},
      {std::vector<double>(20, 3.0), "mean", "std", 5, 2, "constant: 0 / 0"},
      {{1, 2, NAN, 4, 5, 6, 7, 8, 9, 10}, "mean", "std", 5, 2, "NaN in the series"},
      {{1, 2, INFINITY, 4, 5, 6, 7, 8, 9, 10}, "std", "std", 5, 2, "infinite window"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_TRUE(std::isnan(sy_slidingwindow(c.y, c.window_stat, c.across, c.num_seg, c.inc_move, false)));
  }
}

}  // namespace
}  // namespace tessaly
