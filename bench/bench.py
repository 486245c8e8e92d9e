"""Time every tessaly function and aggregate.

Prints microseconds per call at several series lengths on fixed random series,
next to a saved baseline when one is given. Aggregates are timed twice: with a
one-thread pool and with the default pool (each pool size needs its own process,
because the pool is sized once, on first use).

    python3 bench/bench.py                         # all functions, n = 100, 1000, 10000
    python3 bench/bench.py --baseline bench/baseline.json
    python3 bench/bench.py --save bench/baseline.json
    python3 bench/bench.py --filter catch22 --lengths 100,1000
"""
import argparse
import json
import os
import re
import subprocess
import sys
import time

import numpy as np

import tessaly

# Extra arguments for functions that need more than the series.
EXTRA_ARGS = {
    "sy_slidingwindow_f": dict(window_stat="std", across_win_stat="std", num_seg=5, inc_move=2, normalize=None),
    "st_localextrema_n100_diffmaxabsmin_f": dict(normalize=None),
    "compute_hctsa_parallel_f": dict(normalize=True),
}
AGGREGATES = {"catch22_all_f", "tsfeatures_all_f", "compute_hctsa_parallel_f", "combined_all_f"}
CUMULATIVE_LENGTHS = (100, 1000)
MIN_SECONDS = 0.2


def series(n):
    rng = np.random.default_rng(20261211 + n)
    return list(np.cumsum(rng.standard_normal(n)) + rng.standard_normal(n))


def functions(pattern):
    for name in tessaly.__all__:
        obj = getattr(tessaly, name)
        if not isinstance(obj, type) and re.search(pattern, name):
            yield name, obj


def time_call(fn, y, kwargs):
    fn(y, **kwargs)  # warm-up (pool creation, page faults)
    best = float("inf")
    for _ in range(3):
        calls, start = 0, time.perf_counter()
        while True:
            fn(y, **kwargs)
            calls += 1
            elapsed = time.perf_counter() - start
            if elapsed >= MIN_SECONDS / 3 or calls >= 10000:
                break
        best = min(best, elapsed / calls)
    return best * 1e6


def measure(pattern, lengths):
    """{key: microseconds} for this process's pool size."""
    out = {}
    for name, fn in functions(pattern):
        for n in lengths:
            if "cumulative" in name and n not in CUMULATIVE_LENGTHS:
                continue
            out[f"{name} n={n}"] = time_call(fn, series(n), EXTRA_ARGS.get(name, {}))
    return out


def child(pattern, lengths, threads):
    env = dict(os.environ, TESSALY_NUM_THREADS=str(threads))
    cmd = [sys.executable, __file__, "--child", "--filter", pattern, "--lengths", ",".join(map(str, lengths))]
    return json.loads(subprocess.run(cmd, env=env, check=True, capture_output=True, text=True).stdout)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--lengths", default="100,1000,10000")
    parser.add_argument("--filter", default="")
    parser.add_argument("--baseline")
    parser.add_argument("--save")
    parser.add_argument("--child", action="store_true", help=argparse.SUPPRESS)
    args = parser.parse_args()
    lengths = [int(v) for v in args.lengths.split(",")]

    if args.child:
        print(json.dumps(measure(args.filter, lengths)))
        return

    results = {}
    single = [n for n, _ in functions(args.filter) if n not in AGGREGATES and "cumulative" not in n]
    if single:
        results.update(measure("^(" + "|".join(map(re.escape, single)) + ")$", lengths))
    parallel = [n for n, _ in functions(args.filter) if n in AGGREGATES or "cumulative" in n]
    if parallel:
        pattern = "^(" + "|".join(map(re.escape, parallel)) + ")$"
        for key, us in child(pattern, lengths, 1).items():
            results[f"{key} threads=1"] = us
        for key, us in measure(pattern, lengths).items():
            results[f"{key} threads={os.cpu_count()}"] = us

    baseline = {}
    if args.baseline and os.path.exists(args.baseline):
        with open(args.baseline) as f:
            baseline = json.load(f)
    width = max(map(len, results), default=10)
    print(f"{'function':<{width}} {'us/call':>12} {'baseline':>12} {'ratio':>7}")
    for key, us in results.items():
        base = baseline.get(key)
        extra = f"{base:12.2f} {us / base:7.2f}" if base else ""
        print(f"{key:<{width}} {us:12.2f} {extra}")
    if args.save:
        with open(args.save, "w") as f:
            json.dump(results, f, indent=1, sort_keys=True)


if __name__ == "__main__":
    main()
