#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "helpers/common/internal_error.h"
#include "parallel/common/cumulative.h"
#include "parallel/common/feature_list.h"
#include "parallel/common/worker_pool.h"

namespace tessaly {
namespace {

TEST(WorkerPool, VisitsEveryIndexOnceEvenWhenNested) {
  constexpr std::size_t kOuter = 37, kInner = 53;
  std::vector<std::atomic<int>> hits(kOuter * kInner);
  parallel_for(kOuter, [&](std::size_t i) {
    parallel_for(kInner, [&](std::size_t j) { hits[i * kInner + j].fetch_add(1); });
  });
  for (const auto& h : hits) EXPECT_EQ(h.load(), 1);
  parallel_for(0, [](std::size_t) { FAIL() << "no index for an empty range"; });
}

TEST(WorkerPool, RethrowsAWorkerFailureOnTheCaller) {
  EXPECT_THROW(parallel_for(100, [](std::size_t i) { check(i != 63, "boom"); }), InternalError);
  EXPECT_THROW(parallel_for(10, [](std::size_t) { parallel_for(10, [](std::size_t j) {
                              if (j == 7) throw std::out_of_range("inner");
                            }); }),
               std::out_of_range);
  EXPECT_GE(pool_threads(), 1u);
}

FeatureList toy_list() {
  return {
      {"first", [](std::span<const double> y, bool) { return y.empty() ? -1.0 : y[0]; }},
      {"size", [](std::span<const double> y, bool) { return static_cast<double>(y.size()); }},
      {"flag", [](std::span<const double>, bool normalize) { return normalize ? 1.0 : 0.0; }},
  };
}

TEST(FeatureList, KeepsListOrderAndZScoresOnlyWhenAsked) {
  const std::vector<double> y{1.0, 2.0, 3.0};
  const Evaluation raw = evaluate_feature_list(y, false, toy_list());
  EXPECT_EQ(raw.names, (std::vector<std::string>{"first", "size", "flag"}));
  EXPECT_EQ(raw.values, (std::vector<double>{1.0, 3.0, 0.0}));
  const Evaluation z = evaluate_feature_list(y, true, toy_list());
  EXPECT_EQ(z.values, (std::vector<double>{-1.0, 3.0, 1.0}));
  // A NaN anywhere makes every object see the one-element series [NaN].
  const std::vector<double> with_nan{1.0, NAN, 3.0};
  const Evaluation n = evaluate_feature_list(with_nan, true, toy_list());
  EXPECT_TRUE(std::isnan(n.values[0]));
  EXPECT_EQ(n.values[1], 1.0);
}

TEST(Cumulative, ColumnsAreSortedBytewiseAndTheLastDuplicateWins) {
  const std::vector<double> y{5.0, 6.0, 7.0};
  WindowSet set = [](std::span<const double> w) {
    return Evaluation{{"b", "A", "_x", "b"}, {1.0, static_cast<double>(w.size()), 3.0, 4.0}};
  };
  const Table t = cumulative_extract(y, set, "VALUE");
  EXPECT_EQ(t.feature_names, (std::vector<std::string>{"A", "VALUE", "_x", "b"}));
  ASSERT_EQ(t.rows.size(), 3u);
  for (std::size_t k = 0; k < 3; ++k)
    EXPECT_EQ(t.rows[k], (std::vector<double>{k + 1.0, y[k], 3.0, 4.0}));

  // A value column named like a feature holds the feature.
  const Table clash = cumulative_extract(y, set, "A");
  EXPECT_EQ(clash.feature_names, (std::vector<std::string>{"A", "_x", "b"}));
  EXPECT_EQ(clash.rows[2], (std::vector<double>{3.0, 3.0, 4.0}));

  EXPECT_TRUE(cumulative_extract({}, set, "VALUE").feature_names.empty());
}

TEST(Cumulative, AWindowMissingANameGivesNaN) {
  const std::vector<double> y{1.0, 2.0};
  WindowSet set = [](std::span<const double> w) {
    return w.size() == 1 ? Evaluation{{"a", "b"}, {1.0, 2.0}} : Evaluation{{"a"}, {9.0}};
  };
  const Table t = cumulative_extract(y, set, "v");
  EXPECT_EQ(t.feature_names, (std::vector<std::string>{"a", "b", "v"}));
  EXPECT_EQ(t.rows[1][0], 9.0);
  EXPECT_TRUE(std::isnan(t.rows[1][1]));
  EXPECT_EQ(t.rows[1][2], 2.0);
}

}  // namespace
}  // namespace tessaly
