// Heart-rate-variability statistic on successive differences.
#pragma once

#include <span>

namespace tessaly {

// Share of successive differences whose magnitude, scaled by 1000, exceeds 40.
double md_hrv_classic_pnn40(std::span<const double> y, bool normalize);

}  // namespace tessaly
