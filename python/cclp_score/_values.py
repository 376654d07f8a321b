"""Equality by value for the package's dataclasses that hold numpy arrays,
whose generated == would ask numpy for the truth value of an array."""

import dataclasses

import numpy as np


def same(a, b):
    """Equal values: arrays elementwise (NaN equal to NaN), dicts by key."""
    if isinstance(a, np.ndarray) or isinstance(b, np.ndarray):
        if not (isinstance(a, np.ndarray) and isinstance(b, np.ndarray)):
            return False
        return a.shape == b.shape and a.dtype == b.dtype and bool(
            np.array_equal(a, b, equal_nan=a.dtype.kind == "f"))
    if isinstance(a, dict) and isinstance(b, dict):
        return a.keys() == b.keys() and all(same(a[k], b[k]) for k in a)
    return bool(a == b)


class ValueEquality:
    """Mixin for a dataclass declared with eq=False: equal when every
    compared field is equal by value; unhashable, as its arrays change."""

    __hash__ = None

    def __eq__(self, other):
        if type(other) is not type(self):
            return NotImplemented
        return all(same(getattr(self, field.name), getattr(other, field.name))
                   for field in dataclasses.fields(self) if field.compare)
