import math
import pathlib

import numpy as np
import pytest

DATA = pathlib.Path(__file__).resolve().parents[2] / "data"


def load_csv(name):
    lines = (DATA / name).read_text().splitlines()[1:]
    return [float(line.split(",")[-1]) for line in lines if line]


@pytest.fixture(scope="session")
def sunspots():
    return load_csv("sunspots_yearly.csv")


@pytest.fixture(scope="session")
def nile():
    return load_csv("nile_flow.csv")


def noise(n, seed=0):
    return list(np.random.default_rng(seed).standard_normal(n))


# Series kinds every feature must survive (name, series).
DEGENERATE = [
    ("empty", []),
    ("one", [1.5]),
    ("two", [1.0, 2.0]),
    ("three", [3.0, 1.0, 2.0]),
    ("constant", [4.0] * 50),
    ("nan", [1.0, 2.0, float("nan")] + [0.5] * 40),
    ("inf", [1.0, float("inf")] + [0.5] * 40),
    ("neg_inf", [1.0, float("-inf")] + [0.5] * 40),
    ("huge", [1e300 * (i % 7 - 3) for i in range(60)]),
    ("tiny_step", [1e17 + 16.0 * (i % 5) for i in range(60)]),
    ("ramp", [float(i) for i in range(64)]),
    ("noise", noise(300)),
]


def same_float(a, b):
    """Equal to the bit, NaN equal to NaN."""
    return (math.isnan(a) and math.isnan(b)) or (a == b and math.copysign(1, a) == math.copysign(1, b))
