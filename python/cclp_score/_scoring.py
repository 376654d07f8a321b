"""score() and Scorer: scoring runs over numpy arrays, their arguments checked first."""

import dataclasses
import math
import numbers
import warnings
from typing import Any, NamedTuple, Optional

import numpy as np

from . import _core
from ._values import ValueEquality

_FORMATS = {False: 1, True: 2, "both": 3}  # double, fixed (1/256), both


class DesiredEdge(NamedTuple):
    """An edge looked for: where it should be and which way its contrast runs.

    A pair's two desired edges are its expected width apart. ``score()``
    also takes a bare position or a ``(position, polarity)`` tuple.

    Parameters
    ----------
    position : float
        The expected position along the caliper, in caliper units.
    polarity : {"any", "positive", "negative"}, optional
        ``"positive"``: contrast >= 0, dark to light along the caliper;
        ``"negative"``: contrast <= 0; ``"any"`` (default). The edge
        finder's ``"dark_to_light"`` and ``"light_to_dark"`` are read as
        ``"positive"`` and ``"negative"``.

    Examples
    --------
    >>> import cclp_score as cs
    >>> edge = cs.DesiredEdge(-10.0, "positive")
    >>> edge.position, edge.polarity
    (-10.0, 'positive')
    """

    position: float
    polarity: str = "any"


class DesiredOrderWarning(UserWarning):
    """A pair's first desired edge lies after its second, so the pair the
    caller describes is never formed (a run pairs a first edge with a later
    second edge along the caliper).

    Parameters
    ----------
    message : str
        The warning's text, as the cclp-score tool words it.

    Returns
    -------
    DesiredOrderWarning
        The warning, issued through ``warnings.warn``.

    Raises
    ------
    DesiredOrderWarning
        Only where warnings are turned into errors.

    Examples
    --------
    >>> import warnings
    >>> import cclp_score as cs
    >>> with warnings.catch_warnings(record=True) as caught:
    ...     warnings.simplefilter("always")
    ...     _ = cs.score([-10.0, 10.0], [50.0, -50.0], desired=[10.0, -10.0],
    ...                  methods=[cs.Method("straddle")])
    >>> caught[0].category is cs.DesiredOrderWarning
    True
    """


def flag(value, name):
    """True or False given as such (a Python or numpy bool); anything else
    raises TypeError naming the argument `name`."""
    if not isinstance(value, (bool, np.bool_)):
        raise TypeError(f"{name}: True or False expected, got {value!r}")
    return bool(value)


@dataclasses.dataclass(eq=False)
class Results(ValueEquality):
    """The kept candidates of a run, best first when sorted; from ``score()``.

    ``n`` candidates were kept (``len(results)``), each a single edge or a
    pair of edges, scored by ``m`` methods. The run's inputs come along, so
    that ``plot()`` can draw it. Results compare equal when every field is
    (arrays elementwise, NaN equal to NaN); they are not hashable.

    Attributes
    ----------
    score : numpy.ndarray
        (n,) the combined score of each candidate, 0 to 1.
    position : numpy.ndarray
        (n,) the candidate's position: its edge's, or its pair's centre.
    method_scores : numpy.ndarray
        (n, m) the score each method gave each candidate.
    edges : numpy.ndarray
        (n, 1) or (n, 2) int: the input indices of each candidate's edges.
    measured : numpy.ndarray
        (n, m, 2) what each method measured before its function mapped it,
        in caliper units: ``[..., 0]`` the value scored (for edgePos and
        offsetDist on pairs the first edge's, scored by the low side),
        ``[..., 1]`` the second edge's for those two, NaN otherwise (and
        both NaN for straddle).
    score_fixed, position_fixed, method_scores_fixed : numpy.ndarray or None
        The same in 1/256 units (int32), from fixed-point runs (``fixed=True``
        or ``"both"``; empty when no candidate is kept, None for a
        double-precision run); the float fields of a fixed run are these
        over 256.
    points, edge_points : numpy.ndarray or None
        For results scored from a Found (``find_edges(...).score(...)``):
        image coordinates, x right and y down; ``points`` (n, 2) each
        candidate's position (a pair's centre), ``edge_points`` (n, 1 or 2,
        2) its edges. None otherwise.
    positions, contrasts, extras, desired, methods, fixed, sort
        The run's arguments, as checked.
    description : str
        The recording's description (``Recording.score()``), else empty.
    profile : dict or None
        The caliper's projection ``{"start", "step", "values"}`` for
        ``plot()``, when the run came from a recording or an image.

    Examples
    --------
    >>> import cclp_score as cs
    >>> results = cs.score([-10.5, 0.0, 9.0], [40.0, -5.0, -35.0],
    ...                    desired=[(-10, "positive"), (10, "negative")],
    ...                    methods=[cs.Method("sizeDiff", cs.OneSided(0.0, 0.25, 0.25))],
    ...                    max_results=2)
    >>> results
    <Results: 2 kept of 3 edges, pairs; best 0.9000 at edges [0, 2]>
    >>> results.edges.tolist(), results.score.tolist()
    ([[0, 2], [0, 1]], [0.9, 0.0])
    """

    score: np.ndarray
    position: np.ndarray
    method_scores: np.ndarray
    edges: np.ndarray
    measured: np.ndarray
    positions: np.ndarray
    contrasts: np.ndarray
    extras: Optional[np.ndarray]
    desired: tuple
    methods: tuple
    fixed: Any = False
    sort: bool = True
    score_fixed: Optional[np.ndarray] = None
    position_fixed: Optional[np.ndarray] = None
    method_scores_fixed: Optional[np.ndarray] = None
    description: str = ""
    profile: Optional[dict] = None
    points: Optional[np.ndarray] = None
    edge_points: Optional[np.ndarray] = None

    def __len__(self):
        return len(self.score)

    def __repr__(self):
        kind = "pairs" if self.pairs else "single edges"
        best = (f"; best {self.score[0]:.4f} at edges {self.edges[0].tolist()}" if len(self) else "")
        return f"<Results: {len(self)} kept of {len(self.positions)} edges, {kind}{best}>"

    @property
    def pairs(self):
        """True when the candidates are pairs of edges (two desired edges)."""
        return len(self.desired) == 2


def _desired_edge(value, name):
    if isinstance(value, DesiredEdge):
        position, polarity = value
    elif isinstance(value, numbers.Real):
        position, polarity = value, "any"
    elif isinstance(value, (tuple, list)) and len(value) == 2:
        position, polarity = value
    else:
        raise TypeError(f"{name}: a position or a (position, polarity) pair expected, got {value!r}")
    if not isinstance(position, numbers.Real) or isinstance(position, bool):
        raise TypeError(f"{name}: the position must be a number, got {position!r}")
    try:
        finite = math.isfinite(position)
    except OverflowError:  # an integer beyond the float range
        finite = False
    if not finite:
        raise ValueError(f"{name}: the position must be finite, got {position!r}")
    return DesiredEdge(float(position), polarity_name(polarity, name))


def polarity_name(polarity, name):
    """The canonical name of a polarity given by name or alias (argument: name)."""
    if not isinstance(polarity, str):
        raise TypeError(f"{name}: the polarity must be a name, got {polarity!r}")
    try:
        return _core.polarity_name(polarity)
    except ValueError as error:
        raise ValueError(f"{name}: {error}") from None


def desired_edges(desired):
    """One desired edge or a pair, as DesiredEdges."""
    single = (isinstance(desired, (numbers.Real, DesiredEdge))
              or (isinstance(desired, tuple) and len(desired) == 2 and isinstance(desired[1], str)))
    if single:
        return (_desired_edge(desired, "desired"),)
    if not isinstance(desired, (tuple, list)) or len(desired) not in (1, 2):
        raise ValueError("desired: one desired edge or a list of one or two expected, "
                         f"got {desired!r}")
    return tuple(_desired_edge(edge, f"desired[{k}]") for k, edge in enumerate(desired))


def polarity_codes(desired):
    """The desired edges as the library takes them: (position, polarity code)."""
    return [(edge.position, _core.polarity_code(edge.polarity)) for edge in desired]


def _warn_if_reversed(desired, stacklevel):
    if len(desired) == 2:
        reversed_pair = _core.reversed_pair_text(desired[0].position, desired[1].position)
        if reversed_pair:
            warnings.warn(f"desired: {reversed_pair}", DesiredOrderWarning, stacklevel=stacklevel)


def _number_format(fixed):
    """fixed as False, True or "both" (a numpy bool read as a bool)."""
    if not (isinstance(fixed, (bool, np.bool_)) or (isinstance(fixed, str) and fixed == "both")):
        raise ValueError(f"fixed: False, True or 'both' expected, got {fixed!r}")
    return fixed if isinstance(fixed, str) else bool(fixed)


def _methods(methods):
    """The methods as Method; whether each suits the run, the run checks."""
    if isinstance(methods, _core.Method):
        methods = [methods]
    if not isinstance(methods, (tuple, list)) or not methods:
        raise TypeError("methods: a non-empty list of Method expected")
    checked = []
    for k, method in enumerate(methods):
        if isinstance(method, tuple):
            try:
                method = _core.Method(*method)
            except ValueError as error:
                raise type(error)(f"methods[{k}]: {error}") from error
        if not isinstance(method, _core.Method):
            raise TypeError(f"methods[{k}]: a Method or a (name, function) tuple expected, "
                            f"got {type(method).__name__}")
        checked.append(method)
    return tuple(checked)


def _integer(value, name, minimum):
    if isinstance(value, bool) or not isinstance(value, numbers.Integral):
        raise TypeError(f"{name}: an integer expected, got {value!r}")
    if not minimum <= value <= 2**31 - 1:
        raise ValueError(f"{name}: {value} is out of range ({minimum} to 2**31 - 1)")
    return int(value)


class Scorer:
    """Scores one caliper result after another with the same settings.

    The settings are checked once and the library's parameters and output
    records are kept from one call to the next, so a call costs little more
    than the run itself. One Scorer may serve several threads: a call that
    finds it busy in another thread runs with records of its own.

    Parameters
    ----------
    desired : float, tuple or list
        One desired edge (a position, or (position, polarity)) for single
        edges, or a list of two for pairs, their distance the expected
        width. Polarity "positive" (contrast >= 0), "negative" (<= 0) or
        "any".
    methods : list of Method
        The score methods (Method, or (name, function) tuples).
    max_results : int, optional
        How many candidates to keep (at least 1).
    sort : bool, optional
        Best first, else in candidate order.
    fixed : bool or "both", optional
        True scores in 1/256 fixed point (the values rounded as the module
        rounds), "both" scores in double precision and writes the
        fixed-point fields too.

    Raises
    ------
    TypeError, ValueError
        For a bad argument, naming it; also for a method that suits no run
        with these desired edges.

    Warns
    -----
    DesiredOrderWarning
        When a pair's first desired edge lies after its second.

    Examples
    --------
    >>> import cclp_score as cs
    >>> scorer = cs.Scorer(desired=[(-10, "positive"), (10, "negative")],
    ...                    methods=[cs.Method("sizeDiff", cs.OneSided(0.02, 0.4, 0.4))],
    ...                    max_results=2)
    >>> results = scorer.score([-10.5, -3.0, 9.5, 20.0], [40.0, -5.0, -35.0, 12.0])
    >>> results.edges[0].tolist(), float(results.score[0])
    ([0, 2], 1.0)
    >>> scorer.score([-9.0, 11.0], [30.0, -30.0]).edges.tolist()
    [[0, 1]]
    """

    __slots__ = ("_desired", "_methods", "_max_results", "_sort", "_fixed", "_core")

    def __init__(self, *, desired, methods, max_results=1, sort=True, fixed=False):
        self._setup(desired, methods, max_results, sort, fixed, warn_level=4)

    def _setup(self, desired, methods, max_results, sort, fixed, warn_level):
        """Checks and keeps the settings; a reversed pair warns warn_level
        frames up (the caller of __init__ or of score())."""
        self._desired = desired_edges(desired)
        _warn_if_reversed(self._desired, warn_level)
        self._methods = _methods(methods)
        self._max_results = _integer(max_results, "max_results", 1)
        self._sort = flag(sort, "sort")
        self._fixed = _number_format(fixed)
        self._core = _core.Scorer(polarity_codes(self._desired), list(self._methods),
                                  self._max_results, self._sort, _FORMATS[self._fixed])

    desired = property(lambda self: self._desired, doc="The desired edges (DesiredEdge).")
    methods = property(lambda self: self._methods, doc="The score methods (Method).")
    max_results = property(lambda self: self._max_results, doc="How many candidates are kept.")
    sort = property(lambda self: self._sort, doc="Whether results come best first.")
    fixed = property(lambda self: self._fixed, doc="The number format: False, True or 'both'.")

    def __repr__(self):
        return (f"Scorer(desired={list(self._desired)!r}, methods={list(self._methods)!r}, "
                f"max_results={self._max_results}, sort={self._sort}, fixed={self._fixed!r})")

    def score(self, positions, contrasts, *, extras=None):
        """Score the edges of one caliper result.

        Parameters
        ----------
        positions, contrasts : array_like
            The edges along the caliper, positions ascending: float arrays
            (or array-likes of numbers) of equal length, every value
            finite. A float64 C-contiguous array is read as it is.
        extras : array_like, optional
            An (edges, 3) array of extra values, which makes the run an
            extended one.

        Returns
        -------
        Results
            The kept candidates; their arrays are new on every call.

        Raises
        ------
        TypeError, ValueError
            For a bad array, naming it, or a method that needs extras.
        ScoreError
            For what the library refuses.

        Examples
        --------
        >>> import cclp_score as cs
        >>> scorer = cs.Scorer(desired=0.0, methods=[cs.Method("contrast", cs.OneSided(50, 0, 0))])
        >>> scorer.score([-4.0, 1.5, 6.0], [12.0, -60.0, 30.0]).edges.tolist()
        [[1]]
        """
        return self._results(self._core.score(positions, contrasts, extras, None))

    def _score_record(self, positions, contrasts, record, extras):
        """A run over the edge finder's result set, which positions and
        contrasts view (ascending and finite; read in place when it can)."""
        return self._results(self._core.score(positions, contrasts, extras, record))

    def _results(self, out):
        return Results(desired=self._desired, methods=self._methods, fixed=self._fixed,
                       sort=self._sort, **out)


def score(positions, contrasts, *, desired, methods, max_results=1, sort=True, extras=None,
          fixed=False, _record=None):
    """Score the edges of one caliper result.

    Every candidate (each edge, or each pair of edges when two desired edges
    are given) is scored by every method; the scores are combined and the
    best candidates kept.

    Parameters
    ----------
    positions, contrasts : array_like
        The edges along the caliper: positions ascending, any finite
        numbers, of equal length.
    desired : float, tuple, DesiredEdge or list of them
        One desired edge for single edges (a position, a
        ``(position, polarity)`` tuple or a DesiredEdge), or a list of two
        for pairs; polarity ``"positive"``, ``"negative"`` or ``"any"``.
    methods : list of Method
        The score methods (a ``(name, function)`` tuple stands for
        ``Method(name, function)``); at least one.
    max_results : int, optional
        How many candidates to keep (default 1).
    sort : bool, optional
        Best first (default), else in candidate order.
    extras : array_like, optional
        An (edges, 3) array of extra values per edge, which makes the run an
        extended one (the extra1Diff and extraMax methods read them).
    fixed : bool or "both", optional
        True scores in 1/256 fixed point (the values rounded as the module
        rounds them); ``"both"`` scores in double precision and fills the
        fixed-point fields too; False (default) double precision only.

    Returns
    -------
    Results
        The kept candidates and the run's inputs.

    Raises
    ------
    TypeError, ValueError
        A bad argument; the message names it.
    ScoreError
        A value the library refuses (a method that scores pairs only on
        single edges, say).

    Warns
    -----
    DesiredOrderWarning
        A pair whose first desired edge lies after its second: that pair is
        never formed.

    See Also
    --------
    Scorer : keeps these settings for many runs.

    Notes
    -----
    The GIL is released during the run.

    Examples
    --------
    >>> import cclp_score as cs
    >>> results = cs.score([-10.5, 0.0, 9.0], [40.0, -5.0, -35.0],
    ...                    desired=(-10, "positive"),
    ...                    methods=[cs.Method("contrast", cs.OneSided(40.0, 0.0, 0.0))])
    >>> results.edges.tolist(), results.score.tolist()
    ([[0]], [1.0])
    >>> cs.score([1.0, 0.0], [5.0, 5.0], desired=0, methods=[("contrast", cs.OneSided(5, 0, 0))])
    Traceback (most recent call last):
    ...
    ValueError: positions: edges must come in ascending position order, as the caliper reports them; edge 1 lies before edge 0
    """
    # _record: the edge finder's result set that positions and contrasts
    # view, from Found.score(): ascending and finite, so not checked for
    # order, and read in place by a double-precision run without extras.
    scorer = Scorer.__new__(Scorer)
    scorer._setup(desired, methods, max_results, sort, fixed, warn_level=4)
    if _record is None:
        return scorer.score(positions, contrasts, extras=extras)
    return scorer._score_record(positions, contrasts, _record, extras)
