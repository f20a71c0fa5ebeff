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
import numpy as np
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


def _intersect_block(tol, capacity, b1, b2):
    velcurve.set_tolerances(tol)
    found, codes = velcurve.intersect_many(b1, b2, capacity=capacity, raise_on_failure=False)
    counts = np.array([len(f) for f in found], dtype=np.int64)
    pairs = np.concatenate(found) if found else np.zeros((0, 2))
    return [(counts, codes, pairs)]


def intersect_many(coef1, coef2, capacity=64, tolerances=None):
    """The intersections of each pair of curves ``coef1[i]``, ``coef2[i]`` on
    [0, 1], for Dask arrays of shape (m, ncoef, dim) chunked along their first
    axis only (the same chunks for both).

    A Dask bag with one element per chunk, in order: ``(counts, codes,
    pairs)``, where ``counts[i]`` is the number of crossings of the chunk's
    i-th curve pair, ``codes[i]`` its result code and ``pairs`` the parameter
    pairs of all of them, one after the other, shape (counts.sum(), 2)
    (:func:`split` gives one array per curve pair). Few large arrays travel
    between the workers instead of one small array per curve pair. A pair
    whose call fails keeps its code and no crossings; nothing is raised."""
    for name, a in (("coef1", coef1), ("coef2", coef2)):
        if not isinstance(a, da.Array) or a.ndim != 3:
            raise TypeError(f"{name}: expected a 3-D dask array of shape (m, ncoef, dim)")
        if len(a.chunks[1]) != 1 or len(a.chunks[2]) != 1:
            raise ValueError(f"{name}: chunk along the first axis only")
    if coef1.chunks[0] != coef2.chunks[0]:
        raise ValueError("coef2: must have the chunks of coef1 along the first axis")
    from dask import delayed

    tol = tolerances or velcurve.get_tolerances()
    blocks = [delayed(_intersect_block)(tol, capacity, b1, b2)
              for b1, b2 in zip(coef1.to_delayed().ravel(), coef2.to_delayed().ravel())]
    return db.from_delayed(blocks)


def boxes_blocks(coefs, interval=(0.0, 1.0), tol=1e-9, tolerances=None):
    """Fine bounding boxes of the curves of the Dask array ``coefs`` of shape
    (m, ncoef, dim), chunked along its first axis only, block by block: a
    Dask array of shape (m, dim, 2) of (lower, upper). A curve whose call
    fails has a NaN box; nothing is raised."""
    if not isinstance(coefs, da.Array) or coefs.ndim != 3:
        raise TypeError("coefs: expected a 3-D dask array of shape (m, ncoef, dim)")
    if len(coefs.chunks[1]) != 1 or len(coefs.chunks[2]) != 1:
        raise ValueError("coefs: chunk along the first axis only")
    tol_block = tolerances or velcurve.get_tolerances()
    dim = coefs.shape[2]

    def block(b):
        velcurve.set_tolerances(tol_block)
        return velcurve.boxes(b, interval, tol, raise_on_failure=False).box

    return coefs.map_blocks(block, drop_axis=1, new_axis=2,
                            chunks=(coefs.chunks[0], (dim,), (2,)), dtype=float)


def split(block):
    """One chunk's ``(counts, codes, pairs)`` as a list of (k, 2) arrays, one
    per curve pair, and the codes."""
    counts, codes, pairs = block
    return np.split(pairs, np.cumsum(counts)[:-1]), codes
