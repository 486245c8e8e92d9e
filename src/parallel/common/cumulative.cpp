#include "parallel/common/cumulative.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

#include "parallel/common/worker_pool.h"

namespace tessaly {
namespace {

constexpr std::size_t kValueSlot = std::numeric_limits<std::size_t>::max();  // the window's raw value
constexpr std::size_t kMissing = kValueSlot - 1;                              // name absent: NaN

// For one window's names: where each distinct name finds its (last) value.
// kValueSlot stands for the window's raw value.
std::unordered_map<std::string, std::size_t> record_layout(const std::vector<std::string>& names,
                                                           const std::string& value_column) {
  std::unordered_map<std::string, std::size_t> layout;
  layout[value_column] = kValueSlot;
  for (std::size_t i = 0; i < names.size(); ++i) layout[names[i]] = i;
  return layout;
}

}  // namespace

Table cumulative_extract(std::span<const double> series, const WindowSet& set, const std::string& value_column) {
  const std::size_t n = series.size();
  Table table;
  if (n == 0) return table;

  std::vector<Evaluation> windows(n);
  // Every prefix is evaluated on its own; a span over the prefix reads the same
  // values a copy would.
  parallel_for(n, [&](std::size_t k) { windows[k] = set(series.first(k + 1)); });

  const std::vector<std::string> first_names = windows[0].names;
  const auto first_layout = record_layout(first_names, value_column);
  table.feature_names.reserve(first_layout.size());
  for (const auto& entry : first_layout) table.feature_names.push_back(entry.first);
  std::sort(table.feature_names.begin(), table.feature_names.end());  // bytewise on UTF-8

  auto columns_for = [&](const std::unordered_map<std::string, std::size_t>& layout) {
    std::vector<std::size_t> slots;
    slots.reserve(table.feature_names.size());
    for (const auto& name : table.feature_names) {
      const auto it = layout.find(name);
      slots.push_back(it == layout.end() ? kMissing : it->second);
    }
    return slots;
  };
  const std::vector<std::size_t> first_columns = columns_for(first_layout);

  table.rows.resize(n);
  for (std::size_t k = 0; k < n; ++k) {
    const Evaluation& w = windows[k];
    // All windows evaluate the same set; only a window whose names differ needs
    // its own layout.
    const std::vector<std::size_t> own_columns =
        w.names == first_names ? std::vector<std::size_t>{} : columns_for(record_layout(w.names, value_column));
    const std::vector<std::size_t>& columns = own_columns.empty() ? first_columns : own_columns;
    std::vector<double>& row = table.rows[k];
    row.reserve(columns.size());
    for (const std::size_t slot : columns) {
      if (slot == kValueSlot)
        row.push_back(series[k]);
      else if (slot == kMissing)
        row.push_back(std::numeric_limits<double>::quiet_NaN());
      else
        row.push_back(w.values[slot]);
    }
    windows[k] = Evaluation{};  // free the window as soon as its row is built
  }
  return table;
}

}  // namespace tessaly
