#include "catch22/splinefit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace tessaly {

namespace {

constexpr int kOrder = 4;                 // cubic: four coefficients per polynomial
constexpr int kPieces = 2;
constexpr int kWeights = kPieces + kOrder - 1;  // five free parameters
constexpr int kRows = 32;                 // 8 blocks of 4 rows

using Row = std::array<double, kOrder>;

// Truncating real-to-int32 conversion that saturates (NaN gives 0).
std::int32_t to_int32_saturating(double v) {
  if (std::isnan(v)) return 0;
  if (v <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
    return std::numeric_limits<std::int32_t>::min();
  if (v >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(v);
}

std::int32_t saturate_int32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

double horner(const Row& p, double u) {
  double v = p[0];
  v = v * u + p[1];
  v = v * u + p[2];
  v = v * u + p[3];
  return v;
}

// Local basis polynomials of both pieces, built by the recursive construction on
// the periodically extended spacings h1, h0, h1, h0, ...
std::array<std::array<Row, kOrder>, kPieces> local_basis(std::int32_t h0, std::int32_t h1) {
  const std::array<std::int32_t, 8> ext = {h1, h0, h1, h0, h1, h0, h1, h0};

  std::array<Row, kRows> c{};
  std::array<double, kRows> hr{};
  for (int r = 0; r < kRows; ++r) {
    if (r % 4 == 0) c[r][0] = 1.0;
    hr[r] = static_cast<double>(ext[std::min(r % 4 + r / 4, 7)]);
  }

  std::array<double, kRows> q{};
  for (int k = 1; k < kOrder; ++k) {
    for (int j = 0; j < k; ++j)
      for (int r = 0; r < kRows; ++r) c[r][j] = hr[r] / static_cast<double>(k - j) * c[r][j];

    for (int r = 0; r < kRows; ++r) {
      double s = -0.0;
      for (int j = 0; j < kOrder; ++j) s += c[r][j];
      q[r] = s;
    }
    for (int r = 0; r < kRows; ++r)
      if (r % 4 != 0) q[r] += q[r - 1];

    for (int r = 0; r < kRows; ++r) c[r][k] = r % 4 == 0 ? 0.0 : q[r - 1];

    for (int j = 0; j <= k; ++j)
      for (int r = 0; r < kRows; ++r) c[r][j] /= q[4 * (r / 4) + 3];

    for (int r = 0; r + 3 < kRows; ++r)
      for (int j = 0; j <= k; ++j) c[r][j] -= c[r + 3][j];

    for (int r = 0; r < kRows; r += 4) c[r][k] = 0.0;
  }

  std::array<double, kRows> s{};
  s.fill(1.0);
  for (int k = 0; k < kOrder - 1; ++k) {
    for (int r = 0; r < kRows; ++r) {
      s[r] = s[r] / hr[r];
      c[r][2 - k] *= s[r];
    }
  }

  std::array<std::array<Row, kOrder>, kPieces> basis{};
  constexpr std::array<std::array<int, kOrder>, kPieces> rows = {{{3, 6, 9, 12}, {7, 10, 13, 16}}};
  for (int p = 0; p < kPieces; ++p)
    for (int l = 0; l < kOrder; ++l) basis[p][l] = c[rows[p][l]];
  return basis;
}

}  // namespace

std::vector<double> spline_fit(std::span<const double> w) {
  const std::size_t n = w.size();
  const double half = std::floor(static_cast<double>(n) * 0.5);
  const std::int32_t b1 = to_int32_saturating(half - 1.0);
  const std::int32_t h0 = b1;
  const std::int32_t h1 = saturate_int32(static_cast<std::int64_t>(n) - static_cast<std::int64_t>(half));

  const auto basis = local_basis(h0, h1);

  auto piece_of = [b1](std::size_t i) {
    return static_cast<std::int64_t>(i) >= static_cast<std::int64_t>(b1) ? 1 : 0;
  };
  auto local_u = [b1](std::size_t i, int p) {
    return static_cast<double>(i) - static_cast<double>(p) * static_cast<double>(b1);
  };

  // Normal equations M = A'A, g = A'w, every entry summed over all positions in
  // increasing order, zero entries of the design matrix included.
  std::array<std::array<double, kWeights>, kWeights> m;
  std::array<double, kWeights> g;
  for (auto& row : m) row.fill(-0.0);
  g.fill(-0.0);
  for (std::size_t i = 0; i < n; ++i) {
    const int p = piece_of(i);
    const double u = local_u(i, p);
    std::array<double, kWeights> a{};
    for (int l = 0; l < kOrder; ++l) a[l + p] = horner(basis[p][l], u);
    for (int r = 0; r < kWeights; ++r) {
      for (int col = 0; col < kWeights; ++col) m[r][col] += a[r] * a[col];
      g[r] += a[r] * w[i];
    }
  }

  // Gaussian elimination without pivoting, then back substitution.
  for (int i = 0; i < kWeights; ++i) {
    for (int j = i + 1; j < kWeights; ++j) {
      const double f = m[j][i] / m[i][i];
      g[j] = g[j] - f * g[i];
      for (int col = i; col < kWeights; ++col) m[j][col] = m[j][col] - f * m[i][col];
    }
  }
  std::array<double, kWeights> x{};
  for (int i = kWeights - 1; i >= 0; --i) {
    double v = g[i];
    for (int col = i + 1; col < kWeights; ++col) v = v - x[col] * m[i][col];
    x[i] = v / m[i][i];
  }

  // Piece polynomials: every weight contributes, those outside the piece through a
  // zero coefficient (which still turns an infinite weight into NaN).
  std::array<Row, kPieces> poly{};
  for (int p = 0; p < kPieces; ++p) {
    for (int col = 0; col < kOrder; ++col) {
      double s = -0.0;
      for (int b = 0; b < kWeights; ++b) {
        const int l = b - p;
        const double coef = (l >= 0 && l < kOrder) ? basis[p][l][col] : 0.0;
        s += coef * x[b];
      }
      poly[p][col] = s;
    }
  }

  std::vector<double> fitted(n);
  for (std::size_t i = 0; i < n; ++i) {
    const int p = piece_of(i);
    fitted[i] = horner(poly[p], local_u(i, p));
  }
  return fitted;
}

}  // namespace tessaly
