// Summaries of the rectangular-window periodogram.
#pragma once

#include <span>
#include <string_view>

namespace tessaly {

// summary: "area_5_1" (power in the lowest fifth of the frequencies) or "centroid"
// (angular frequency below which half the power lies). Throws
// std::invalid_argument for any other summary name.
double sp_summaries_welch_rect(std::span<const double> y, std::string_view summary, bool normalize);

double sp_summaries_welch_rect_area_5_1(std::span<const double> y, bool normalize);
double sp_summaries_welch_rect_centroid(std::span<const double> y, bool normalize);

}  // namespace tessaly
