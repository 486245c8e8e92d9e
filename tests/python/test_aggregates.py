"""Aggregates, result classes, the worker pool and cumulative extraction."""
import concurrent.futures
import json
import math
import os
import subprocess
import sys

import pytest

import tessaly
from conftest import DEGENERATE, noise, same_float

CATCH22_NAMES = [
    "CO_f1ecac", "CO_FirstMin_ac", "CO_HistogramAMI_even_2_5", "CO_trev_1_num", "MD_hrv_classic_pnn40",
    "SB_BinaryStats_mean_longstretch1", "SB_TransitionMatrix_3ac_sumdiagcov", "PD_PeriodicityWang_th0_01",
    "CO_Embed2_Dist_tau_d_expfit_meandiff", "IN_AutoMutualInfoStats_40_gaussian_fmmi",
    "FC_LocalSimple_mean1_tauresrat", "DN_OutlierInclude_p_001_mdrmd", "DN_OutlierInclude_n_001_mdrmd",
    "SP_Summaries_welch_rect_area_5_1", "SB_BinaryStats_diff_longstretch0", "SB_MotifThree_quantile_hh",
    "SC_FluctAnal_2_rsrangefit_50_1_logi_prop_r1", "SC_FluctAnal_2_dfa_50_1_2_logi_prop_r1",
    "SP_Summaries_welch_rect_centroid", "FC_LocalSimple_mean3_stderr",
]

# The single-feature function behind each aggregate entry.
CATCH22_FUNCTIONS = {
    "CO_f1ecac": "co_f1ecac_f", "CO_FirstMin_ac": "co_first_min_ac_f",
    "CO_HistogramAMI_even_2_5": "co_histogram_ami_even_2_5_f", "CO_trev_1_num": "co_trev_1_num_f",
    "MD_hrv_classic_pnn40": "md_hrv_classic_pnn40_f",
    "SB_BinaryStats_mean_longstretch1": "sb_binarystats_mean_longstretch1_f",
    "SB_TransitionMatrix_3ac_sumdiagcov": "sb_transitionmatrix_3ac_sumdiagcov_f",
    "PD_PeriodicityWang_th0_01": "pd_periodicitywang_f",
    "CO_Embed2_Dist_tau_d_expfit_meandiff": "co_embed2_dist_tau_d_expfit_meandiff_f",
    "IN_AutoMutualInfoStats_40_gaussian_fmmi": "in_automutualinfostats_40_gaussian_fmmi_f",
    "FC_LocalSimple_mean1_tauresrat": "fc_localsimple_mean1_tauresrat_f",
    "DN_OutlierInclude_p_001_mdrmd": "dn_outlierinclude_p_001_mdrmd_f",
    "DN_OutlierInclude_n_001_mdrmd": "dn_outlierinclude_n_001_mdrmd_f",
    "SP_Summaries_welch_rect_area_5_1": "sp_summaries_welch_rect_area_5_1_f",
    "SB_BinaryStats_diff_longstretch0": "sb_binarystats_diff_longsstretch0_f",
    "SB_MotifThree_quantile_hh": "sb_motifthree_quantile_hh_f",
    "SC_FluctAnal_2_rsrangefit_50_1_logi_prop_r1": "sc_fluctanal_2_rsrangefit_50_1_2_logi_prop_r1_f",
    "SC_FluctAnal_2_dfa_50_1_2_logi_prop_r1": "sc_fluctanal_2_dfa_50_1_2_logi_prop_r1_f",
    "SP_Summaries_welch_rect_centroid": "sp_summaries_welch_rect_centroid_f",
    "FC_LocalSimple_mean3_stderr": "fc_localsimple_mean3_stderr_f",
}

TSFEATURES_NAMES = ["crossing_points", "flat_spots", "lumpiness", "stability", "x_pacf5", "diff1x_pacf5",
                    "diff2x_pacf5", "seas_pacf", "hurst", "unitroot_pp", "unitroot_kpss", "nonlinearity",
                    "arch_lm", "entropy"]


def assert_same(xs, ys):
    assert len(xs) == len(ys)
    for x, y in zip(xs, ys):
        assert same_float(x, y), (x, y)


# ---- catch22_all_f ----------------------------------------------------------------

def test_catch22_names_in_order():
    assert tessaly.catch22_all_f(noise(50)).names == CATCH22_NAMES
    assert tessaly.catch22_all_f(noise(50), catch24=True).names == CATCH22_NAMES + ["DN_Spread_Std"]


@pytest.mark.parametrize("kind, y", DEGENERATE + [("short", [0.3, -1.2, 2.5, 0.1, 0.9])], ids=lambda v: str(v)[:12])
@pytest.mark.parametrize("normalize", [True, False])
def test_catch22_aggregate_equals_single_functions(kind, y, normalize):
    result = tessaly.catch22_all_f(y, normalize=normalize, catch24=True)
    singles = [getattr(tessaly, CATCH22_FUNCTIONS[n])(y, normalize=normalize) for n in CATCH22_NAMES]
    assert_same(result.values[:20], singles)
    assert same_float(result.values[20], tessaly.dn_spread_std_f(y))  # always the raw series


def test_catch22_normalize_absent_means_true(sunspots):
    assert_same(tessaly.catch22_all_f(sunspots).values, tessaly.catch22_all_f(sunspots, normalize=True).values)
    assert_same(tessaly.catch22_all_f(sunspots, None, None).values, tessaly.catch22_all_f(sunspots).values)


# ---- result classes -----------------------------------------------------------------

def test_result_attributes_are_fresh_read_only_lists(sunspots):
    r = tessaly.catch22_all_f(sunspots)
    assert isinstance(r, tessaly.Catch22Result)
    names = r.names
    assert names is not r.names and names == r.names
    names.append("extra")
    r.values.clear()
    assert len(r.names) == len(r.values) == 20
    for attribute in ("names", "values"):
        with pytest.raises(AttributeError):
            setattr(r, attribute, [])
    with pytest.raises(AttributeError):
        r.other = 1
    assert not hasattr(r, "__dict__")


@pytest.mark.parametrize("make", [
    lambda: tessaly.Catch22Result,
    lambda: tessaly.CumulativeFeatures,
    lambda: tessaly.TSFeaturesResult,
    lambda: type(tessaly.catch22_all_f([1.0, 2.0])),
], ids=["Catch22Result", "CumulativeFeatures", "TSFeaturesResult", "type-of-result"])
def test_result_classes_refuse_construction(make):
    cls = make()
    with pytest.raises(TypeError, match=f"^cannot create '{cls.__name__}' instances$"):
        cls()
    with pytest.raises(TypeError):
        cls([], [])


# ---- threads --------------------------------------------------------------------------

CHILD = """
import json, sys, tessaly
y = json.loads(sys.stdin.read())
out = {
    "catch22": tessaly.catch22_all_f(y, catch24=True).values,
    "ts": tessaly.tsfeatures_all_f(y, freq=4).values,
    "cum": tessaly.extract_catch22_features_cumulative_f(y[:60]).values,
    "tscum": tessaly.extract_tsfeatures_cumulative_f(y[:40], freq=4).values,
}
print(json.dumps({k: [repr(v) for v in (sum(vs, []) if vs and isinstance(vs[0], list) else vs)]
                  for k, vs in out.items()}))
"""


def run_child(y, threads):
    env = dict(os.environ, TESSALY_NUM_THREADS=str(threads))
    done = subprocess.run([sys.executable, "-c", CHILD], input=json.dumps(y), env=env, check=True,
                          capture_output=True, text=True)
    return json.loads(done.stdout)


@pytest.mark.skipif(os.environ.get("TESSALY_SANITIZED") == "1", reason="children lack the sanitizer runtime")
def test_results_do_not_depend_on_the_pool_size(sunspots):
    assert run_child(sunspots, 1) == run_child(sunspots, 7)


def test_concurrent_python_threads(sunspots):
    expected = tessaly.catch22_all_f(sunspots).values
    with concurrent.futures.ThreadPoolExecutor(6) as pool:
        results = list(pool.map(lambda _: tessaly.catch22_all_f(sunspots).values, range(24)))
    for values in results:
        assert_same(values, expected)


# ---- cumulative extraction -----------------------------------------------------------

def test_catch22_cumulative_table(sunspots):
    y = sunspots[:40]
    table = tessaly.extract_catch22_features_cumulative_f(y)
    assert isinstance(table, tessaly.CumulativeFeatures)
    assert table.feature_names == sorted(CATCH22_NAMES + ["VALUE"], key=lambda s: s.encode())
    assert len(table.values) == len(y)
    value = table.feature_names.index("VALUE")
    assert [row[value] for row in table.values] == y
    last = dict(zip(table.feature_names, table.values[-1]))
    whole = tessaly.catch22_all_f(y)
    for name, v in zip(whole.names, whole.values):
        assert same_float(last[name], v), name
    for k in (0, 5, 17):
        row = dict(zip(table.feature_names, table.values[k]))
        prefix = tessaly.catch22_all_f(y[:k + 1])
        assert all(same_float(row[n], v) for n, v in zip(prefix.names, prefix.values))


def test_catch22_cumulative_options():
    y = [3.0, 1.0, 4.0, 1.0, 5.0, 9.0, 2.0, 6.0]
    normalized = tessaly.extract_catch22_features_cumulative_f(y, normalize=True, catch24=True)
    names = normalized.feature_names
    assert len(names) == 22 and names.index("DN_Spread_Std") == names.index("DN_OutlierInclude_p_001_mdrmd") + 1
    assert [row[names.index("VALUE")] for row in normalized.values] == y  # raw, never normalised
    assert tessaly.extract_catch22_features_cumulative_f(y, value_column_name="x").feature_names[-1] == "x"
    assert tessaly.extract_catch22_features_cumulative_f(y, value_column_name="").feature_names[0] == ""
    clash = tessaly.extract_catch22_features_cumulative_f(y, value_column_name="CO_f1ecac")
    assert len(clash.feature_names) == 20
    column = clash.feature_names.index("CO_f1ecac")
    assert_same([row[column] for row in clash.values],
                [tessaly.co_f1ecac_f(y[:k + 1]) for k in range(len(y))])
    empty = tessaly.extract_catch22_features_cumulative_f([])
    assert empty.feature_names == [] and empty.values == []
    assert len(tessaly.extract_catch22_features_cumulative_f([1.0, 2.0, 3.0]).values) == 3


def test_value_column_name_must_be_a_string():
    with pytest.raises(TypeError, match="^argument 'value_column_name': "):
        tessaly.extract_catch22_features_cumulative_f([1.0], value_column_name=3)


# ---- tsfeatures aggregates --------------------------------------------------------------

@pytest.mark.parametrize("freq", [None, 1, 2, 4, 12])
def test_tsfeatures_all_names_and_values(sunspots, freq):
    result = tessaly.tsfeatures_all_f(sunspots, freq=freq)
    assert isinstance(result, tessaly.TSFeaturesResult)
    assert result.names == TSFEATURES_NAMES
    values = dict(zip(result.names, result.values))
    pacf = tessaly.pacf_features_f(sunspots, freq=freq)
    for key in ("x_pacf5", "diff1x_pacf5", "diff2x_pacf5", "seas_pacf"):
        assert same_float(values[key], pacf.get(key, math.nan)), key
    assert (freq is not None and freq >= 2) == (not math.isnan(values["seas_pacf"]))
    assert same_float(values["lumpiness"], tessaly.lumpiness_f(sunspots, freq=freq))
    assert same_float(values["stability"], tessaly.stability_f(sunspots, freq=freq))
    assert same_float(values["arch_lm"], tessaly.arch_stat_f(sunspots))
    for name in ("crossing_points", "flat_spots", "hurst", "unitroot_pp", "unitroot_kpss", "nonlinearity",
                 "entropy"):
        assert same_float(values[name], getattr(tessaly, name + "_f")(sunspots)), name


def zscore(y):
    """The library's z-score, step for step: left-to-right sums, divisor n - 1."""
    total = -0.0
    for v in y:
        total += v
    m = total / len(y)
    acc = -0.0
    for v in y:
        acc += (v - m) * (v - m)
    s = math.sqrt(acc / (len(y) - 1))
    return [(v - m) / s for v in y]


def test_tsfeatures_all_defaults(sunspots):
    default = tessaly.tsfeatures_all_f(sunspots).values
    assert_same(default, tessaly.tsfeatures_all_f(sunspots, normalize=False, freq=1, lags=12, demean=True).values)
    assert_same(tessaly.tsfeatures_all_f(sunspots, normalize=True).values,
                tessaly.tsfeatures_all_f(zscore(sunspots)).values)
    arch = tessaly.tsfeatures_all_f(sunspots, lags=3, demean=False).values[12]
    assert same_float(arch, tessaly.arch_stat_f(sunspots, lags=3, demean=False))


def test_tsfeatures_cumulative_columns(sunspots):
    expected = ["VALUE", "arch_lm", "crossing_points", "diff1x_pacf5", "diff2x_pacf5", "entropy", "flat_spots",
                "hurst", "lumpiness", "nonlinearity", "seas_pacf", "stability", "unitroot_kpss", "unitroot_pp",
                "x_pacf5"]
    y = sunspots[:30]
    plain = tessaly.extract_tsfeatures_cumulative_f(y)
    seasonal = tessaly.extract_tsfeatures_cumulative_f(y, freq=4)
    assert plain.feature_names == seasonal.feature_names == expected
    column = expected.index("seas_pacf")
    assert all(math.isnan(row[column]) for row in plain.values)
    assert not math.isnan(seasonal.values[-1][column])
    last = dict(zip(expected, seasonal.values[-1]))
    whole = tessaly.tsfeatures_all_f(y, freq=4)
    for name, v in zip(whole.names, whole.values):
        assert same_float(last[name], v), name


@pytest.mark.parametrize("call", [
    lambda: tessaly.tsfeatures_all_f([1.0, 2.0], freq=0),
    lambda: tessaly.extract_tsfeatures_cumulative_f([1.0, 2.0], freq=0),
    lambda: tessaly.lumpiness_f([1.0, 2.0], freq=0),
    lambda: tessaly.stability_f([1.0, 2.0], freq=0),
])
def test_freq_zero_is_refused(call):
    with pytest.raises(ValueError, match="^freq must be at least 1$"):
        call()
