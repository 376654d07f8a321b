"""find_line() and find_circle(): a row of calipers across a nominal segment
fitted with a line, or a ring of radial calipers around a nominal circle
fitted with a circle, each caliper choosing its edge by score."""

import dataclasses
import numbers
from typing import Optional

import numpy as np

from . import _core
from ._edges import _pixels, edge_settings
from ._plot import Plot
from ._scoring import _methods, desired_edges, polarity_codes

_LINE = _core.line_defaults()
_CIRCLE = _core.circle_defaults()


@dataclasses.dataclass
class CaliperFit:
    """What each caliper of a line or circle tool found, and the fit's summary.

    One row per caliper, in the order the tool placed them.

    Attributes
    ----------
    calipers : numpy.ndarray
        (K, 5) float64: each caliper's rectangle (x, y, angle, length,
        thickness), as ``find_edges`` takes one.
    points : numpy.ndarray
        (K, 2) float64: the chosen candidate's image point (x right, y down);
        0 where nothing was found.
    positions : numpy.ndarray
        (K,) float64: the same along the caliper from its centre (a pair:
        its centre).
    scores : numpy.ndarray
        (K,) float64: the chosen candidate's score, 0 to 1.
    residuals : numpy.ndarray
        (K,) float64: the point's signed distance from the fitted geometry
        (line: along the search direction; circle: outside positive).
    weights : numpy.ndarray
        (K,) float64: the point's weight in the fit, 0 to 1.
    status : numpy.ndarray
        (K,) int32: 0, or the edge finder's CEDGE_STATUS_OUTSIDE_IMAGE code for
        a caliper reaching past the border (without ``clip``).
    found : numpy.ndarray
        (K,) bool: the caliper chose a candidate.
    used : numpy.ndarray
        (K,) bool: the fit used its point.
    num_edges : numpy.ndarray
        (K,) int32: the chosen candidate's edges, 1, 2 for a pair, 0 for none.
    rms : float
        Root mean square residual of the used points, pixels.
    num_calipers, num_found, num_missing, num_used : int
        K; calipers with a point; calipers that found nothing or reached
        outside the image; points the fit used.

    Examples
    --------
    >>> import numpy as np
    >>> import cclp_score as cs
    >>> image = np.full((60, 80), 40, np.uint8)
    >>> image[30:, 20:] = 200  # the boundary at y = 29.5 from x = 19.5 on
    >>> fit = cs.find_line(image, (10, 30), (70, 30), calipers=6, length=20)
    >>> fit.found, fit.num_missing
    (array([False,  True,  True,  True,  True,  True]), 1)
    >>> fit.points[1:, 1]
    array([29.5, 29.5, 29.5, 29.5, 29.5])
    """

    calipers: np.ndarray
    points: np.ndarray
    positions: np.ndarray
    scores: np.ndarray
    residuals: np.ndarray
    weights: np.ndarray
    status: np.ndarray
    found: np.ndarray
    used: np.ndarray
    num_edges: np.ndarray
    rms: float
    num_calipers: int
    num_found: int
    num_missing: int
    num_used: int

    def __len__(self):
        return self.num_calipers

    def status_names(self):
        """Each caliper's status by name.

        Returns
        -------
        numpy.ndarray
            (K,) str: ``'CGEOM_STATUS_OK'``, or the edge finder's name for
            the code in ``status`` (``'CEDGE_STATUS_OUTSIDE_IMAGE'``).

        Examples
        --------
        >>> import numpy as np
        >>> import cclp_score as cs
        >>> image = np.full((40, 60), 40, np.uint8)
        >>> image[20:, :] = 200
        >>> fit = cs.find_line(image, (-20, 20), (50, 20), calipers=5, length=16)
        >>> print(*fit.status_names()[:3])
        CEDGE_STATUS_OUTSIDE_IMAGE CEDGE_STATUS_OUTSIDE_IMAGE CGEOM_STATUS_OK
        """
        return np.array([_core.geometry_status_name(int(code)) for code in self.status])

    def plot(self, path=None, *, title=None):
        """Draw the call as the cclp-score tool draws a line or circle tool's.

        The image around the calipers (as it is when plotted: the tool read
        the caller's array in place), every caliper's rectangle and its
        chosen point coloured by its use in the fit, the nominal and the
        fitted geometry, and a strip of the residuals, caliper by caliper.

        Parameters
        ----------
        path : str or os.PathLike, optional
            Also save the plot there: .svg, or .png with rsvg-convert.
        title : str, optional
            The plot's title instead of "line tool" or "circle tool".

        Returns
        -------
        Plot
            The SVG document; notebooks show it inline.

        Raises
        ------
        ValueError
            The path does not end in .svg or .png.
        RuntimeError
            A .png path without rsvg-convert installed.

        Examples
        --------
        >>> import numpy as np
        >>> import cclp_score as cs
        >>> image = np.full((60, 80), 40, np.uint8)
        >>> image[30:, :] = 200
        >>> drawn = cs.find_line(image, (10, 30), (70, 30), calipers=6, length=20).plot(title="edge")
        >>> drawn.svg.startswith("<?xml"), "edge" in drawn.svg
        (True, True)
        """
        drawn = Plot(_core.plot_geometry(self._call, self._image, "" if title is None else str(title)))
        if path is not None:
            drawn.save(path)
        return drawn


@dataclasses.dataclass
class LineFit(CaliperFit):
    """The line that ``find_line`` fitted, and its calipers (CaliperFit).

    Attributes
    ----------
    point : numpy.ndarray
        (2,) float64: the nominal segment's midpoint projected onto the line.
    direction : numpy.ndarray
        (2,) float64: unit, pointing as the nominal segment does.
    angle : float
        Degrees of the direction, -180 to 180, clockwise on screen (y down).

    Examples
    --------
    >>> import numpy as np
    >>> import cclp_score as cs
    >>> image = np.full((60, 80), 40, np.uint8)
    >>> image[30:, :] = 200
    >>> line = cs.find_line(image, (10, 30), (70, 30), calipers=6, length=20)
    >>> line.point, line.angle
    (array([40. , 29.5]), 0.0)
    """

    point: np.ndarray
    direction: np.ndarray
    angle: float

    def __repr__(self):
        x, y = self.point
        return (f"<LineFit: through ({x:.3f}, {y:.3f}) at {self.angle:.4f} deg, rms {self.rms:.4f} px, "
                f"{self.num_used} of {self.num_calipers} calipers used>")


@dataclasses.dataclass
class CircleFit(CaliperFit):
    """The circle that ``find_circle`` fitted, and its calipers (CaliperFit).

    Attributes
    ----------
    center : numpy.ndarray
        (2,) float64: x right, y down.
    radius : float
        Of the edge, pixels (corrected for the calipers' thickness, which
        sees a curved edge a little nearer the centre).

    Examples
    --------
    >>> import numpy as np
    >>> import cclp_score as cs
    >>> y, x = np.mgrid[0:64, 0:64]
    >>> disc = np.clip(20.5 - np.hypot(x - 31.0, y - 30.0), 0.0, 1.0)
    >>> image = (40 + 160 * disc).astype(np.uint8)
    >>> circle = cs.find_circle(image, (32, 32), 18, length=16, thickness=2)
    >>> np.round(circle.center, 1), round(circle.radius, 1)
    (array([31., 30.]), 20.0)
    """

    center: np.ndarray
    radius: float

    def __repr__(self):
        x, y = self.center
        return (f"<CircleFit: centre ({x:.3f}, {y:.3f}), radius {self.radius:.4f} px, rms {self.rms:.4f} px, "
                f"{self.num_used} of {self.num_calipers} calipers used>")


def _fitted(kind, out, pixels):
    """The results; the call's records and the image stay with them for plot()."""
    call = out.pop("call")
    fitted = kind(**out)
    fitted._call, fitted._image = call, pixels
    return fitted


def _real(value, name):
    """A number for the library to check (it refuses what is not finite with its status)."""
    if isinstance(value, bool) or not isinstance(value, numbers.Real):
        raise TypeError(f"{name}: a number expected, got {value!r}")
    return float(value)


def _pair(value, name, fields):
    if isinstance(value, (str, bytes)) or not hasattr(value, "__len__") or len(value) != 2:
        raise TypeError(f"{name}: ({fields}) expected, got {value!r}")
    return tuple(_real(v, f"{name}[{k}]") for k, v in enumerate(value))


def _int32(value, name):
    if isinstance(value, bool) or not isinstance(value, numbers.Integral):
        raise TypeError(f"{name}: an integer expected, got {value!r}")
    if not -2**31 <= value <= 2**31 - 1:
        raise ValueError(f"{name}: {value} is out of range (-2**31 to 2**31 - 1)")
    return int(value)


def _calipers(calipers, spacing, length, thickness, inward, defaults):
    """(count, inward, spacing, length, thickness): a count, or 0 and a spacing."""
    if spacing is None:
        count, spacing = _int32(defaults["calipers"] if calipers is None else calipers, "calipers"), 0.0
    elif calipers is not None:
        raise ValueError(f"calipers, spacing: give one of them, got {calipers!r} and {spacing!r}")
    else:
        count, spacing = 0, _real(spacing, "spacing")
    if not isinstance(inward, bool):
        raise TypeError(f"inward: True or False expected, got {inward!r}")
    return count, inward, spacing, _real(length, "length"), _real(thickness, "thickness")


def _fit(fit, max_iterations, inlier_distance):
    if not isinstance(fit, str):
        raise TypeError(f"fit: 'tukey', 'huber' or 'none' expected, got {fit!r}")
    return fit, _int32(max_iterations, "max_iterations"), _real(inlier_distance, "inlier_distance")


def _scoring(desired, methods):
    """The desired edges and methods, or empty for the scoring module's defaults."""
    wanted = [] if desired is None else polarity_codes(desired_edges(desired))
    return wanted, [] if methods is None else list(_methods(methods))


def find_line(image, start, end, *, calipers=None, spacing=None, length=_LINE["length"],
              thickness=_LINE["thickness"], fit=_LINE["fit"], inlier_distance=_LINE["inlier_distance"],
              max_iterations=_LINE["max_iterations"], desired=None, methods=None, sigma=1.0,
              min_contrast=5.0, polarity="any", clip=False):
    """Fit a line to the edges that a row of calipers across a segment choose.

    Caliper i of K is centred at ``start + (i + 0.5) / K * (end - start)``
    and searches across the segment, along its direction turned by +90
    degrees: a segment from left to right searches downward (y down), and
    polarities and positions in the scoring follow that direction. Each
    caliper finds its edges, scores them as ``Found.score`` does and keeps
    the best-scored candidate (a pair stands for its centre). The line is
    fitted robustly: a RANSAC start, then reweighted least squares on
    orthogonal distances, so points the scoring got wrong are set aside.

    Parameters
    ----------
    image : numpy.ndarray
        2-D uint8 or uint16 gray image, pixel (i, j) centred at x = i, y = j.
    start, end : (float, float)
        The nominal segment's end points (x, y), pixels.
    calipers : int, optional
        How many calipers (1 to 4096; default 10). Give this or `spacing`.
    spacing : float, optional
        Instead of a count: as many calipers as fit this many pixels apart.
    length, thickness : float
        Each caliper's size along and across its search direction, pixels
        (default 40 x 5).
    fit : {'tukey', 'huber', 'none'}
        The weight of a point by its distance: Tukey's biweight, Huber's, or
        a plain least squares fit of every point.
    inlier_distance : float
        Pixels: the RANSAC consensus band and the weights' cut-off (1.5).
    max_iterations : int
        Reweighting rounds, 1 to 100 (20).
    desired, methods : optional
        How each caliper chooses its edge, as for ``score``: one desired edge
        (a position or (position, polarity)) or two for pairs, and a list of
        Method. By default the strongest edge of either polarity.
    sigma, min_contrast, polarity, clip
        The edge search, as for ``find_edges``.

    Returns
    -------
    LineFit
        The line (point, direction, angle), each caliper's point, score,
        residual and use, the RMS of the used points and how many calipers
        found nothing.

    Raises
    ------
    TypeError, ValueError
        An argument of the wrong type or out of range, named.
    GeometryError
        The tool refused the segment, the calipers or the fit settings, or
        too few points agree for a line (``status`` names the code, such as
        ``'CGEOM_STATUS_TOO_FEW_POINTS'``).
    EdgeError, ScoreError
        The edge finder refused a caliper or the image, or the scoring
        module refused the scoring.

    Examples
    --------
    A boundary from dark to light at 5 degrees, found by calipers that
    each take the edge nearest the segment, rising along the search:

    >>> import numpy as np
    >>> import cclp_score as cs
    >>> y, x = np.mgrid[0:100, 0:160]
    >>> across = (y - 50) * np.cos(np.radians(5)) - (x - 80) * np.sin(np.radians(5))
    >>> image = np.clip(40 + 160 * (across + 0.5), 40, 200).astype(np.uint8)
    >>> near = [cs.Method("posAbs", cs.OneSided(0.0, 10.0, 10.0))]
    >>> line = cs.find_line(image, (20, 45), (140, 45), calipers=12, length=30,
    ...                     desired=(0.0, "positive"), methods=near)
    >>> round(line.angle, 2), line.num_used
    (5.0, 12)
    """
    pixels = _pixels(image)
    points = _pair(start, "start", "x, y"), _pair(end, "end", "x, y")
    request = (_calipers(calipers, spacing, length, thickness, False, _LINE),
               _fit(fit, max_iterations, inlier_distance),
               edge_settings(sigma, min_contrast, polarity, clip), *_scoring(desired, methods))
    return _fitted(LineFit, _core.find_line(pixels, *points, *request), pixels)


def find_circle(image, center, radius, *, arc=_CIRCLE["arc"], inward=False, calipers=None, spacing=None,
                length=_CIRCLE["length"], thickness=_CIRCLE["thickness"], fit=_CIRCLE["fit"],
                inlier_distance=_CIRCLE["inlier_distance"], max_iterations=_CIRCLE["max_iterations"],
                desired=None, methods=None, sigma=1.0, min_contrast=5.0, polarity="any", clip=False):
    """Fit a circle to the edges that a ring of radial calipers choose.

    Caliper i of K is centred on the nominal circle at the angle
    ``start + (i + 0.5) / K * sweep`` (degrees, clockwise on screen from
    the x axis) and searches outward, or inward with `inward`; polarities
    and positions in the scoring follow that direction. Each caliper keeps
    its best-scored candidate as ``find_line``'s do; the circle is fitted
    robustly (a RANSAC start, an algebraic circle, then reweighted
    geometric least squares).

    Parameters
    ----------
    image : numpy.ndarray
        2-D uint8 or uint16 gray image, pixel (i, j) centred at x = i, y = j.
    center : (float, float)
        The nominal circle's centre (x, y), pixels.
    radius : float
        Its radius, pixels (at least 1).
    arc : (float, float)
        (start, sweep) in degrees: the part of the circle the calipers
        cover; sweep -360 to 360 but not 0 (default the whole circle).
    inward : bool
        Search toward the centre instead of away from it.
    calipers, spacing, length, thickness, fit, inlier_distance, max_iterations
        As for ``find_line`` (default 16 calipers of 40 x 5 pixels).
    desired, methods : optional
        How each caliper chooses its edge, as for ``find_line``.
    sigma, min_contrast, polarity, clip
        The edge search, as for ``find_edges``.

    Returns
    -------
    CircleFit
        The circle (center, radius), each caliper's point, score, residual
        and use, the RMS of the used points and how many found nothing.

    Raises
    ------
    TypeError, ValueError
        An argument of the wrong type or out of range, named.
    GeometryError
        The tool refused the circle, arc, calipers or fit settings, or the
        points are too few or on a line (``status`` names the code, such as
        ``'CGEOM_STATUS_RADIUS_NOT_VALID'``).
    EdgeError, ScoreError
        The edge finder refused a caliper or the image, or the scoring
        module refused the scoring.

    Examples
    --------
    A light disc of radius 20 on a dark ground, measured by 24 calipers
    that each take the falling edge nearest the nominal circle:

    >>> import numpy as np
    >>> import cclp_score as cs
    >>> y, x = np.mgrid[0:80, 0:80]
    >>> disc = np.clip(20.0 - np.hypot(x - 40.3, y - 38.6) + 0.5, 0.0, 1.0)
    >>> image = (40 + 160 * disc).astype(np.uint8)
    >>> near = [cs.Method("posAbs", cs.OneSided(0.0, 6.0, 6.0))]
    >>> circle = cs.find_circle(image, (41, 38), 18, calipers=24, length=16,
    ...                         thickness=2, desired=(0.0, "negative"), methods=near)
    >>> np.round(circle.center, 1), round(circle.radius, 1)
    (array([40.3, 38.6]), 20.0)
    """
    pixels = _pixels(image)
    request = (_pair(center, "center", "x, y"), _real(radius, "radius"), _pair(arc, "arc", "start, sweep"),
               _calipers(calipers, spacing, length, thickness, inward, _CIRCLE),
               _fit(fit, max_iterations, inlier_distance),
               edge_settings(sigma, min_contrast, polarity, clip), *_scoring(desired, methods))
    return _fitted(CircleFit, _core.find_circle(pixels, *request), pixels)
