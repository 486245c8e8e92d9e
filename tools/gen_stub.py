"""Writes src/module/tessaly.pyi from the installed module's signatures.

    PYTHONPATH=build/src/module python3 tools/gen_stub.py > src/module/tessaly.pyi
"""
import inspect

import tessaly

TYPES = {
    "y": "Sequence[float]", "series": "Sequence[float]",
    "normalize": "bool | None", "catch24": "bool | None", "catchamouse16": "bool | None", "hctsa": "bool | None",
    "demean": "bool", "freq": "int | None", "lags": "int", "num_seg": "int", "inc_move": "int",
    "window_stat": "str", "across_win_stat": "str", "value_column_name": "str | None",
}
REQUIRED_BOOL = {"compute_hctsa_parallel_f": "bool"}


def returns(name, fn):
    if name == "pacf_features_f":
        return "dict[str, float]"
    if "cumulative" in name:
        return "CumulativeFeatures"
    return {"catch22_all_f": "Catch22Result", "tsfeatures_all_f": "TSFeaturesResult",
            "compute_hctsa_parallel_f": "HCTSAResult", "combined_all_f": "CombinedResult"}.get(name, "float")


def main():
    out = ["# Type stubs for the tessaly extension module.", "from collections.abc import Sequence", "",
           "__all__: list[str]", ""]
    present = [c for c in ("Catch22Result", "TSFeaturesResult", "CombinedResult") if hasattr(tessaly, c)]
    if hasattr(tessaly, "compute_hctsa_parallel_f"):
        present.append("HCTSAResult")
    for cls in present:
        out += [f"class {cls}:", "    @property", "    def names(self) -> list[str]: ...", "    @property",
                "    def values(self) -> list[float]: ...", ""]
    out += ["class CumulativeFeatures:", "    @property", "    def feature_names(self) -> list[str]: ...",
            "    @property", "    def values(self) -> list[list[float]]: ...", ""]
    for name in tessaly.__all__:
        fn = getattr(tessaly, name)
        if isinstance(fn, type):
            continue
        params = []
        for p in inspect.signature(fn).parameters.values():
            kind = REQUIRED_BOOL.get(name, TYPES[p.name]) if p.name == "normalize" else TYPES[p.name]
            if p.name == "freq" and name in ("unitroot_kpss_f", "unitroot_pp_f"):
                kind = "int | None"
            default = "" if p.default is inspect.Parameter.empty else f" = {p.default!r}"
            params.append(f"{p.name}: {kind}{default}")
        out.append(f"def {name}({', '.join(params)}) -> {returns(name, fn)}: ...")
    print("\n".join(out))


if __name__ == "__main__":
    main()
