"""Every single-feature function: its normalize convention, its special arguments,
and survival of every kind of series."""
import math

import numpy as np
import pytest

import tessaly
from conftest import DEGENERATE, noise, same_float

# Functions taking (y, normalize=None), with what an absent normalize means.
NORMALIZES = [
    "co_trev_1_num_f", "co_f1ecac_f", "co_first_min_ac_f", "co_histogram_ami_even_2_5_f", "md_hrv_classic_pnn40_f",
    "sb_binarystats_diff_longsstretch0_f", "sb_binarystats_mean_longstretch1_f",
    "sb_transitionmatrix_3ac_sumdiagcov_f", "pd_periodicitywang_f", "co_embed2_dist_tau_d_expfit_meandiff_f",
    "in_automutualinfostats_40_gaussian_fmmi_f", "fc_localsimple_mean1_tauresrat_f", "fc_localsimple_mean3_stderr_f",
    "dn_outlierinclude_p_001_mdrmd_f", "dn_outlierinclude_n_001_mdrmd_f", "sp_summaries_welch_rect_area_5_1_f",
    "sp_summaries_welch_rect_centroid_f", "sb_motifthree_quantile_hh_f", "sc_fluctanal_2_dfa_50_1_2_logi_prop_r1_f",
    "sc_fluctanal_2_rsrangefit_50_1_2_logi_prop_r1_f",
    "co_histogram_ami_even_10_1_f", "co_histogram_ami_even_10_3_f", "co_histogram_ami_even_2_3_f",
    "co_addnoise_1_even_10_ami_at_10_f", "ac_nl_035_f", "ac_nl_036_f", "ac_nl_112_f",
    "dn_removepoints_absclose_05_ac2rat_f", "sc_fluctanal_2_dfa_50_2_logi_r2_se2_f",
]
KEEPS_RAW = [
    "sy_driftingmean50_min_f", "ph_walker_momentum_5_w_momentumzcross_f", "ph_walker_biasprop_05_01_sw_meanabsdiff_f",
    "in_automutualinfostats_diff_20_gaussian_ami8_f", "fc_looplocalsimple_mean_stderr_chn_f",
    "co_translateshape_circle_35_pts_statav4_m_f", "co_translateshape_circle_35_pts_std_f",
]
PLAIN = ["dn_spread_std_f", "crossing_points_f", "entropy_f", "flat_spots_f", "hurst_f", "nonlinearity_f",
         "lumpiness_f", "stability_f", "unitroot_kpss_f", "unitroot_pp_f", "arch_stat_f"]
INTEGER_VALUED = ["co_first_min_ac_f", "sb_binarystats_diff_longsstretch0_f", "sb_binarystats_mean_longstretch1_f",
                  "pd_periodicitywang_f", "in_automutualinfostats_40_gaussian_fmmi_f", "crossing_points_f", "flat_spots_f"]


def sliding(y, normalize):
    return tessaly.sy_slidingwindow_f(y, "std", "std", 5, 2, normalize)


def local_extrema(y, normalize):
    return tessaly.st_localextrema_n100_diffmaxabsmin_f(y, normalize)


def every_call():
    for name in NORMALIZES + KEEPS_RAW:
        for flag in (True, False):
            yield f"{name}-{flag}", (lambda fn, f: lambda y: fn(y, normalize=f))(getattr(tessaly, name), flag)
    for flag in (True, False, None):
        yield f"sliding-{flag}", (lambda f: lambda y: sliding(y, f))(flag)
        yield f"extrema-{flag}", (lambda f: lambda y: local_extrema(y, f))(flag)
    for name in PLAIN:
        yield name, getattr(tessaly, name)


CALLS = dict(every_call())


@pytest.mark.parametrize("kind, y", DEGENERATE, ids=[k for k, _ in DEGENERATE])
def test_every_function_survives_every_series(kind, y):
    for label, call in CALLS.items():
        assert isinstance(call(y), float), label
    assert isinstance(tessaly.pacf_features_f(y), dict)


@pytest.mark.parametrize("name", NORMALIZES + KEEPS_RAW)
def test_normalize_absent_and_none(name):
    fn = getattr(tessaly, name)
    y = noise(120, seed=3)
    default = name in NORMALIZES
    assert same_float(fn(y), fn(y, normalize=default))
    assert same_float(fn(y, None), fn(y, normalize=default))


def test_required_normalize_accepts_none_and_means_raw():
    y = [v * 3 + 10 for v in noise(300, seed=4)]
    assert same_float(local_extrema(y, None), local_extrema(y, False))
    assert same_float(sliding(y, None), sliding(y, False))
    with pytest.raises(TypeError, match="missing 1 required positional argument: 'normalize'"):
        tessaly.st_localextrema_n100_diffmaxabsmin_f(y)
    with pytest.raises(TypeError, match="missing 1 required positional argument: 'normalize'"):
        tessaly.sy_slidingwindow_f(y, "std", "std", 5, 2)


@pytest.mark.parametrize("flag", [1, 0, 1.0, "yes", [True]])
def test_normalize_must_be_a_bool(flag):
    with pytest.raises(TypeError, match="^argument 'normalize': "):
        tessaly.co_f1ecac_f([1.0, 2.0, 3.0], normalize=flag)


def test_numpy_bools_are_bools():
    y = noise(50)
    assert same_float(tessaly.co_f1ecac_f(y, normalize=np.bool_(False)), tessaly.co_f1ecac_f(y, normalize=False))
    assert same_float(tessaly.co_f1ecac_f(y, normalize=np.True_), tessaly.co_f1ecac_f(y, normalize=True))


@pytest.mark.parametrize("name", INTEGER_VALUED)
def test_integer_valued_features(name, sunspots):
    value = getattr(tessaly, name)(sunspots)
    assert value == int(value)


# ---- special arguments ----------------------------------------------------------------

def test_sliding_window_arguments():
    y = noise(200, seed=5)
    assert math.isnan(tessaly.sy_slidingwindow_f(y, "median", "std", 5, 2, None))  # unknown statistic
    for name, args in (("num_seg", (0, 2)), ("inc_move", (5, 0))):
        with pytest.raises(ValueError, match=f"^{name} must be at least 1$"):
            tessaly.sy_slidingwindow_f(y, "std", "std", *args, None)
    with pytest.raises(TypeError, match="^argument 'window_stat': "):
        tessaly.sy_slidingwindow_f(y, 1, "std", 5, 2, None)
    with pytest.raises(OverflowError):
        tessaly.sy_slidingwindow_f(y, "std", "std", -1, 2, None)
    assert same_float(tessaly.sy_slidingwindow_f(y, "std", "std", np.int64(5), 2, False), sliding(y, False))


def test_seasonal_freq(sunspots):
    for fn in (tessaly.lumpiness_f, tessaly.stability_f):
        assert same_float(fn(sunspots), fn(sunspots, freq=1))
        assert same_float(fn(sunspots, 10), fn(sunspots, freq=10))
        fn(sunspots, None)  # no frequency given: its own rule
        with pytest.raises(OverflowError):
            fn(sunspots, freq=-1)
        with pytest.raises(TypeError, match="^argument 'freq': "):
            fn(sunspots, freq=2.0)
    assert tessaly.pacf_features_f(sunspots) == tessaly.pacf_features_f(sunspots, freq=1)


def test_pacf_features_keys(sunspots):
    assert set(tessaly.pacf_features_f(sunspots)) == {"x_pacf5", "diff1x_pacf5", "diff2x_pacf5"}
    assert set(tessaly.pacf_features_f(sunspots, freq=4)) == {"x_pacf5", "diff1x_pacf5", "diff2x_pacf5", "seas_pacf"}
    assert "seas_pacf" not in tessaly.pacf_features_f(sunspots, None)


def test_unit_root_freq_is_checked_and_ignored(sunspots):
    for fn in (tessaly.unitroot_kpss_f, tessaly.unitroot_pp_f):
        expected = fn(sunspots)
        for freq in (7, -3, 0, 2**31 - 1, None):
            assert same_float(fn(sunspots, freq=freq), expected)
        for freq in (2**40, -2**31 - 1, 2**70):
            with pytest.raises(OverflowError, match="^out of range integral type conversion attempted$"):
                fn(sunspots, freq=freq)
        with pytest.raises(TypeError, match="^argument 'freq': "):
            fn(sunspots, freq=1.5)


def test_arch_stat_arguments(sunspots):
    assert same_float(tessaly.arch_stat_f(sunspots), tessaly.arch_stat_f(sunspots, 12, True))
    for bad in ({"lags": None}, {"demean": None}, {"demean": 1}):
        with pytest.raises(TypeError):
            tessaly.arch_stat_f(sunspots, **bad)
    with pytest.raises(OverflowError):
        tessaly.arch_stat_f(sunspots, lags=2**64)
    assert isinstance(tessaly.arch_stat_f(sunspots, lags=2**64 - 1), float)
