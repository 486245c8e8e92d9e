// Stationarity measure: a statistic of each sliding window, summarised across the
// windows and scaled by the spread of the whole series.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tessaly {

// Windows of length floor(m / num_seg), stepped by floor(length / inc_move) (1 when
// the window is shorter than inc_move). window_stat: "mean" or "std"; across_win_stat:
// "std". Unknown names, num_seg == 0 and inc_move == 0 give NaN.
double sy_slidingwindow(std::span<const double> y, std::string_view window_stat,
                        std::string_view across_win_stat, std::uint64_t num_seg,
                        std::uint64_t inc_move, bool normalize);

double sy_slidingwindow_std_std_5_2(std::span<const double> y, bool normalize);
double sy_slidingwindow_mean_std_5_2(std::span<const double> y, bool normalize);

}  // namespace tessaly
