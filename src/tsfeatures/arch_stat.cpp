#include "tsfeatures/arch_stat.h"

#include <cmath>
#include <cstddef>
#include <vector>

#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"
#include "tsfeatures/least_squares.h"

namespace tessaly {

namespace {
// R^2 falls back to a perfect/no fit below this total sum of squares.
constexpr double kTinySst = 1e-10;
}  // namespace

double arch_stat(std::span<const double> y, std::uint64_t lags, bool demean) {
  const std::size_t n = y.size();
  // lags + 1 >= n, written so that a huge lags cannot wrap.
  if (n == 0 || lags >= n - 1) return kNaN;
  const std::size_t p = static_cast<std::size_t>(lags);

  std::vector<double> sq(n);
  if (demean) {
    const double mu = mean(y);
    if (std::isnan(mu)) return kNaN;
    for (std::size_t t = 0; t < n; ++t) {
      const double u = y[t] - mu;
      sq[t] = u * u;
    }
  } else {
    for (std::size_t t = 0; t < n; ++t) sq[t] = y[t] * y[t];
  }

  // Rows t = p .. n - 1. The regressor s[t - j] over those rows is the contiguous
  // run sq[p - j .. n - 1 - j], so the design matrix is a set of views into sq.
  const std::size_t rows = n - p;
  const std::span<const double> all(sq);
  const std::span<const double> response = all.subspan(p, rows);
  const std::vector<double> ones(rows, 1.0);
  std::vector<std::span<const double>> columns;
  columns.reserve(p + 1);
  columns.emplace_back(ones);
  for (std::size_t j = 1; j <= p; ++j) columns.push_back(all.subspan(p - j, rows));

  const Expected<LeastSquaresFit> fit = least_squares(columns, response);
  if (!fit) return kNaN;

  const double ybar = sum(response) / static_cast<double>(rows);
  double sst = -0.0;
  for (double s : response) sst += (s - ybar) * (s - ybar);
  const double ssr = fit->ssr;

  if (sst == 0.0) return ssr == 0.0 ? 1.0 : 0.0;
  if (sst > 0.0 && sst < kTinySst) return ssr < kTinySst ? 1.0 : 0.0;
  return 1.0 - ssr / sst;
}

}  // namespace tessaly
