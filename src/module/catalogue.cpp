// The catalogue: every module entry, in registration order. One row per Python
// function gives its name, parameters with their kinds and defaults, the number of
// required leading parameters, and what it computes. Method definitions, text
// signatures, argument matching and __all__ all come from this table.
#include "module/catalogue.h"

#include <array>
#include <iterator>
#include <utility>

#include "catch22/dn_outlierinclude.h"
#include "catch22/dn_spread_std.h"
#include "module/result_types.h"

namespace tessaly::py {
namespace {

// ---- parameters ----------------------------------------------------------------

constexpr Param kY{"y", Kind::Series, nullptr};
constexpr Param kNormalize{"normalize", Kind::OptionalBool, "None"};

// ---- row builders ----------------------------------------------------------------

using NormalizedFeature = double (*)(std::span<const double>, bool);
using PlainFeature = double (*)(std::span<const double>);

// What an absent or None normalize means for a row.
inline constexpr bool kNormalizes = true;
inline constexpr bool kKeepsRaw = false;

template <NormalizedFeature F, bool kByDefault>
PyObject* invoke_normalized(const Args& a) {
  return to_float(F(a.series(), a.flag(1, kByDefault)));
}

template <PlainFeature F>
PyObject* invoke_plain(const Args& a) {
  return to_float(F(a.series()));
}

constexpr Entry row(const char* name, std::initializer_list<Param> params, std::size_t required, Invoke invoke) {
  Entry e;
  e.name = name;
  std::size_t i = 0;
  for (const Param& p : params) e.params[i++] = p;
  e.param_count = params.size();
  e.required = required;
  e.invoke = invoke;
  return e;
}

// f(y, normalize=None)
template <NormalizedFeature F, bool kByDefault>
constexpr Entry normalized(const char* name) {
  return row(name, {kY, kNormalize}, 1, &invoke_normalized<F, kByDefault>);
}

// f(y)
template <PlainFeature F>
constexpr Entry plain(const char* name) {
  return row(name, {kY}, 1, &invoke_plain<F>);
}

// ---- the table -------------------------------------------------------------------

constexpr Entry kEntries[] = {
    class_entry(ClassId::Catch22Result, "Catch22Result"),
    class_entry(ClassId::CumulativeFeatures, "CumulativeFeatures"),

    // catch22 family
    plain<&dn_spread_std>("dn_spread_std_f"),
    //TMP normalized<&dn_outlierinclude_p_001_mdrmd, kNormalizes>("dn_outlierinclude_p_001_mdrmd_f"),
    //TMP normalized<&dn_outlierinclude_n_001_mdrmd, kNormalizes>("dn_outlierinclude_n_001_mdrmd_f"),
};

template <std::size_t I>
PyObject* entry_point(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return call(kEntries[I], args, nargs, kwnames);
}

template <std::size_t... I>
constexpr std::array<FastCallWithKeywords, sizeof...(I)> entry_points(std::index_sequence<I...>) {
  return {&entry_point<I>...};
}

constexpr auto kEntryPoints = entry_points(std::make_index_sequence<std::size(kEntries)>{});

}  // namespace

std::span<const Entry> catalogue() { return kEntries; }

FastCallWithKeywords trampoline(std::size_t i) { return kEntryPoints.at(i); }

}  // namespace tessaly::py
