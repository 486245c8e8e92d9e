// Expanding-window extraction: a feature set evaluated on every prefix of a series.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "parallel/common/feature_list.h"

namespace tessaly {

struct Table {
  std::vector<std::string> feature_names;
  std::vector<std::vector<double>> rows;
};

using WindowSet = std::function<Evaluation(std::span<const double> window)>;

// Row k describes series[0..k] next to series[k] under value_column. Columns are
// the names of the first window sorted bytewise; a name that occurs more than once
// in a window keeps its last value, so a value column named like a feature holds
// the feature.
Table cumulative_extract(std::span<const double> series, const WindowSet& set, const std::string& value_column);

}  // namespace tessaly
