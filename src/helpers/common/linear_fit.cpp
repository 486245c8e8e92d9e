#include "helpers/common/linear_fit.h"

#include <stdexcept>

namespace tessaly {

Expected<LineFit> linear_fit(std::span<const double> x, std::span<const double> y) {
  if (x.size() != y.size()) throw std::invalid_argument("linear_fit: x and y differ in length");
  const double n = static_cast<double>(x.size());
  double sx = -0.0, sxx = -0.0, sxy = -0.0, sy = -0.0;
  for (double v : x) sx += v;
  for (double v : x) sxx += v * v;
  for (std::size_t i = 0; i < x.size(); ++i) sxy += x[i] * y[i];
  for (double v : y) sy += v;
  const double d = sxx * n - sx * sx;
  // Only an exact zero is singular; a NaN determinant passes and yields NaN.
  if (d == 0.0) return Error{kSingularMatrix};
  return LineFit{(n * sxy - sx * sy) / d, (sxx * sy - sx * sxy) / d};
}

}  // namespace tessaly
