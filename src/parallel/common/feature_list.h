// Feature objects, ordered feature lists and their parallel evaluation.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

namespace tessaly {

struct FeatureObject {
  std::string name;
  std::function<double(std::span<const double> series, bool normalize)> compute;
};

using FeatureList = std::vector<FeatureObject>;

struct Evaluation {
  std::vector<std::string> names;
  std::vector<double> values;
};

// Evaluates every object once on the worker pool, passing the series and flag
// unchanged; entry i of the result comes from object i whatever the scheduling.
Evaluation evaluate_list(std::span<const double> series, bool normalize, const FeatureList& list);

// As evaluate_list, after replacing the series by its z-score when normalize is set.
Evaluation evaluate_feature_list(std::span<const double> series, bool normalize, const FeatureList& list);

}  // namespace tessaly
