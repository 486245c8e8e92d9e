#include "parallel/common/feature_list.h"

#include <atomic>

#include "helpers/common/internal_error.h"
#include "helpers/common/stats.h"
#include "parallel/common/worker_pool.h"

namespace tessaly {

Evaluation evaluate_list(std::span<const double> series, bool normalize, const FeatureList& list) {
  Evaluation out;
  out.names.resize(list.size());
  out.values.resize(list.size());
  std::atomic<std::size_t> done{0};
  parallel_for(list.size(), [&](std::size_t i) {
    out.names[i] = list[i].name;
    out.values[i] = list[i].compute(series, normalize);
    done.fetch_add(1, std::memory_order_relaxed);
  });
  check(done.load() == list.size(), "a feature list produced fewer results than entries");
  return out;
}

Evaluation evaluate_feature_list(std::span<const double> series, bool normalize, const FeatureList& list) {
  if (!normalize) return evaluate_list(series, normalize, list);
  const std::vector<double> z = zscore(series);
  return evaluate_list(z, normalize, list);
}

}  // namespace tessaly
