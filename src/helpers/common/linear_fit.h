// Ordinary least-squares straight line in closed form from four running sums.
#pragma once

#include <span>

#include "helpers/common/expected.h"

namespace tessaly {

struct LineFit {
  double slope;
  double intercept;
};

inline constexpr const char* kSingularMatrix = "Singular matrix. Can't solve the problem.";

// Error kSingularMatrix when the x values cannot determine a line (D exactly 0).
// x and y must have the same length.
Expected<LineFit> linear_fit(std::span<const double> x, std::span<const double> y);

}  // namespace tessaly
