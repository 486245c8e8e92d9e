// Scaling of the fluctuations of the cumulative sum with window size, summarised by
// the position of the best two-segment break in the log-log fluctuation curve.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tessaly {

// method: "dfa" (root mean squared detrended residual) or "rsrangefit" (root mean
// squared residual range). Throws std::invalid_argument for lag 0, a lag longer
// than the series, or an unknown method; every other input gives a value.
double fluct_anal_prop_r1(std::span<const double> y, std::uint64_t lag, std::string_view method,
                          bool normalize);

double sc_fluctanal_2_dfa_50_1_2_logi_prop_r1(std::span<const double> y, bool normalize);
double sc_fluctanal_2_rsrangefit_50_1_logi_prop_r1(std::span<const double> y, bool normalize);

}  // namespace tessaly
