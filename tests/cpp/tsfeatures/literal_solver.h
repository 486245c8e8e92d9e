// A plain, unoptimised least-squares solve used as the bit-exact reference for the
// regression-based tsfeatures tests: every entry of the normal equations summed on
// its own (both triangles), partial pivoting, elimination over the augmented row,
// and back substitution subtracting one known term at a time in increasing column.
#pragma once

#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

namespace tessaly::test {

struct LiteralFit {
  bool ok = false;
  std::vector<double> beta;
  std::vector<double> residuals;
  double ssr = 0.0;
};

// columns: k columns of N values; v: N values.
inline LiteralFit literal_solve(const std::vector<std::vector<double>>& columns,
                                const std::vector<double>& v) {
  const std::size_t k = columns.size();
  const std::size_t rows = v.size();
  std::vector<std::vector<double>> a(k, std::vector<double>(k + 1));
  for (std::size_t i = 0; i < k; ++i) {
    for (std::size_t j = 0; j < k; ++j) {
      double s = -0.0;
      for (std::size_t t = 0; t < rows; ++t) s += columns[i][t] * columns[j][t];
      a[i][j] = s;
    }
    double s = -0.0;
    for (std::size_t t = 0; t < rows; ++t) s += columns[i][t] * v[t];
    a[i][k] = s;
  }
  LiteralFit fit;
  for (std::size_t c = 0; c < k; ++c) {
    std::size_t p = c;
    for (std::size_t r = c + 1; r < k; ++r)
      if (std::fabs(a[r][c]) > std::fabs(a[p][c])) p = r;
    std::swap(a[c], a[p]);
    if (std::fabs(a[c][c]) < 1e-10) return fit;
    for (std::size_t r = c + 1; r < k; ++r) {
      const double f = a[r][c] / a[c][c];
      for (std::size_t j = c; j <= k; ++j) a[r][j] = a[r][j] - f * a[c][j];
    }
  }
  fit.beta.assign(k, 0.0);
  for (std::size_t i = k; i-- > 0;) {
    double x = a[i][k];
    for (std::size_t j = i + 1; j < k; ++j) x = x - a[i][j] * fit.beta[j];
    fit.beta[i] = x / a[i][i];
  }
  fit.residuals.resize(rows);
  fit.ssr = -0.0;
  for (std::size_t t = 0; t < rows; ++t) {
    double f = -0.0;
    for (std::size_t i = 0; i < k; ++i) f += columns[i][t] * fit.beta[i];
    fit.residuals[t] = v[t] - f;
    fit.ssr += fit.residuals[t] * fit.residuals[t];
  }
  fit.ok = true;
  return fit;
}

}  // namespace tessaly::test
