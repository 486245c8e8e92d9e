#include "catchamouse16/co_nonlinearautocorr.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "helpers/common/stats.h"
#include "shape_info_series.h"

namespace tessaly {
namespace {

TEST(Cm16NonlinearAutocorr, HandComputedMeans) {
  using Fn = double (*)(std::span<const double>, bool);
  struct Case {
    Fn fn;
    std::vector<double> y;
    double expected;
    const char* why;
  };
  const std::vector<Case> cases = {
      {ac_nl_035, {1, 2, 3, 4, 5, 6}, 6.0 * 6 * 3 * 1, "one product w5^2 w2 w0"},
      {ac_nl_035, {1, 2, 3, 4, 5, 6, 7}, (6.0 * 6 * 3 * 1 + 7.0 * 7 * 4 * 2) / 2, "two products"},
      {ac_nl_036, {1, 2, 3, 4, 5, 6, 7}, 7.0 * 7 * 4 * 1, "w6^2 w3 w0"},
      {ac_nl_112, {1, 2, 3, 4}, (3.0 * 2 * 2 * 1 + 4.0 * 3 * 3 * 2) / 2, "w[t] w[t-1]^2 w[t-2]"},
      {ac_nl_112, {2, -1, 3}, 3.0 * -1 * -1 * 2, "signs kept"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(c.fn(c.y, false), c.expected);
  }
}

TEST(Cm16NonlinearAutocorr, ProductsTakenLeftToRightOnZscoredSeries) {
  // On non-integer data the grouping of the four factors shows in the last bits:
  // ((w[t] * w[t-tau1]) * w[t-tau2]) * w[t-tau3], summed from t = tau3 upwards.
  using Fn = double (*)(std::span<const double>, bool);
  const struct {
    Fn fn;
    std::size_t a, b, c;
  } lags[] = {{ac_nl_035, 0, 3, 5}, {ac_nl_036, 0, 3, 6}, {ac_nl_112, 1, 1, 2}};
  const auto y = testing::uniform_series(301, 5);
  const auto w = zscore(y);
  for (const auto& l : lags) {
    SCOPED_TRACE(l.c);
    double s = -0.0;
    for (std::size_t t = l.c; t < w.size(); ++t) s += ((w[t] * w[t - l.a]) * w[t - l.b]) * w[t - l.c];
    EXPECT_EQ(l.fn(y, true), s / static_cast<double>(w.size() - l.c));
  }
}

TEST(Cm16NonlinearAutocorr, LargestLagMustBeBelowLength) {
  const std::vector<double> five = {1, 2, 3, 4, 5};
  const std::vector<double> six = {1, 2, 3, 4, 5, 6};
  EXPECT_TRUE(std::isnan(ac_nl_035(five, false)));
  EXPECT_TRUE(std::isnan(ac_nl_036(six, false)));
  EXPECT_TRUE(std::isnan(ac_nl_112(std::vector<double>{1, 2}, false)));
  // Lags out of order would read before the start of the series.
  EXPECT_TRUE(std::isnan(co_nonlinearautocorr(six, {4, 1, 2}, false)));
}

}  // namespace
}  // namespace tessaly
