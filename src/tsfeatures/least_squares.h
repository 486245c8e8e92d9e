// Ordinary least squares through the normal equations, solved by Gaussian
// elimination with partial pivoting. Shared by the nonlinearity test and the ARCH
// LM regression.
#pragma once

#include <span>
#include <vector>

#include "helpers/common/expected.h"

namespace tessaly {

// A pivot smaller than this in magnitude makes the system singular.
inline constexpr double kSingularPivot = 1e-10;

struct LeastSquaresFit {
  std::vector<double> coefficients;  // one per column, in column order
  std::vector<double> residuals;     // response minus fitted value, per row
  double ssr;                        // sum of squared residuals
};

// The augmented normal equations [X'X | X'v], row-major, k rows of k + 1 entries.
// Every column must have the response's length (std::invalid_argument otherwise).
std::vector<double> normal_equations(std::span<const std::span<const double>> columns,
                                     std::span<const double> response);

// Regresses `response` (N values) on `columns` (k columns of N values each).
// Requires N >= 1, k >= 1 and equal lengths (std::invalid_argument otherwise).
// Returns the error "Singular matrix" when a chosen pivot is below kSingularPivot.
Expected<LeastSquaresFit> least_squares(std::span<const std::span<const double>> columns,
                                        std::span<const double> response);

}  // namespace tessaly
