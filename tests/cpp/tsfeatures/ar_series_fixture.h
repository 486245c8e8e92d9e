// A 40-value series shared by the regression-based tsfeatures tests: a noisy,
// mildly nonlinear first-order autoregression rounded to three decimals.
#pragma once

#include <array>

namespace tessaly::test {

inline constexpr std::array<double, 40> kArSeries = {
    0.094,  0.623,  0.432,  0.173,  -0.725, -0.946, 0.26,   0.729,  1.772,  1.195,
    1.317,  1.121,  -0.758, 0.101,  0.627,  1.16,   -0.776, -2.509, -2.109, -1.47,
    -0.637, -0.715, -0.205, -0.885, -0.516, -0.173, -0.867, 0.901,  1.389,  2.137,
    0.39,   -0.294, -0.687, -0.813, -0.155, 0.064,  -0.371, -1.382, -1.46,  0.279};

}  // namespace tessaly::test
