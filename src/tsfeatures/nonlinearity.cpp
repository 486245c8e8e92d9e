#include "tsfeatures/nonlinearity.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"
#include "tsfeatures/least_squares.h"

namespace tessaly {

Expected<double> nonlinearity_test(std::span<const double> y) {
  const std::vector<double> z = zscore(y);
  const std::size_t m = z.size();
  if (m <= 1) return Error{"Dimension larger than series length"};

  // Lag a[t] = z[t] against response c[t] = z[t + 1].
  const std::size_t rows = m - 1;
  const std::span<const double> a(z.data(), rows);
  const std::span<const double> c(z.data() + 1, rows);
  const std::vector<double> ones(rows, 1.0);

  const std::array<std::span<const double>, 2> linear{ones, a};
  const Expected<LeastSquaresFit> first = least_squares(linear, c);
  if (!first) return Error{first.error()};

  std::vector<double> a2(rows);
  std::vector<double> a3(rows);
  for (std::size_t t = 0; t < rows; ++t) {
    a2[t] = a[t] * a[t];
    a3[t] = a2[t] * a[t];
  }
  const std::array<std::span<const double>, 4> cubic{ones, a, a2, a3};
  const Expected<LeastSquaresFit> second = least_squares(cubic, first->residuals);
  if (!second) return Error{second.error()};

  return static_cast<double>(m) * std::log(first->ssr / second->ssr);
}

double nonlinearity(std::span<const double> y) {
  if (!all_finite(y)) return kNaN;
  const Expected<double> x2 = nonlinearity_test(y);
  if (!x2) return kNaN;
  return *x2 * 10.0 / static_cast<double>(y.size());
}

}  // namespace tessaly
