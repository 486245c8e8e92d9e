// Equal-width histograms, labelling by edges and counting by edges.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tessaly {

struct Histogram {
  std::vector<std::int32_t> counts;  // b entries
  std::vector<double> edges;         // b + 1 entries
};

// Equal-width histogram over the data range (NaN ignored for the range, counted in
// bin 0). bins >= 1.
Histogram histcounts(std::span<const double> y, std::uint64_t bins);

// Label = smallest j with x < e[j], 0 when there is none.
std::vector<std::int32_t> bin_assign(std::span<const double> y, std::span<const double> edges);

// Count j = smallest j with x <= e[j]; values above every edge are not counted.
std::vector<std::int32_t> count_by_edges(std::span<const double> y, std::span<const double> edges);

}  // namespace tessaly
