#pragma once

#include <span>

namespace tessaly {

// Outlier inclusion with sign +1 (p) or -1 (n).
double dn_outlierinclude(std::span<const double> y, bool normalize, int sign);
double dn_outlierinclude_p_001_mdrmd(std::span<const double> y, bool normalize);
double dn_outlierinclude_n_001_mdrmd(std::span<const double> y, bool normalize);

}  // namespace tessaly
