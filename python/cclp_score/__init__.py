"""Score caliper edges from Python: the caliper scoring module over numpy.

    import cclp_score as cs
    results = cs.score(positions, contrasts,
                       desired=[(-10, "positive"), (10, "negative")],
                       methods=[cs.Method("sizeDiff", cs.OneSided(0.02, 0.4, 0.4))],
                       max_results=4)
    results.score, results.edges, results.measured

Scoring functions (OneSided, TwoSided) and methods (Method) are checked by
the library when they are built; a refused value raises ScoreError (a
ValueError) carrying the library's status name. load()/save() read and
write the cclp-score tool's JSON document; plot() draws what the tool's
--plot draws (the same SVG document, through the tool's renderer): a Plot
that notebooks show inline and that saves as .svg or .png.

From an image: find_edges(read_image("part.png"), caliper=(x, y, angle,
length, thickness), sigma=1.0, min_contrast=30.0) returns the edges and the
profile; found.score(desired=..., methods=...) scores them (EdgeError for
what the edge finder refuses); found.points holds the edges' image x, y.

Lines and circles: find_line(image, start, end, calipers=..., desired=...,
methods=...) and find_circle(image, center, radius, ...) run a row or a
ring of calipers, each keeping its best-scored edge, and fit a line or a
circle robustly (LineFit, CircleFit; GeometryError for what the tools
refuse).
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
