#!/usr/bin/env python3
"""Tune an edge-pair search on a bundled recording, and plot it.

Scores examples/samples/pair_with_distractors.json as recorded, prints the
kept pairs with what each method measured, then tightens the size tolerance
and scores again: the plot (tune_pair.png, or the path given) shows where
the candidates fall on each scoring function.

    python3 examples/python/tune_pair.py [out.png]

(after building the default preset, or with the package installed)
"""

import pathlib
import sys

from package import ROOT, cclp_score as cs

SAMPLE = ROOT / "examples" / "samples" / "pair_with_distractors.json"


def report(results):
    names = [method.name for method in results.methods]
    print("rank  score   edges   " + "  ".join(f"{name:>16}" for name in names))
    for r in range(len(results)):
        first, second = results.edges[r]
        cells = [f"{results.method_scores[r, m]:.3f} @ {results.measured[r, m, 0]:7.3f}"
                 for m in range(len(names))]
        print(f"{r + 1:>4}  {results.score[r]:.4f}  #{first}-#{second}  " + "  ".join(f"{c:>16}" for c in cells))


def main():
    output = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "tune_pair.png")
    recording = cs.load(SAMPLE)
    print(recording.description)
    report(recording.score())

    # A tighter size tolerance: pairs more than 10 % off the width score 0.
    recording.methods[0] = cs.Method("sizeDiff", cs.OneSided(0.02, 0.1, 0.1))
    tuned = recording.score()
    print("\nsizeDiff falling to 0 at 10 % off the expected width:")
    report(tuned)

    cs.plot(tuned, output)
    print(f"\nplot written to {output}")


if __name__ == "__main__":
    main()
