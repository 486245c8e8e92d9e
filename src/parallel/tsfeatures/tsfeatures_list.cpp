#include "parallel/tsfeatures/tsfeatures_list.h"

#include "helpers/common/numeric.h"
#include "tsfeatures/tsfeatures.h"

namespace tessaly {
namespace {

// One key of the partial-autocorrelation group; NaN when the group does not
// report it (seas_pacf without a period of at least 2, series too short).
FeatureObject pacf_entry(std::string key, std::optional<std::uint64_t> freq) {
  return {key, [key, freq](std::span<const double> y, bool) {
            for (const auto& [name, value] : pacf_features(y, freq))
              if (name == key) return value;
            return kNaN;
          }};
}

}  // namespace

FeatureList build_tsfeatures_list(const TSFeaturesOptions& options) {
  const auto freq = options.freq;
  const auto lags = options.lags;
  const bool demean = options.demean;
  FeatureList list;
  list.reserve(14);
  list.push_back({"crossing_points", [](std::span<const double> y, bool) { return crossing_points(y); }});
  list.push_back({"flat_spots", [](std::span<const double> y, bool) { return flat_spots(y); }});
  list.push_back({"lumpiness", [freq](std::span<const double> y, bool) { return lumpiness(y, freq); }});
  list.push_back({"stability", [freq](std::span<const double> y, bool) { return stability(y, freq); }});
  list.push_back(pacf_entry("x_pacf5", freq));
  list.push_back(pacf_entry("diff1x_pacf5", freq));
  list.push_back(pacf_entry("diff2x_pacf5", freq));
  list.push_back(pacf_entry("seas_pacf", freq));
  list.push_back({"hurst", [](std::span<const double> y, bool) { return hurst(y); }});
  list.push_back({"unitroot_pp", [](std::span<const double> y, bool) { return unitroot_pp(y); }});
  list.push_back({"unitroot_kpss", [](std::span<const double> y, bool) { return unitroot_kpss(y); }});
  list.push_back({"nonlinearity", [](std::span<const double> y, bool) { return nonlinearity(y); }});
  list.push_back({"arch_lm", [lags, demean](std::span<const double> y, bool) { return arch_stat(y, lags, demean); }});
  list.push_back({"entropy", [](std::span<const double> y, bool) { return entropy(y); }});
  return list;
}

Evaluation evaluate_tsfeatures(std::span<const double> series, bool normalize, const TSFeaturesOptions& options) {
  return evaluate_feature_list(series, normalize, build_tsfeatures_list(options));
}

Table extract_tsfeatures_cumulative(std::span<const double> series, bool normalize, const TSFeaturesOptions& options,
                                    const std::string& value_column) {
  return cumulative_extract(
      series, [&](std::span<const double> window) { return evaluate_tsfeatures(window, normalize, options); },
      value_column);
}

}  // namespace tessaly
