"""Compute every tessaly feature of one real series and print them as a table.

Usage: demo.py SERIES.csv   (the last column of the CSV is the series)
"""
import csv
import inspect
import math
import sys

import tessaly


def read_series(path):
    with open(path, newline="") as f:
        rows = list(csv.reader(f))
    return [float(r[-1]) for r in rows[1:] if r]


def single_series_functions():
    """Functions that need nothing but the series (other parameters have defaults)."""
    for name in tessaly.__all__:
        obj = getattr(tessaly, name)
        if isinstance(obj, type) or "cumulative" in name:
            continue
        params = list(inspect.signature(obj).parameters.values())
        if all(p.default is not inspect.Parameter.empty for p in params[1:]):
            yield name, obj


def show(label, value):
    text = "nan" if isinstance(value, float) and math.isnan(value) else f"{value:.10g}"
    print(f"  {label:<52} {text}")


def main(path):
    y = read_series(path)
    print(f"{path}: {len(y)} values")
    for name, fn in single_series_functions():
        result = fn(y)
        if isinstance(result, float):
            show(name, result)
        elif isinstance(result, dict):
            print(f"{name}:")
            for key in sorted(result):
                show(key, result[key])
        else:
            print(f"{name} -> {type(result).__name__}:")
            for key, value in zip(result.names, result.values):
                show(key, value)


if __name__ == "__main__":
    main(sys.argv[1])
