"""The C interface through ctypes, on the same shared library as the package,
for the tests that compare the two."""

import ctypes
import os

LIB = ctypes.CDLL(os.environ.get("VCBM_LIBRARY", "libVelCurveBasedMathematics.so"))
D = ctypes.POINTER(ctypes.c_double)


def ptr(a):
    return a.ctypes.data_as(D)


def ci(v):
    return ctypes.byref(ctypes.c_int(v))


def cd(v):
    return ctypes.byref(ctypes.c_double(v))
