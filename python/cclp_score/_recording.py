"""Recording.score(): a recording scored as score() scores its arguments.
The recording itself, load() and save() are the tool's recording model,
bound in _core."""

import dataclasses

from . import _core
from ._scoring import score


def _score(self, **overrides):
    """score() with this recording's arguments; keywords replace them."""
    arguments = dict(desired=self.desired, methods=list(self.methods), max_results=self.max_results,
                     sort=self.sort, extras=self.extras, fixed=self.fixed)
    arguments.update(overrides)
    results = score(self.positions, self.contrasts, **arguments)
    return dataclasses.replace(results, description=self.description, profile=self.profile)


_core.Recording.score = _score
Recording, load, save = _core.Recording, _core.load, _core.save
