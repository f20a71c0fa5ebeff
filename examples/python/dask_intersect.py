#!/usr/bin/env python3
"""Intersects 100,000 random pairs of planar cubics on a Dask cluster and
reports the throughput, on one worker and on two (or on the scheduler given).

    PYTHONPATH=build/python /usr/bin/python3 examples/python/dask_intersect.py
    PYTHONPATH=build/python /usr/bin/python3 examples/python/dask_intersect.py --pairs 20000
    PYTHONPATH=... /usr/bin/python3 examples/python/dask_intersect.py --scheduler tcp://host:8786

Every worker needs the velcurve package importable (the same PYTHONPATH, or
the package installed under lib/python3/dist-packages).
"""
import argparse
import time

import dask.array as da
import numpy as np
from dask.distributed import Client, LocalCluster

import velcurve
import velcurve.dask as vd


def summary(block):
    counts, codes, _ = block
    return np.array([counts.sum(), (codes > 0).sum()])


def run(client, c1, c2):
    # Warm the workers (imports, the first tasks), then time one full pass.
    # The curves are drawn on the workers and only the totals come back, so
    # the figure is the intersection work and Dask's own cost per task.
    vd.intersect_many(c1[:1000], c2[:1000]).count().compute()
    start = time.perf_counter()
    found, failed = vd.intersect_many(c1, c2).map(summary).fold(lambda a, b: a + b).compute()
    elapsed = time.perf_counter() - start
    return elapsed, int(found), int(failed)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--pairs", type=int, default=100_000)
    ap.add_argument("--chunk", type=int, default=2_000)
    ap.add_argument("--scheduler", help="address of a running Dask scheduler (default: local clusters)")
    args = ap.parse_args()

    rs = da.random.RandomState(2026)
    shape, chunks = (args.pairs, 4, 2), (args.chunk, 4, 2)
    c1 = rs.uniform(-1, 1, size=shape, chunks=chunks)
    c2 = rs.uniform(-1, 1, size=shape, chunks=chunks)
    velcurve.set_tolerances()

    if args.scheduler:
        with Client(args.scheduler) as client:
            elapsed, found, failed = run(client, c1, c2)
            print(f"{args.pairs} pairs in {elapsed:.2f} s: {args.pairs / elapsed:,.0f} pairs/s, "
                  f"{found} crossings, {failed} failed calls")
        return

    rates = {}
    for workers in (1, 2):
        with LocalCluster(n_workers=workers, threads_per_worker=1, processes=True,
                          dashboard_address=None) as cluster, Client(cluster) as client:
            elapsed, found, failed = run(client, c1, c2)
            rates[workers] = args.pairs / elapsed
            print(f"{workers} worker(s): {args.pairs} pairs in {elapsed:.2f} s: {rates[workers]:,.0f} pairs/s, "
                  f"{found} crossings, {failed} failed calls")
    print(f"speed-up on 2 workers: {rates[2] / rates[1]:.2f}x")


if __name__ == "__main__":
    main()
