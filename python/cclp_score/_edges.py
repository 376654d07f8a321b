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
    """Read the gray image in a PNG or binary PGM/PPM file.

    Parameters
    ----------
    path : str, bytes or os.PathLike
        The file: any name the file system allows (undecodable bytes
        included). PNG needs a build that reads PNG (``reads_png()``).

    Returns
    -------
    numpy.ndarray
        (height, width) uint8, or uint16 when the file holds more than 8 bits
        a sample; colour becomes gray by the luma weights.

    Raises
    ------
    EdgeError
        The file cannot be read, is not an image, or its name holds a NUL
        byte; the message names it.
    TypeError
        ``path`` is not a str, bytes or os.PathLike.

    Examples
    --------
    >>> import cclp_score as cs
    >>> with open("step.pgm", "wb") as file:
    ...     _ = file.write(b"P5 4 2 255 " + bytes([0, 0, 200, 200] * 2))
    >>> cs.read_image("step.pgm")
    array([[  0,   0, 200, 200],
           [  0,   0, 200, 200]], dtype=uint8)
    """
    try:
        name = os.fsencode(path)
    except TypeError:
        raise TypeError(f"path: a str, bytes or os.PathLike expected, "
                        f"got {type(path).__name__}") from None
    return _core.read_image(name)


@dataclasses.dataclass(eq=False)
class Found(ValueEquality):
    """The edges in a caliper, ascending, and its profile; from ``find_edges()``.

    ``len(found)`` is the number of edges; ``points`` their image points.
    Found compare equal when every field but the record is (arrays
    elementwise); they are not hashable.

    Attributes
    ----------
    positions : numpy.ndarray
        The edges' positions, pixels along the search direction from the
        caliper's centre; a read-only view of the finder's result set, which
        ``score()`` hands to the scorer as it is.
    contrasts : numpy.ndarray
        The edges' contrasts, gray levels per pixel, positive dark to light;
        read-only like ``positions``.
    profile, derivative : numpy.ndarray
        The projection and its Gaussian derivative, one value a pixel:
        ``profile[i]`` at ``first_position + i``. Only ``profile[valid]``
        was projected (all of it unless clipped); the rest is 0.
    first_position : float
        The position of ``profile[0]``.
    valid_first, valid_count : int
        The projected part of the profile.
    caliper : tuple
        ``(x, y, angle, length, thickness)`` as searched.
    record : object
        The finder's result set that ``positions`` and ``contrasts`` view.

    Examples
    --------
    >>> import numpy as np
    >>> import cclp_score as cs
    >>> image = np.zeros((20, 40), dtype=np.uint8)
    >>> image[:, 20:] = 200
    >>> found = cs.find_edges(image, caliper=(20.0, 10.0, 0.0, 30.0, 4.0))
    >>> len(found), found.positions.round(2).tolist(), found.contrasts.round(1).tolist()
    (1, [-0.5], [78.8])
    >>> found.profile[found.valid].min(), found.profile[found.valid].max()
    (0.0, 200.0)
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
        """The position of every profile sample, as an array like ``profile``."""
        return self.first_position + np.arange(len(self.profile), dtype=np.float64)

    @property
    def valid(self):
        """The slice of ``profile`` and ``derivative`` that was projected."""
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
        """Score these edges: ``score(self.positions, self.contrasts, **kwargs)``.

        The edges are read in place; the profile's projected part comes
        along in the results for ``plot()``, and the candidates' and their
        edges' image points as ``points`` and ``edge_points``.

        Parameters
        ----------
        **kwargs
            ``desired``, ``methods`` and the other keywords of ``score()``.

        Returns
        -------
        Results
            As ``score()`` returns them, with ``profile`` set.

        Raises
        ------
        TypeError, ValueError, ScoreError
            As ``score()`` raises them.

        Examples
        --------
        >>> import numpy as np
        >>> import cclp_score as cs
        >>> image = np.zeros((20, 40), dtype=np.uint8)
        >>> image[:, 10:30] = 200
        >>> found = cs.find_edges(image, caliper=(20.0, 10.0, 0.0, 30.0, 4.0))
        >>> results = found.score(desired=[(-10, "positive"), (10, "negative")],
        ...                       methods=[cs.Method("sizeDiff", cs.OneSided(0.0, 0.25, 0.25))])
        >>> results.edges.tolist(), results.score.round(3).tolist()
        ([[0, 1]], [1.0])
        """
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
    """Find the edges in a caliper over a gray image.

    The caliper's rectangle is projected onto its search direction, the
    profile differentiated by a Gaussian derivative, and each extremum at
    least ``min_contrast`` strong placed to sub-pixel precision.

    Parameters
    ----------
    image : numpy.ndarray
        A 2-D uint8 or uint16 array, row by row (read in place when its rows
        are contiguous).
    caliper : tuple of 5 floats
        ``(x, y, angle, length, thickness)``: the centre in pixels (pixel
        ``image[j, i]`` is centred at x = i, y = j; y down), the angle in
        degrees (0 right, 90 down), the length along the search direction
        and the thickness across it, in pixels.
    sigma : float, optional
        The Gaussian derivative's scale in pixels, 0.4 to 100 (default 1).
    min_contrast : float, optional
        The smallest ``|contrast|`` reported, gray levels per pixel
        (default 5).
    polarity : {"any", "positive", "negative"}, optional
        Which edges: ``"positive"`` dark to light along the search
        direction, ``"negative"`` light to dark, or ``"any"`` (default);
        ``"dark_to_light"`` and ``"light_to_dark"`` are read as those.
    clip : bool, optional
        Project only the part of the caliper inside the image instead of
        failing (default False).

    Returns
    -------
    Found
        The edges, ascending, and the caliper's profile.

    Raises
    ------
    TypeError, ValueError
        A bad argument; the message names it.
    EdgeError
        What the edge finder refuses: a caliper reaching outside the image
        (without ``clip``), a length out of range.

    Notes
    -----
    The GIL is released during the search.

    Examples
    --------
    >>> import numpy as np
    >>> import cclp_score as cs
    >>> image = np.zeros((20, 40), dtype=np.uint8)
    >>> image[:, 10:30] = 200
    >>> found = cs.find_edges(image, caliper=(20.0, 10.0, 0.0, 30.0, 4.0), sigma=1.0)
    >>> found.positions.round(2).tolist()
    [-10.5, 9.5]
    >>> cs.find_edges(image, caliper=(20.0, 10.0, 0.0, 30.0, 4.0), polarity="negative").positions
    array([9.5])
    """
    pixels = _pixels(image)
    rectangle = _caliper(caliper)
    out = _core.find_edges(pixels, *rectangle, *edge_settings(sigma, min_contrast, polarity, clip))
    return Found(caliper=rectangle, **out)
