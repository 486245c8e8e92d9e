#include "tsfeatures/least_squares.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

namespace tessaly {

namespace {

// Sum over t of a[t] * b[t], left to right from -0.0.
double dot(std::span<const double> a, std::span<const double> b) {
  double s = -0.0;
  for (std::size_t t = 0; t < a.size(); ++t) s += a[t] * b[t];
  return s;
}

}  // namespace

std::vector<double> normal_equations(std::span<const std::span<const double>> columns,
                                     std::span<const double> response) {
  const std::size_t k = columns.size();
  for (const auto& col : columns)
    if (col.size() != response.size())
      throw std::invalid_argument("least_squares: column length mismatch");
  const std::size_t width = k + 1;
  if (k != 0 && width > std::numeric_limits<std::size_t>::max() / sizeof(double) / k)
    throw std::bad_alloc();
  std::vector<double> aug(k * width);
  // X_i . X_j and X_j . X_i multiply the same pairs in the same order, so the
  // lower triangle is a copy of the upper one, bit for bit.
  for (std::size_t i = 0; i < k; ++i) {
    for (std::size_t j = i; j < k; ++j) {
      const double s = dot(columns[i], columns[j]);
      aug[i * width + j] = s;
      aug[j * width + i] = s;
    }
    aug[i * width + k] = dot(columns[i], response);
  }
  return aug;
}

Expected<LeastSquaresFit> least_squares(std::span<const std::span<const double>> columns,
                                        std::span<const double> response) {
  const std::size_t k = columns.size();
  const std::size_t rows = response.size();
  if (k == 0 || rows == 0) throw std::invalid_argument("least_squares: empty system");

  std::vector<double> aug = normal_equations(columns, response);
  const std::size_t width = k + 1;
  auto at = [&](std::size_t i, std::size_t j) -> double& { return aug[i * width + j]; };

  for (std::size_t c = 0; c < k; ++c) {
    // First row holding the largest magnitude; later rows win only when strictly larger.
    std::size_t pivot = c;
    double best = std::fabs(at(c, c));
    for (std::size_t r = c + 1; r < k; ++r) {
      const double mag = std::fabs(at(r, c));
      if (mag > best) {
        best = mag;
        pivot = r;
      }
    }
    if (pivot != c)
      for (std::size_t j = 0; j < width; ++j) std::swap(at(c, j), at(pivot, j));
    if (std::fabs(at(c, c)) < kSingularPivot) return Error{"Singular matrix"};
    for (std::size_t r = c + 1; r < k; ++r) {
      const double f = at(r, c) / at(c, c);
      for (std::size_t j = c; j < width; ++j) at(r, j) = at(r, j) - f * at(c, j);
    }
  }

  // Back substitution; the known terms are subtracted one at a time in increasing j.
  std::vector<double> beta(k);
  for (std::size_t i = k; i-- > 0;) {
    double acc = at(i, k);
    for (std::size_t j = i + 1; j < k; ++j) acc = acc - at(i, j) * beta[j];
    beta[i] = acc / at(i, i);
  }

  std::vector<double> residuals(rows);
  double ssr = -0.0;
  for (std::size_t t = 0; t < rows; ++t) {
    double fitted = -0.0;
    for (std::size_t i = 0; i < k; ++i) fitted += columns[i][t] * beta[i];
    residuals[t] = response[t] - fitted;
    ssr += residuals[t] * residuals[t];
  }
  return LeastSquaresFit{std::move(beta), std::move(residuals), ssr};
}

}  // namespace tessaly
