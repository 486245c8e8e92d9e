#include "catch22/sb_coarsegrain.h"

#include <array>
#include <cstddef>
#include <stdexcept>

#include "helpers/common/stats.h"

namespace tessaly {

void sb_coarse_grain(std::span<const double> x, std::string_view method,
                     std::span<std::uint64_t> labels) {
  if (method != "quantile") {
    throw std::logic_error("ERROR in sb_coarse_grain: unknown coarse-graining method");
  }
  if (labels.size() != x.size()) {
    throw std::logic_error("sb_coarse_grain: label array length differs from series length");
  }
  constexpr std::size_t kGroups = 3;
  std::array<double, kGroups + 1> th{};
  for (std::size_t k = 0; k <= kGroups; ++k) {
    th[k] = quantile(x, static_cast<double>(k) / 3.0);
  }
  th[0] = th[0] - 1.0;

  for (std::size_t i = 0; i < x.size(); ++i) {
    for (std::size_t g = 1; g <= kGroups; ++g) {
      if (th[g - 1] < x[i] && x[i] <= th[g]) {
        labels[i] = g;
        break;
      }
    }
  }
}

}  // namespace tessaly
