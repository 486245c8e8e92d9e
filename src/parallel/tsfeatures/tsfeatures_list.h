// The tsfeatures feature list and its evaluator.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "parallel/common/cumulative.h"
#include "parallel/common/feature_list.h"

namespace tessaly {

struct TSFeaturesOptions {
  std::optional<std::uint64_t> freq;  // no value: no seasonal period given
  std::uint64_t lags = 12;
  bool demean = true;
};

// The 14 tsfeatures statistics in output order (seas_pacf in position 8).
FeatureList build_tsfeatures_list(const TSFeaturesOptions& options);

Evaluation evaluate_tsfeatures(std::span<const double> series, bool normalize, const TSFeaturesOptions& options);

Table extract_tsfeatures_cumulative(std::span<const double> series, bool normalize, const TSFeaturesOptions& options,
                                    const std::string& value_column);

}  // namespace tessaly
