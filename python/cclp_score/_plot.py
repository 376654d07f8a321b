"""plot(): the picture `cclp-score --plot` draws, for Results.

Results carry their run's inputs; the tool's renderer scores them again
through the tool's own path and draws the same SVG document, so a plot made
here and one made by the tool from the same recording are the same file.
"""

import os
import pathlib
import shutil
import subprocess
import tempfile

import numpy as np

from . import _core
from ._scoring import _FORMATS, Results, polarity_codes

_PNG_CONVERTER = "rsvg-convert"
# Saved plots get the permissions a new file gets; the mask can only be
# read by setting it, so it is read once, here.
_UMASK = os.umask(0)
os.umask(_UMASK)


class Plot:
    """One plot as an SVG document; from ``plot()``.

    Notebooks show it inline; ``save()`` writes it as .svg, or as .png
    through rsvg-convert.

    Parameters
    ----------
    svg : str
        The SVG document.

    Attributes
    ----------
    svg : str
        The SVG document.

    Examples
    --------
    >>> import cclp_score as cs
    >>> results = cs.score([-10.5, 0.0, 9.0], [40.0, -5.0, -35.0],
    ...                    desired=[(-10, "positive"), (10, "negative")],
    ...                    methods=[cs.Method("sizeDiff", cs.OneSided(0.0, 0.25, 0.25))])
    >>> drawn = cs.plot(results)
    >>> drawn.svg.startswith("<?xml")
    True
    """

    def __init__(self, svg):
        self.svg = svg

    def _repr_svg_(self):
        return self.svg

    def __repr__(self):
        return f"<Plot: SVG, {len(self.svg)} characters>"

    def save(self, path):
        """Write the plot to a file, whole or not at all.

        The file is written beside ``path`` and renamed over it.

        Parameters
        ----------
        path : str or os.PathLike
            Ends in .svg (written as it is) or .png (converted by
            rsvg-convert; Debian: librsvg2-bin).

        Raises
        ------
        ValueError
            ``path`` ends in neither .svg nor .png.
        RuntimeError
            PNG asked for, but rsvg-convert is missing or failed.
        OSError
            The file cannot be written.

        Examples
        --------
        >>> import cclp_score as cs
        >>> results = cs.score([-10.5, 0.0, 9.0], [40.0, -5.0, -35.0],
        ...                    desired=[(-10, "positive"), (10, "negative")],
        ...                    methods=[cs.Method("sizeDiff", cs.OneSided(0.0, 0.25, 0.25))])
        >>> cs.plot(results).save("run.svg")
        >>> open("run.svg").read().count("<svg")
        1
        """
        path = pathlib.Path(path)
        suffix = path.suffix.lower()
        if suffix not in (".svg", ".png"):
            raise ValueError(f"path: '{path.name}' must end in .svg or .png")
        converter = None
        if suffix == ".png":
            converter = shutil.which(_PNG_CONVERTER)
            if converter is None:
                raise RuntimeError(f"saving '{path.name}' as PNG needs the converter {_PNG_CONVERTER} "
                                   "(Debian: apt-get install librsvg2-bin); .svg needs none")
        descriptor, partial = tempfile.mkstemp(prefix=f".{path.name}.", suffix=".partial",
                                               dir=path.parent)
        try:
            with os.fdopen(descriptor, "wb") as file:
                if converter is None:
                    file.write(self.svg.encode())
                else:
                    done = subprocess.run([converter, "--format", "png"], input=self.svg.encode(),
                                          stdout=file, stderr=subprocess.PIPE, check=False)
                    if done.returncode != 0:
                        message = done.stderr.decode(errors="replace").strip()
                        raise RuntimeError(f"{_PNG_CONVERTER} could not convert the plot: {message}")
            os.chmod(partial, 0o666 & ~_UMASK)
            os.replace(partial, path)
        except BaseException:
            os.unlink(partial)
            raise


def _profile(profile):
    if profile is None:
        return None
    if not isinstance(profile, dict) or set(profile) != {"start", "step", "values"}:
        raise ValueError("profile: None or {'start', 'step', 'values'} expected")
    values = np.asarray(profile["values"], dtype=np.float64)
    if values.ndim != 1:
        raise ValueError(f"profile['values']: a 1-D array expected, got shape {values.shape}")
    return float(profile["start"]), float(profile["step"]), values.tolist()


def plot(results, path=None, *, profile=None, title=None):
    """Draw a run's results as ``cclp-score --plot`` draws the same run.

    The tool's renderer scores the run's inputs again and draws the same SVG
    document the tool draws.

    Parameters
    ----------
    results : Results, LineFit or CircleFit
        From ``score()``, ``Recording.score()`` or ``Found.score()``; a line
        or circle tool's fit is drawn as its ``plot()`` draws it.
    path : str or os.PathLike, optional
        Also save the plot there (.svg, or .png with rsvg-convert installed).
    profile : dict, optional
        The caliper's projection ``{"start", "step", "values"}``, in place of
        the results' own (those of ``Recording.score()`` and
        ``Found.score()`` carry theirs).
    title : str, optional
        Replaces the results' description.

    Returns
    -------
    Plot
        The SVG document; notebooks show it inline.

    Raises
    ------
    TypeError
        ``results`` is neither Results nor a LineFit or CircleFit.
    ValueError
        A malformed ``profile`` or ``path``.

    Examples
    --------
    >>> import cclp_score as cs
    >>> results = cs.score([-10.5, 0.0, 9.0], [40.0, -5.0, -35.0],
    ...                    desired=[(-10, "positive"), (10, "negative")],
    ...                    methods=[cs.Method("sizeDiff", cs.OneSided(0.0, 0.25, 0.25))])
    >>> cs.plot(results, "run.svg", title="a pair")
    <Plot: SVG, ... characters>
    >>> "a pair" in open("run.svg").read()
    True
    """
    from ._geometry import CaliperFit  # which imports this module

    if isinstance(results, CaliperFit) and profile is None:
        return results.plot(path, title=title)
    if not isinstance(results, Results):
        raise TypeError(f"results: Results (from score()) or a LineFit or CircleFit expected, "
                        f"got {type(results).__name__}")
    extras = [] if results.extras is None else np.asarray(results.extras, dtype=np.float64).tolist()
    svg = _core.plot_svg(
        np.asarray(results.positions, dtype=np.float64).tolist(),
        np.asarray(results.contrasts, dtype=np.float64).tolist(), extras,
        polarity_codes(results.desired),
        list(results.methods),
        # As many as were kept: the run keeps the same candidates again.
        max(1, len(results)), bool(results.sort), _FORMATS[results.fixed],
        results.description if title is None else str(title),
        _profile(results.profile if profile is None else profile))
    drawn = Plot(svg)
    if path is not None:
        drawn.save(path)
    return drawn
