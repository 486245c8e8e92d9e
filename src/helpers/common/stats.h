// Basic statistics shared by every family. Sums run left to right from -0.0 in one
// pass; order statistics use a stable ascending sort of a private copy. Functions
// that return a float return NaN as soon as the input holds a NaN, unless noted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tessaly {

// kind: "arithmetic", "rms", "harmonic", "geometric", "midhinge", "iqm"; absent or
// unknown selects "arithmetic".
double mean_by_kind(std::span<const double> x, std::optional<std::string_view> kind = std::nullopt);
double mean(std::span<const double> x);  // arithmetic mean
double sample_variance(std::span<const double> x);
double sample_std(std::span<const double> x);
// [NaN] when x holds a NaN; empty for empty x.
std::vector<double> zscore(std::span<const double> x);
double series_median(std::span<const double> x);
// NaN for an empty series.
double quantile(std::span<const double> x, double p);
// 0 for an empty sequence; ties go to the smallest value.
std::int32_t int_mode(std::span<const std::int32_t> v);
std::vector<double> first_differences(std::span<const double> x);
std::vector<double> cumulative_sum(std::span<const double> x);
std::vector<double> linspace(double a, double b, std::size_t count);

// Left-to-right sums starting from -0.0.
double sum(std::span<const double> x);

}  // namespace tessaly
