"""The module frame: registration, signatures, argument matching and conversion."""
import inspect
import math

import numpy as np
import pytest

import tessaly
from catalogue_rows import SIGNATURES, registration_order


def test_all_lists_registered_names_in_order():
    expected = [n for n in registration_order() if hasattr(tessaly, n)]
    assert tessaly.__all__ == expected
    assert "HCTSAResult" not in tessaly.__all__ and not hasattr(tessaly, "HCTSAResult")
    for name in tessaly.__all__:
        assert hasattr(tessaly, name)


@pytest.mark.parametrize("name", [n for n in SIGNATURES if hasattr(tessaly, n)])
def test_text_signature(name):
    fn = getattr(tessaly, name)
    assert fn.__text_signature__ == SIGNATURES[name]
    assert str(inspect.signature(fn)) == SIGNATURES[name]
    assert fn.__module__ == "tessaly"


def test_second_initialisation_is_refused():
    import ctypes

    init = ctypes.PyDLL(tessaly.__file__).PyInit_tessaly  # the already loaded image
    init.restype = ctypes.py_object
    with pytest.raises(ImportError, match="once per interpreter process"):
        init()


class FloatLike:
    def __float__(self):
        return 2.0


@pytest.mark.parametrize("series", [
    [1.0, 2.0, 4.0],
    (1.0, 2.0, 4.0),
    [1, 2, 4],
    [True, 2, 4.0],
    np.array([1.0, 2.0, 4.0]),
    np.array([1, 2, 4], dtype=np.int32),
    [np.float32(1), np.int64(2), 4],
    [1.0, FloatLike(), 4.0],
], ids=repr)
def test_series_conversions_agree(series):
    assert tessaly.dn_spread_std_f(series) == tessaly.dn_spread_std_f([1.0, 2.0, 4.0])


def test_range_and_bytes_are_sequences():
    assert tessaly.dn_spread_std_f(range(1, 4)) == 1.0
    assert tessaly.dn_spread_std_f(b"\x01\x02\x03") == 1.0


def test_spread_std_values():
    assert tessaly.dn_spread_std_f([1.0, 2.0, 3.0]) == 1.0
    assert math.isnan(tessaly.dn_spread_std_f([5.0]))
    assert math.isnan(tessaly.dn_spread_std_f([]))


@pytest.mark.parametrize("bad, message", [
    ("abc", "argument 'y': a string cannot be converted to a vector"),
    ({1.0, 2.0}, "argument 'y': 'set' object cannot be converted to 'Sequence'"),
    ({1: 2.0}, "argument 'y': 'dict' object cannot be converted to 'Sequence'"),
    (iter([1.0]), "argument 'y': 'list_iterator' object cannot be converted to 'Sequence'"),
    (None, "argument 'y': 'NoneType' object cannot be converted to 'Sequence'"),
    ([1.0, "2"], "argument 'y': must be real number, not str"),
    ([1.0, None], "argument 'y': must be real number, not NoneType"),
])
def test_series_refusals(bad, message):
    with pytest.raises(TypeError) as info:
        tessaly.dn_spread_std_f(bad)
    assert str(info.value) == message


def test_item_conversion_keeps_the_cause():
    class Bad:
        def __float__(self):
            try:
                raise KeyError("inner")
            except KeyError as e:
                raise TypeError("no float") from e

    with pytest.raises(TypeError, match="^argument 'y': no float$") as info:
        tessaly.dn_spread_std_f([Bad()])
    assert isinstance(info.value.__cause__, KeyError)


def test_item_errors_other_than_type_errors_pass_unchanged():
    class Boom:
        def __float__(self):
            raise ValueError("boom")

    with pytest.raises(ValueError, match="^boom$"):
        tessaly.dn_spread_std_f([Boom()])


@pytest.mark.parametrize("call, message", [
    (lambda f: f(), "dn_spread_std_f() missing 1 required positional argument: 'y'"),
    (lambda f: f([1.0], [2.0]), "dn_spread_std_f() takes exactly 1 positional argument (2 given)"),
    (lambda f: f([1.0], z=1), "dn_spread_std_f() got an unexpected keyword argument 'z'"),
    (lambda f: f([1.0], y=[1.0]), "dn_spread_std_f() got multiple values for argument 'y'"),
])
def test_argument_matching(call, message):
    with pytest.raises(TypeError) as info:
        call(tessaly.dn_spread_std_f)
    assert str(info.value) == message


def test_keyword_series():
    assert tessaly.dn_spread_std_f(y=[1.0, 2.0, 3.0]) == 1.0


def test_huge_length_hint_is_only_a_hint():
    class Liar:
        def __len__(self):
            return 2**62

        def __getitem__(self, i):
            if i < 3:
                return float(i)
            raise IndexError

    assert tessaly.dn_spread_std_f(Liar()) == 1.0


def test_type_stub_matches_the_module():
    import ast
    import pathlib

    stub = pathlib.Path(__file__).resolve().parents[2] / "src" / "module" / "tessaly.pyi"
    tree = ast.parse(stub.read_text())
    functions = {node.name: node for node in tree.body if isinstance(node, ast.FunctionDef)}
    module_functions = [n for n in tessaly.__all__ if not isinstance(getattr(tessaly, n), type)]
    assert list(functions) == module_functions
    for name, node in functions.items():
        params = inspect.signature(getattr(tessaly, name)).parameters
        assert [a.arg for a in node.args.args] == list(params), name
