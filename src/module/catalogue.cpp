// The catalogue: every module entry, in registration order. One row per Python
// function gives its name, parameters with their kinds and defaults, the number of
// required leading parameters, and what it computes. Method definitions, text
// signatures, argument matching and __all__ all come from this table.
#include "module/catalogue.h"

#include <array>
#include <iterator>
#include <utility>

#include "catch22/catch22.h"
#include "catchamouse16/catchamouse16.h"
#include "module/pyref.h"
#include "module/result_types.h"
#include "parallel/catch22/catch22_list.h"
#include "parallel/tsfeatures/tsfeatures_list.h"
#include "tsfeatures/tsfeatures.h"

namespace tessaly::py {
namespace {

// ---- parameters ----------------------------------------------------------------

constexpr Param kY{"y", Kind::Series, nullptr};
constexpr Param kSeries{"series", Kind::Series, nullptr};
constexpr Param kNormalize{"normalize", Kind::OptionalBool, "None"};
constexpr Param kNormalizeRequired{"normalize", Kind::OptionalBool, nullptr};
constexpr Param kCatch24{"catch24", Kind::OptionalBool, "None"};
constexpr Param kValueColumn{"value_column_name", Kind::OptionalString, "None"};
constexpr Param kFreqOne{"freq", Kind::OptionalUInt, "1"};
constexpr Param kFreqNone{"freq", Kind::OptionalUInt, "None"};
constexpr Param kFreqInt32{"freq", Kind::Int32, "1"};
constexpr Param kLags{"lags", Kind::UInt, "12"};
constexpr Param kDemean{"demean", Kind::Bool, "True"};

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

constexpr const char* kValueColumnDefault = "VALUE";

// A freq of 0 has no seasonal window; refused where it reaches stability or lumpiness.
bool valid_freq(const std::optional<std::uint64_t>& freq) {
  if (freq && *freq == 0) {
    PyErr_SetString(PyExc_ValueError, "freq must be at least 1");
    return false;
  }
  return true;
}

bool at_least_one(std::uint64_t value, const char* name) {
  if (value == 0) {
    PyErr_Format(PyExc_ValueError, "%s must be at least 1", name);
    return false;
  }
  return true;
}

// ---- aggregate and special rows ---------------------------------------------------

PyObject* catch22_all(const Args& a) {
  auto [names, values] = evaluate_catch22(a.series(), a.flag(1, true), a.flag(2, false));
  return make_named_values(ClassId::Catch22Result, std::move(names), std::move(values));
}

PyObject* catch22_cumulative(const Args& a) {
  auto table = extract_catch22_cumulative(a.series(), a.flag(1, true), a.flag(2, false), a.text(3, kValueColumnDefault));
  return make_cumulative(std::move(table.feature_names), std::move(table.rows));
}

PyObject* sliding_window(const Args& a) {
  const std::uint64_t num_seg = a.uint(3, 0);
  const std::uint64_t inc_move = a.uint(4, 0);
  if (!at_least_one(num_seg, "num_seg") || !at_least_one(inc_move, "inc_move")) return nullptr;
  return to_float(sy_slidingwindow(a.series(), a.text(1, ""), a.text(2, ""), num_seg, inc_move, a.flag(5, false)));
}

template <double (*F)(std::span<const double>, std::optional<std::uint64_t>)>
PyObject* seasonal(const Args& a) {
  const auto freq = a.optional_uint(1, 1);
  if (!valid_freq(freq)) return nullptr;
  return to_float(F(a.series(), freq));
}

PyObject* pacf_dict(const Args& a) {
  Ref dict = Ref::steal(PyDict_New());
  if (!dict) return nullptr;
  for (const auto& [name, value] : pacf_features(a.series(), a.optional_uint(1, 1))) {
    Ref key = Ref::steal(to_str(name));
    Ref number = Ref::steal(to_float(value));
    if (PyDict_SetItem(dict.get(), key.get(), number.get()) < 0) return nullptr;
  }
  return dict.release();
}

// The freq of the unit-root tests is converted (and so checked) but not used.
template <double (*F)(std::span<const double>)>
PyObject* ignoring_freq(const Args& a) {
  return to_float(F(a.series()));
}

PyObject* arch(const Args& a) { return to_float(arch_stat(a.series(), a.uint(1, 12), a.flag(2, true))); }

TSFeaturesOptions tsfeatures_options(const Args& a, std::size_t first, std::optional<std::uint64_t> freq_if_absent) {
  return {a.optional_uint(first, freq_if_absent), a.uint(first + 1, 12), a.flag(first + 2, true)};
}

PyObject* tsfeatures_all(const Args& a) {
  const auto options = tsfeatures_options(a, 2, 1);
  if (!valid_freq(options.freq)) return nullptr;
  auto [names, values] = evaluate_tsfeatures(a.series(), a.flag(1, false), options);
  return make_named_values(ClassId::TSFeaturesResult, std::move(names), std::move(values));
}

PyObject* tsfeatures_cumulative(const Args& a) {
  const auto options = tsfeatures_options(a, 2, std::nullopt);
  if (!valid_freq(options.freq)) return nullptr;
  auto table = extract_tsfeatures_cumulative(a.series(), a.flag(1, false), options, a.text(5, kValueColumnDefault));
  return make_cumulative(std::move(table.feature_names), std::move(table.rows));
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
    row("catch22_all_f", {kY, kNormalize, kCatch24}, 1, catch22_all),
    normalized<&co_trev_1_num, kNormalizes>("co_trev_1_num_f"),
    normalized<&co_f1ecac, kNormalizes>("co_f1ecac_f"),
    normalized<&co_firstmin_ac, kNormalizes>("co_first_min_ac_f"),
    normalized<&co_histogramami_even_2_5, kNormalizes>("co_histogram_ami_even_2_5_f"),
    normalized<&md_hrv_classic_pnn40, kNormalizes>("md_hrv_classic_pnn40_f"),
    plain<&dn_spread_std>("dn_spread_std_f"),
    normalized<&sb_binarystats_diff_longstretch0, kNormalizes>("sb_binarystats_diff_longsstretch0_f"),
    normalized<&sb_binarystats_mean_longstretch1, kNormalizes>("sb_binarystats_mean_longstretch1_f"),
    normalized<&sb_transitionmatrix_3ac_sumdiagcov, kNormalizes>("sb_transitionmatrix_3ac_sumdiagcov_f"),
    normalized<&pd_periodicitywang_th0_01, kNormalizes>("pd_periodicitywang_f"),
    normalized<&co_embed2_dist_tau_d_expfit_meandiff, kNormalizes>("co_embed2_dist_tau_d_expfit_meandiff_f"),
    normalized<&in_automutualinfostats_40_gaussian_fmmi, kNormalizes>("in_automutualinfostats_40_gaussian_fmmi_f"),
    normalized<&fc_localsimple_mean1_tauresrat, kNormalizes>("fc_localsimple_mean1_tauresrat_f"),
    normalized<&fc_localsimple_mean3_stderr, kNormalizes>("fc_localsimple_mean3_stderr_f"),
    normalized<&dn_outlierinclude_p_001_mdrmd, kNormalizes>("dn_outlierinclude_p_001_mdrmd_f"),
    normalized<&dn_outlierinclude_n_001_mdrmd, kNormalizes>("dn_outlierinclude_n_001_mdrmd_f"),
    normalized<&sp_summaries_welch_rect_area_5_1, kNormalizes>("sp_summaries_welch_rect_area_5_1_f"),
    normalized<&sp_summaries_welch_rect_centroid, kNormalizes>("sp_summaries_welch_rect_centroid_f"),
    normalized<&sb_motifthree_quantile_hh, kNormalizes>("sb_motifthree_quantile_hh_f"),
    normalized<&sc_fluctanal_2_dfa_50_1_2_logi_prop_r1, kNormalizes>("sc_fluctanal_2_dfa_50_1_2_logi_prop_r1_f"),
    normalized<&sc_fluctanal_2_rsrangefit_50_1_logi_prop_r1, kNormalizes>(
        "sc_fluctanal_2_rsrangefit_50_1_2_logi_prop_r1_f"),
    row("extract_catch22_features_cumulative_f", {kSeries, kNormalize, kCatch24, kValueColumn}, 1,
        catch22_cumulative),

    // catchaMouse16 family
    normalized<&sy_driftingmean50_min, kKeepsRaw>("sy_driftingmean50_min_f"),
    row("sy_slidingwindow_f",
        {kY, {"window_stat", Kind::String}, {"across_win_stat", Kind::String}, {"num_seg", Kind::UInt},
         {"inc_move", Kind::UInt}, kNormalizeRequired},
        6, sliding_window),
    row("st_localextrema_n100_diffmaxabsmin_f", {kY, kNormalizeRequired}, 2,
        &invoke_normalized<&st_localextrema_n100_diffmaxabsmin, kKeepsRaw>),
    normalized<&ph_walker_momentum_5_w_momentumzcross, kKeepsRaw>("ph_walker_momentum_5_w_momentumzcross_f"),
    normalized<&ph_walker_biasprop_05_01_sw_meanabsdiff, kKeepsRaw>("ph_walker_biasprop_05_01_sw_meanabsdiff_f"),
    normalized<&in_automutualinfostats_diff_20_gaussian_ami8, kKeepsRaw>(
        "in_automutualinfostats_diff_20_gaussian_ami8_f"),
    normalized<&fc_looplocalsimple_mean_stderr_chn, kKeepsRaw>("fc_looplocalsimple_mean_stderr_chn_f"),
    normalized<&co_translateshape_circle_35_pts_statav4_m, kKeepsRaw>("co_translateshape_circle_35_pts_statav4_m_f"),
    normalized<&co_translateshape_circle_35_pts_std, kKeepsRaw>("co_translateshape_circle_35_pts_std_f"),
    normalized<&co_histogramami_even_10_1, kNormalizes>("co_histogram_ami_even_10_1_f"),
    normalized<&co_histogramami_even_10_3, kNormalizes>("co_histogram_ami_even_10_3_f"),
    normalized<&co_histogramami_even_2_3, kNormalizes>("co_histogram_ami_even_2_3_f"),
    normalized<&co_addnoise_1_even_10_ami_at_10, kNormalizes>("co_addnoise_1_even_10_ami_at_10_f"),
    normalized<&ac_nl_035, kNormalizes>("ac_nl_035_f"),
    normalized<&ac_nl_036, kNormalizes>("ac_nl_036_f"),
    normalized<&ac_nl_112, kNormalizes>("ac_nl_112_f"),
    normalized<&dn_removepoints_absclose_05_ac2rat, kNormalizes>("dn_removepoints_absclose_05_ac2rat_f"),
    normalized<&sc_fluctanal_2_dfa_50_2_logi_r2_se2, kNormalizes>("sc_fluctanal_2_dfa_50_2_logi_r2_se2_f"),

    class_entry(ClassId::TSFeaturesResult, "TSFeaturesResult"),

    // tsfeatures family
    plain<&crossing_points>("crossing_points_f"),
    plain<&entropy>("entropy_f"),
    plain<&flat_spots>("flat_spots_f"),
    row("lumpiness_f", {kY, kFreqOne}, 1, seasonal<&lumpiness>),
    row("stability_f", {kY, kFreqOne}, 1, seasonal<&stability>),
    plain<&hurst>("hurst_f"),
    plain<&nonlinearity>("nonlinearity_f"),
    row("pacf_features_f", {kY, kFreqOne}, 1, pacf_dict),
    row("unitroot_kpss_f", {kY, kFreqInt32}, 1, ignoring_freq<&unitroot_kpss>),
    row("unitroot_pp_f", {kY, kFreqInt32}, 1, ignoring_freq<&unitroot_pp>),
    row("arch_stat_f", {kY, kLags, kDemean}, 1, arch),
    row("tsfeatures_all_f", {kY, kNormalize, kFreqOne, kLags, kDemean}, 1, tsfeatures_all),
    row("extract_tsfeatures_cumulative_f", {kSeries, kNormalize, kFreqNone, kLags, kDemean, kValueColumn}, 1,
        tsfeatures_cumulative),
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
