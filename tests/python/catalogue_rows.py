"""The module's entries in registration order, with their text signatures."""

CLASSES = ["Catch22Result", "CumulativeFeatures", "TSFeaturesResult", "CombinedResult"]

_N = "(y, normalize=None)"
ROWS = [
    ("catch22_all_f", "(y, normalize=None, catch24=None)"),
    ("co_trev_1_num_f", _N),
    ("co_f1ecac_f", _N),
    ("co_first_min_ac_f", _N),
    ("co_histogram_ami_even_2_5_f", _N),
    ("md_hrv_classic_pnn40_f", _N),
    ("dn_spread_std_f", "(y)"),
    ("sb_binarystats_diff_longsstretch0_f", _N),
    ("sb_binarystats_mean_longstretch1_f", _N),
    ("sb_transitionmatrix_3ac_sumdiagcov_f", _N),
    ("pd_periodicitywang_f", _N),
    ("co_embed2_dist_tau_d_expfit_meandiff_f", _N),
    ("in_automutualinfostats_40_gaussian_fmmi_f", _N),
    ("fc_localsimple_mean1_tauresrat_f", _N),
    ("fc_localsimple_mean3_stderr_f", _N),
    ("dn_outlierinclude_p_001_mdrmd_f", _N),
    ("dn_outlierinclude_n_001_mdrmd_f", _N),
    ("sp_summaries_welch_rect_area_5_1_f", _N),
    ("sp_summaries_welch_rect_centroid_f", _N),
    ("sb_motifthree_quantile_hh_f", _N),
    ("sc_fluctanal_2_dfa_50_1_2_logi_prop_r1_f", _N),
    ("sc_fluctanal_2_rsrangefit_50_1_2_logi_prop_r1_f", _N),
    ("extract_catch22_features_cumulative_f", "(series, normalize=None, catch24=None, value_column_name=None)"),
    ("sy_driftingmean50_min_f", _N),
    ("sy_slidingwindow_f", "(y, window_stat, across_win_stat, num_seg, inc_move, normalize)"),
    ("st_localextrema_n100_diffmaxabsmin_f", "(y, normalize)"),
    ("ph_walker_momentum_5_w_momentumzcross_f", _N),
    ("ph_walker_biasprop_05_01_sw_meanabsdiff_f", _N),
    ("in_automutualinfostats_diff_20_gaussian_ami8_f", _N),
    ("fc_looplocalsimple_mean_stderr_chn_f", _N),
    ("co_translateshape_circle_35_pts_statav4_m_f", _N),
    ("co_translateshape_circle_35_pts_std_f", _N),
    ("co_histogram_ami_even_10_1_f", _N),
    ("co_histogram_ami_even_10_3_f", _N),
    ("co_histogram_ami_even_2_3_f", _N),
    ("co_addnoise_1_even_10_ami_at_10_f", _N),
    ("ac_nl_035_f", _N),
    ("ac_nl_036_f", _N),
    ("ac_nl_112_f", _N),
    ("dn_removepoints_absclose_05_ac2rat_f", _N),
    ("sc_fluctanal_2_dfa_50_2_logi_r2_se2_f", _N),
    ("crossing_points_f", "(y)"),
    ("entropy_f", "(y)"),
    ("flat_spots_f", "(y)"),
    ("lumpiness_f", "(y, freq=1)"),
    ("stability_f", "(y, freq=1)"),
    ("hurst_f", "(y)"),
    ("nonlinearity_f", "(y)"),
    ("pacf_features_f", "(y, freq=1)"),
    ("unitroot_kpss_f", "(y, freq=1)"),
    ("unitroot_pp_f", "(y, freq=1)"),
    ("arch_stat_f", "(y, lags=12, demean=True)"),
    ("tsfeatures_all_f", "(y, normalize=None, freq=1, lags=12, demean=True)"),
    ("extract_tsfeatures_cumulative_f",
     "(series, normalize=None, freq=None, lags=12, demean=True, value_column_name=None)"),
] + [(f"dn_{k}_f", "(y)") for k in (
    "mean_arithmetic", "median", "harmonic_mean", "geometric_mean", "rms_mean", "iqm_mean", "midhinge_mean",
    "histogrammode_5", "histogrammode_10", "histogrammode_12", "histogrammode_21", "histogrammode_52",
    "trimmed_mean_1", "trimmed_mean_5", "trimmed_mean_10", "trimmed_mean_25", "trimmed_mean_50")] + [
    ("compute_hctsa_parallel_f", "(y, normalize)"),
    ("combined_all_f",
     "(y, normalize=None, catch24=None, catchamouse16=None, hctsa=None, freq=None, lags=12, demean=True)"),
    ("extract_combined_features_cumulative_f",
     "(series, normalize=None, catch24=None, catchamouse16=None, hctsa=None, freq=None, lags=12, demean=True, "
     "value_column_name=None)"),
]

SIGNATURES = dict(ROWS)


def registration_order():
    """The 78 names of __all__: classes interleaved with the function rows."""
    names = [n for n, _ in ROWS]
    return CLASSES[:2] + names[:41] + [CLASSES[2]] + names[41:72] + [CLASSES[3]] + names[72:]
