"""Invariants over generated series."""
import math

from hypothesis import HealthCheck, given, settings
from hypothesis import strategies as st

import tessaly
from conftest import same_float
from test_features import CALLS, NORMALIZES

finite = st.floats(min_value=-1e6, max_value=1e6, allow_nan=False, allow_infinity=False)
# Values whose squares and products neither underflow nor overflow, so that a
# power-of-two rescaling is exact all the way through.
moderate = st.integers(-10**7, 10**7).map(lambda i: i / 64)
series = st.lists(moderate, min_size=0, max_size=120)
anything = st.lists(st.floats(allow_nan=True, allow_infinity=True), max_size=60)
power_of_two = st.sampled_from([0.25, 2.0, 1024.0])

SETTINGS = settings(max_examples=40, deadline=None, suppress_health_check=[HealthCheck.too_slow])


@SETTINGS
@given(y=series, scale=power_of_two)
def test_normalised_features_ignore_exact_rescaling(y, scale):
    # Scaling by a power of two is exact, so the z-scored series is the same to the bit.
    scaled = [v * scale for v in y]
    for name in NORMALIZES:
        fn = getattr(tessaly, name)
        assert same_float(fn(y, normalize=True), fn(scaled, normalize=True)), name
    a = tessaly.catch22_all_f(y).values
    b = tessaly.catch22_all_f(scaled).values
    assert all(same_float(x, z) for x, z in zip(a, b))


@SETTINGS
@given(y=anything)
def test_any_floats_give_floats(y):
    for label, call in CALLS.items():
        assert isinstance(call(y), float), label
    r = tessaly.catch22_all_f(y, catch24=True)
    assert len(r.names) == len(r.values) == 21
    assert len(tessaly.tsfeatures_all_f(y, freq=3).values) == 14


@SETTINGS
@given(y=st.lists(finite, min_size=1, max_size=25))
def test_cumulative_rows_are_prefix_aggregates(y):
    table = tessaly.extract_catch22_features_cumulative_f(y, catch24=True)
    for k in (0, len(y) - 1):
        row = dict(zip(table.feature_names, table.values[k]))
        assert row["VALUE"] == y[k]
        whole = tessaly.catch22_all_f(y[:k + 1], catch24=True)
        assert all(same_float(row[n], v) for n, v in zip(whole.names, whole.values))


@SETTINGS
@given(y=st.lists(finite, min_size=2, max_size=80))
def test_spread_std_is_the_sample_standard_deviation(y):
    m = math.fsum(y) / len(y)
    expected = math.sqrt(math.fsum((v - m) ** 2 for v in y) / (len(y) - 1))
    assert math.isclose(tessaly.dn_spread_std_f(y), expected, rel_tol=1e-9, abs_tol=1e-9)
