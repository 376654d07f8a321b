"""Recording.score(): a recording scored as score() scores its arguments.
The recording itself, load() and save() are the tool's recording model,
bound in _core."""

import dataclasses

from . import _core
from ._scoring import score


def _score(self, **overrides):
    """Score the recording as ``score()`` scores its arguments.

    Parameters
    ----------
    **overrides
        Keywords of ``score()`` (``methods``, ``max_results``, ...) that
        replace the recording's own for this run.

    Returns
    -------
    Results
        With the recording's description and profile, for ``plot()``.

    Raises
    ------
    TypeError, ValueError, ScoreError
        As ``score()`` raises them.

    Examples
    --------
    >>> import cclp_score as cs
    >>> recording = cs.Recording([-10.5, 0.0, 9.0], [40.0, -5.0, -35.0],
    ...                          desired=[(-10, "positive"), (10, "negative")],
    ...                          methods=[cs.Method("sizeDiff", cs.OneSided(0.0, 0.25, 0.25))])
    >>> recording.score()
    <Results: 1 kept of 3 edges, pairs; best 0.9000 at edges [0, 2]>
    >>> recording.score(max_results=2).edges.tolist()
    [[0, 2], [0, 1]]
    """
    arguments = dict(desired=self.desired, methods=list(self.methods), max_results=self.max_results,
                     sort=self.sort, extras=self.extras, fixed=self.fixed)
    arguments.update(overrides)
    results = score(self.positions, self.contrasts, **arguments)
    return dataclasses.replace(results, description=self.description, profile=self.profile)


_core.Recording.score = _score
Recording, load, save = _core.Recording, _core.load, _core.save
