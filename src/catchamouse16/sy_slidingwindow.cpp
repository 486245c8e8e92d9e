#include "catchamouse16/sy_slidingwindow.h"

#include <cstddef>
#include <vector>

#include "helpers/common/numeric.h"
#include "helpers/common/stats.h"

namespace tessaly {

namespace {

enum class WindowStat { kMean, kStd };

}  // namespace

double sy_slidingwindow(std::span<const double> y, std::string_view window_stat,
                        std::string_view across_win_stat, std::uint64_t num_seg,
                        std::uint64_t inc_move, bool normalize) {
  if (has_nan(y)) return kNaN;
  WindowStat stat;
  if (window_stat == "mean") {
    stat = WindowStat::kMean;
  } else if (window_stat == "std") {
    stat = WindowStat::kStd;
  } else {
    return kNaN;
  }
  // Only the standard deviation across windows is defined.
  if (across_win_stat != "std") return kNaN;
  // Both would divide by zero when forming the window length or the step.
  if (num_seg == 0 || inc_move == 0) return kNaN;

  const std::vector<double> w = normalize ? zscore(y) : std::vector<double>(y.begin(), y.end());
  const std::uint64_t m = w.size();
  const std::uint64_t len = m / num_seg;
  const std::uint64_t step = len < inc_move ? 1 : len / inc_move;
  const std::uint64_t count = (m - len) / step + 1;

  std::vector<double> stats;
  stats.reserve(count);
  const std::span<const double> ws(w);
  for (std::uint64_t k = 0; k < count; ++k) {
    const auto window = ws.subspan(k * step, len);
    double v;
    if (stat == WindowStat::kStd) {
      v = (len < 2 || has_nan(window)) ? kNaN : sample_std(window);
    } else {
      v = mean(window);  // NaN for an empty window
    }
    if (std::isnan(v)) return kNaN;
    stats.push_back(v);
  }
  return sample_std(stats) / sample_std(w);
}

double sy_slidingwindow_std_std_5_2(std::span<const double> y, bool normalize) {
  return sy_slidingwindow(y, "std", "std", 5, 2, normalize);
}

double sy_slidingwindow_mean_std_5_2(std::span<const double> y, bool normalize) {
  return sy_slidingwindow(y, "mean", "std", 5, 2, normalize);
}

}  // namespace tessaly
