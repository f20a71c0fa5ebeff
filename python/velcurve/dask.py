"""Batch work on Dask: one routine of velcurve applied to many curves.

The same script runs on a laptop and on a cluster: the functions below only
build Dask graphs; whatever ``dask.distributed.Client`` is active (a
``LocalCluster`` here, a real scheduler's address there) runs them.

    from dask.distributed import Client
    import dask.bag as db
    import velcurve, velcurve.dask as vd

    client = Client("tcp://scheduler:8786")         # or Client(LocalCluster())
    curves = db.from_sequence(list_of_coef_arrays, npartitions=64)
    pts = vd.map_curves(velcurve.evaluate, curves, t=0.5).compute()

Each worker process loads the library once; the tolerance block is per
process, so ``map_curves`` sets it in every task from the caller's block
(or from ``tolerances=``) before running the routine.
"""

import dask.array as da
import dask.bag as db

import velcurve


def _with_block(tol, func, items, kwargs):
    velcurve.set_tolerances(tol)
    return [func(item, **kwargs) for item in items]


def map_curves(func, curves, tolerances=None, **kwargs):
    """Applies ``func(curve, **kwargs)`` to every element of the Dask bag
    ``curves`` (a curve, a pair of curves, ...): a bag of the results, in
    order. The tolerance block of each task is ``tolerances``, by default the
    caller's block at the time of the call."""
    if not isinstance(curves, db.Bag):
        raise TypeError("curves: expected a dask.bag.Bag")
    tol = tolerances or velcurve.get_tolerances()
    return curves.map_partitions(lambda part: _with_block(tol, func, part, kwargs))


def evaluate_blocks(coef, t, tolerances=None):
    """Points of one curve at the parameters of the Dask array ``t`` (1-D),
    block by block: a Dask array of shape (len(t), dim)."""
    if not isinstance(t, da.Array) or t.ndim != 1:
        raise TypeError("t: expected a 1-D dask array")
    tol = tolerances or velcurve.get_tolerances()
    dim = len(coef[0])

    def block(tb):
        velcurve.set_tolerances(tol)
        return velcurve.evaluate(coef, tb)

    return t.map_blocks(block, new_axis=1, chunks=(t.chunks[0], (dim,)), dtype=float)
