"""Score caliper edges from Python: the caliper scoring module over numpy.

``score()`` scores the edges of one caliper result against one desired
edge or a pair, by a list of score methods (``Method``), each mapping what
it measures through a scoring function (``OneSided``, ``TwoSided``). The
library checks functions and methods when they are built; a value it
refuses raises ``ScoreError`` (a ``ValueError``) carrying its status name.

``load()`` and ``save()`` read and write the cclp-score tool's document (a
``Recording``); ``plot()`` draws what the tool's ``--plot`` draws.
``find_edges()`` finds the edges in an image (``read_image()``); its
``Found.score()`` scores them, and ``EdgeError`` reports what the edge
finder refuses.

Lines and circles: ``find_line()`` and ``find_circle()`` run a row or a
ring of calipers over an image, each keeping its best-scored edge, and fit a
line or a circle robustly (``LineFit``, ``CircleFit``; ``GeometryError`` for
what the tools refuse). ``Found.points`` holds the found edges' image x, y.

Examples
--------
>>> import cclp_score as cs
>>> results = cs.score([-10.5, 0.0, 9.0], [40.0, -5.0, -35.0],
...                    desired=[(-10, "positive"), (10, "negative")],
...                    methods=[cs.Method("sizeDiff", cs.OneSided(0.0, 0.25, 0.25))],
...                    max_results=2)
>>> results.score.tolist(), results.edges.tolist()
([0.9, 0.0], [[0, 2], [0, 1]])
"""

from ._version import __version__
from ._errors import EdgeError, GeometryError, ScoreError
from ._core import Method, OneSided, TwoSided, method_names, reads_png
from ._scoring import DesiredEdge, DesiredOrderWarning, Results, Scorer, score
from ._recording import Recording, load, save
from ._plot import Plot, plot
from ._edges import Found, find_edges, read_image
from ._geometry import CaliperFit, CircleFit, LineFit, find_circle, find_line

__all__ = [
    "CaliperFit",
    "CircleFit",
    "DesiredEdge",
    "DesiredOrderWarning",
    "EdgeError",
    "Found",
    "GeometryError",
    "LineFit",
    "Method",
    "OneSided",
    "Plot",
    "Recording",
    "Results",
    "Scorer",
    "ScoreError",
    "TwoSided",
    "find_circle",
    "find_edges",
    "find_line",
    "load",
    "method_names",
    "plot",
    "read_image",
    "reads_png",
    "save",
    "score",
]
