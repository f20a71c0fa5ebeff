"""The Dask path on a small LocalCluster: the results are those of the
serial calls, and the tolerance block reaches the workers."""

import numpy as np
import pytest

import velcurve

dask = pytest.importorskip("dask")
distributed = pytest.importorskip("distributed")
import dask.array as da  # noqa: E402
import dask.bag as db  # noqa: E402

import velcurve.dask as vd  # noqa: E402


@pytest.fixture(scope="module")
def client():
    cluster = distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                       dashboard_address=None)
    c = distributed.Client(cluster)
    yield c
    c.close()
    cluster.close()


def test_map_curves_equals_the_serial_loop(client):
    rng = np.random.default_rng(1)
    curves = [rng.uniform(-1, 1, size=(4, 2)) for _ in range(40)]
    bag = db.from_sequence(curves, npartitions=4)
    got = vd.map_curves(velcurve.evaluate, bag, t=0.3).compute()
    for c, g in zip(curves, got):
        assert np.array_equal(g, velcurve.evaluate(c, 0.3))


def test_tolerances_reach_the_workers(client):
    bag = db.from_sequence(range(4), npartitions=2)
    got = vd.map_curves(lambda _: velcurve.get_tolerances().eps1, bag,
                        tolerances=velcurve.Tolerances(eps1=1e-5)).compute()
    assert got == [1e-5] * 4


def test_evaluate_blocks(client):
    coef = np.array([[0, 0], [3, 6], [3, -6], [-2, 0]], dtype=float)
    t = da.linspace(0, 1, 101, chunks=25)
    got = vd.evaluate_blocks(coef, t).compute()
    assert np.array_equal(got, velcurve.evaluate(coef, t.compute()))


def test_intersect_many_equals_the_serial_call(client):
    rng = np.random.default_rng(4)
    a = rng.uniform(-1, 1, size=(60, 4, 2))
    b = rng.uniform(-1, 1, size=(60, 4, 2))
    blocks = vd.intersect_many(da.from_array(a, chunks=(15, 4, 2)), da.from_array(b, chunks=(15, 4, 2))).compute()
    assert len(blocks) == 4
    got, got_codes = [], []
    for block in blocks:
        pairs, codes = vd.split(block)
        got += pairs
        got_codes += codes.tolist()
    found, codes = velcurve.intersect_many(a, b)
    assert got_codes == codes.tolist()
    for g, f in zip(got, found):
        assert np.array_equal(g, f)
    with pytest.raises(ValueError, match="^coef2:"):
        vd.intersect_many(da.from_array(a, chunks=(15, 4, 2)), da.from_array(b, chunks=(20, 4, 2)))


def test_boxes_blocks_equal_the_serial_call(client):
    rng = np.random.default_rng(6)
    a = rng.uniform(-1, 1, size=(50, 5, 3))
    got = vd.boxes_blocks(da.from_array(a, chunks=(20, 5, 3))).compute()
    assert np.array_equal(got, velcurve.boxes(a).box)
    with pytest.raises(ValueError, match="^coefs:"):
        vd.boxes_blocks(da.from_array(a, chunks=(20, 2, 3)))
