"""read_image() and find_edges(): from an image to edges ready to score."""

import dataclasses
import numbers
import os

import numpy as np

from . import _core
from ._scoring import flag as _flag
from ._scoring import polarity_name as _polarity_name
from ._scoring import score as _score
from ._values import ValueEquality

_CALIPER_FIELDS = ("x", "y", "angle", "length", "thickness")
SIGMA_RANGE = (0.4, 100.0)


def read_image(path):
    """The gray image in a PNG or binary PGM/PPM file, as a 2-D numpy array
    (uint8, or uint16 when the file holds more than 8 bits a sample; colour
    becomes gray by the luma weights). path: a str, bytes or os.PathLike,
    any name the file system allows (undecodable bytes included). A name
    holding a NUL byte and failures raise EdgeError naming the file and the
    status; another type raises TypeError."""
    try:
        name = os.fsencode(path)
    except TypeError:
        raise TypeError(f"path: a str, bytes or os.PathLike expected, "
                        f"got {type(path).__name__}") from None
    return _core.read_image(name)


@dataclasses.dataclass(eq=False)
class Found(ValueEquality):
    """The edges in a caliper, ascending, and its profile for plots.

    positions: pixels along the search direction from the caliper's centre;
    contrasts: gray levels per pixel, positive dark to light; both read-only
    views of the finder's result set (record), which score() hands to the
    scorer as it is. profile and
    derivative: one value a pixel, profile[i] at first_position + i; only
    valid_first to valid_first + valid_count - 1 were projected (all unless
    clipped), the others are 0. Found compare equal when every field but
    the record is (arrays elementwise); they are not hashable.
    """

    positions: np.ndarray
    contrasts: np.ndarray
    profile: np.ndarray
    derivative: np.ndarray
    first_position: float
    valid_first: int
    valid_count: int
    caliper: tuple
    record: object = dataclasses.field(default=None, repr=False, compare=False)

    def __len__(self):
        return len(self.positions)

    @property
    def sample_positions(self):
        """The position of every profile sample."""
        return self.first_position + np.arange(len(self.profile), dtype=np.float64)

    @property
    def valid(self):
        """The slice of the profile that was projected."""
        return slice(self.valid_first, self.valid_first + self.valid_count)

    @property
    def points(self):
        """Every edge's image point.

        Returns
        -------
        numpy.ndarray
            (n, 2) float64: x to the right and y downward, pixel centres at
            integers; row i is the edge at ``positions[i]``.

        Examples
        --------
        >>> import numpy as np
        >>> import cclp_score as cs
        >>> image = np.full((40, 40), 30, np.uint8)
        >>> image[:, 25:] = 220  # light from column 25 on: an edge at x = 24.5
        >>> found = cs.find_edges(image, caliper=(20.0, 12.0, 0.0, 20.0, 4.0))
        >>> found.positions, found.points
        (array([4.5]), array([[24.5, 12. ]]))
        """
        return _core.edge_points(self.record, *self.caliper)

    def score(self, **kwargs):
        """score(self.positions, self.contrasts, **kwargs), the profile's
        valid part attached for plot(), the candidates' and their edges'
        image points as points and edge_points."""
        results = _score(self.positions, self.contrasts, _record=self.record, **kwargs)
        results.profile = {"start": self.first_position + self.valid_first, "step": 1.0,
                           "values": self.profile[self.valid]}
        results.points = _core.caliper_points(results.position, *self.caliper)
        results.edge_points = self.points[results.edges]
        return results


def _pixels(image):
    """A 2-D uint8/uint16 array in native byte order with contiguous rows
    and a positive row stride: the caller's own when it is one."""
    if not isinstance(image, np.ndarray):
        raise TypeError(f"image: a 2-D numpy array expected, got {type(image).__name__}")
    if image.dtype.kind != "u" or image.dtype.itemsize not in (1, 2):
        raise TypeError(f"image: uint8 or uint16 pixels expected, got {image.dtype}")
    if image.ndim != 2:
        raise ValueError(f"image: a 2-D (gray) array expected, got shape {image.shape}")
    if 0 in image.shape or max(image.shape) > 2**31 - 1:
        raise ValueError(f"image: width and height must be 1 to 2**31 - 1, got shape {image.shape}")
    native = image.dtype.newbyteorder("=")
    rows_fit = (image.dtype == native and image.strides[1] == image.itemsize
                and image.shape[1] * image.itemsize <= image.strides[0] <= 2**31 - 1)
    return image if rows_fit else np.ascontiguousarray(image, dtype=native)


def _number(value, name, minimum=-np.inf, maximum=np.inf):
    if isinstance(value, bool) or not isinstance(value, numbers.Real):
        raise TypeError(f"{name}: a number expected, got {value!r}")
    if not minimum <= value <= maximum:  # also refuses NaN
        raise ValueError(f"{name}: a finite number from {minimum} to {maximum} expected, got {value!r}")
    return float(value)


def _caliper(caliper):
    if not isinstance(caliper, (tuple, list)) or len(caliper) != 5:
        raise TypeError(f"caliper: (x, y, angle, length, thickness) expected, got {caliper!r}")
    return tuple(_number(v, f"caliper {field}") for field, v in zip(_CALIPER_FIELDS, caliper))


def edge_settings(sigma, min_contrast, polarity, clip):
    """The edge search keywords, checked: (sigma, min_contrast, polarity, clip)."""
    sigma = _number(sigma, "sigma", *SIGMA_RANGE)
    min_contrast = _number(min_contrast, "min_contrast", 0.0)
    polarity = _polarity_name(polarity, "polarity")
    return sigma, min_contrast, polarity, _flag(clip, "clip")


def find_edges(image, caliper, *, sigma=1.0, min_contrast=5.0, polarity="any", clip=False):
    """The edges in a caliper over a gray image; returns Found.

    image: a 2-D uint8 or uint16 numpy array (rows read in place when they
    are contiguous). caliper: (x, y, angle, length, thickness), centre in
    pixels (pixel (i, j) centred at x = i, y = j, y down), angle in degrees
    (0 right, 90 down), length along the search direction, thickness across.
    sigma: the Gaussian derivative's scale in pixels (0.4 to 100);
    min_contrast: the smallest |contrast| reported; polarity: "any",
    "positive" (dark to light) or "negative", as for desired edges (the
    older "dark_to_light" and "light_to_dark" are read as those); clip:
    project only the part inside the image instead of failing.

    Bad arguments raise TypeError or ValueError naming the argument; what the
    edge finder refuses (a caliper reaching outside the image, a length out of
    range) raises EdgeError. The GIL is released during the search.
    """
    pixels = _pixels(image)
    rectangle = _caliper(caliper)
    out = _core.find_edges(pixels, *rectangle, *edge_settings(sigma, min_contrast, polarity, clip))
    return Found(caliper=rectangle, **out)
