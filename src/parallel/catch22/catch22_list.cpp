#include "parallel/catch22/catch22_list.h"

#include "catch22/catch22.h"

namespace tessaly {
namespace {

struct Catch22Entry {
  const char* name;
  double (*compute)(std::span<const double>, bool);
};

// Output order of the aggregate.
constexpr Catch22Entry kCatch22[] = {
    {"CO_f1ecac", co_f1ecac},
    {"CO_FirstMin_ac", co_firstmin_ac},
    {"CO_HistogramAMI_even_2_5", co_histogramami_even_2_5},
    {"CO_trev_1_num", co_trev_1_num},
    {"MD_hrv_classic_pnn40", md_hrv_classic_pnn40},
    {"SB_BinaryStats_mean_longstretch1", sb_binarystats_mean_longstretch1},
    {"SB_TransitionMatrix_3ac_sumdiagcov", sb_transitionmatrix_3ac_sumdiagcov},
    {"PD_PeriodicityWang_th0_01", pd_periodicitywang_th0_01},
    {"CO_Embed2_Dist_tau_d_expfit_meandiff", co_embed2_dist_tau_d_expfit_meandiff},
    {"IN_AutoMutualInfoStats_40_gaussian_fmmi", in_automutualinfostats_40_gaussian_fmmi},
    {"FC_LocalSimple_mean1_tauresrat", fc_localsimple_mean1_tauresrat},
    {"DN_OutlierInclude_p_001_mdrmd", dn_outlierinclude_p_001_mdrmd},
    {"DN_OutlierInclude_n_001_mdrmd", dn_outlierinclude_n_001_mdrmd},
    {"SP_Summaries_welch_rect_area_5_1", sp_summaries_welch_rect_area_5_1},
    {"SB_BinaryStats_diff_longstretch0", sb_binarystats_diff_longstretch0},
    {"SB_MotifThree_quantile_hh", sb_motifthree_quantile_hh},
    {"SC_FluctAnal_2_rsrangefit_50_1_logi_prop_r1", sc_fluctanal_2_rsrangefit_50_1_logi_prop_r1},
    {"SC_FluctAnal_2_dfa_50_1_2_logi_prop_r1", sc_fluctanal_2_dfa_50_1_2_logi_prop_r1},
    {"SP_Summaries_welch_rect_centroid", sp_summaries_welch_rect_centroid},
    {"FC_LocalSimple_mean3_stderr", fc_localsimple_mean3_stderr},
};

}  // namespace

FeatureList build_catch22_list(bool catch24) {
  FeatureList list;
  list.reserve(std::size(kCatch22) + 1);
  for (const auto& entry : kCatch22) list.push_back({entry.name, entry.compute});
  if (catch24) list.push_back({"DN_Spread_Std", [](std::span<const double> y, bool) { return dn_spread_std(y); }});
  return list;
}

Evaluation evaluate_catch22(std::span<const double> series, bool normalize, bool catch24) {
  return evaluate_list(series, normalize, build_catch22_list(catch24));
}

Table extract_catch22_cumulative(std::span<const double> series, bool normalize, bool catch24,
                                 const std::string& value_column) {
  return cumulative_extract(
      series, [&](std::span<const double> window) { return evaluate_catch22(window, normalize, catch24); },
      value_column);
}

}  // namespace tessaly
