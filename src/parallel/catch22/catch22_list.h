// The catch22 feature list and its evaluator.
#pragma once

#include <span>
#include <string>

#include "parallel/common/cumulative.h"
#include "parallel/common/feature_list.h"

namespace tessaly {

// The 20 catch22 features in output order, then DN_Spread_Std when catch24 is set.
FeatureList build_catch22_list(bool catch24);

// Evaluates the list on the series as given; each feature z-scores its own copy
// when normalize is set, DN_Spread_Std always measures the series as passed.
Evaluation evaluate_catch22(std::span<const double> series, bool normalize, bool catch24);

Table extract_catch22_cumulative(std::span<const double> series, bool normalize, bool catch24,
                                 const std::string& value_column);

}  // namespace tessaly
