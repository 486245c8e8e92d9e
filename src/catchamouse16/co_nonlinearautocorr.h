// Nonlinear autocorrelation: the mean of w[t] * w[t - tau1] * w[t - tau2] * w[t - tau3].
#pragma once

#include <cstdint>
#include <span>

namespace tessaly {

struct NonlinearLags {
  std::uint64_t tau1;
  std::uint64_t tau2;
  std::uint64_t tau3;  // the largest lag
};

double co_nonlinearautocorr(std::span<const double> y, NonlinearLags lags, bool normalize);

double ac_nl_035(std::span<const double> y, bool normalize);
double ac_nl_036(std::span<const double> y, bool normalize);
double ac_nl_112(std::span<const double> y, bool normalize);

}  // namespace tessaly
