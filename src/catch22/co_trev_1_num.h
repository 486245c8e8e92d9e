#pragma once

#include <span>

namespace tessaly {

// Mean cubed first difference (time-reversal asymmetry at lag 1). NaN for a series
// holding a NaN, for n = 1 and for the empty series; infinities propagate.
double co_trev_1_num(std::span<const double> y, bool normalize);

}  // namespace tessaly
