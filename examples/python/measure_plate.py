#!/usr/bin/env python3
"""Measure a part in a photograph: image file -> edges -> scored pair -> plot.

Reads the bundled photograph crop (edgefinder/data/name_plate.png), finds the
edges in a caliper cut downward across the name plate at column 50, scores
the pairs that look like a plate about 27 pixels high (dark to light, then
light to dark) and plots the profile, the edges and the winning pair
(measure_plate.png, or the path given).

    python3 examples/python/measure_plate.py [out.png]

(after building the default preset, or with the package installed)
"""

import pathlib
import sys

from package import ROOT, cclp_score as cs

DATA = ROOT / "edgefinder" / "data"
CALIPER = (50.0, 30.0, 90.0, 40.0, 2.0)  # x, y, angle (90: downward), length, thickness
HEIGHT = 27.0  # the plate's expected height in pixels


def main():
    output = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "measure_plate.png")
    # The PGM holds the PNG's luma; the PNG needs a build with libpng.
    path = DATA / ("name_plate.png" if cs.reads_png() else "name_plate.pgm")
    image = cs.read_image(path)
    # 30 gray levels per pixel: the plate's edges, not its lettering.
    found = cs.find_edges(image, caliper=CALIPER, sigma=1.0, min_contrast=30.0)
    print(f"{path.name}: {image.shape[1]} x {image.shape[0]}, {len(found)} edges in the caliper")
    for position, contrast in zip(found.positions, found.contrasts):
        print(f"  edge at {position:+7.2f} px, contrast {contrast:+6.1f}")

    # Score 1 at the expected height, falling to 0 at 25 % off.
    results = found.score(desired=[(-HEIGHT / 2, "positive"), (HEIGHT / 2, "negative")],
                          methods=[cs.Method("sizeDiff", cs.OneSided(0.0, 0.25, 0.25))])
    if not len(results):
        print(f"no pair near {HEIGHT:.1f} px")
        return 1
    first, second = found.positions[results.edges[0]]
    print(f"best pair: {first:.2f} to {second:.2f}, height {second - first:.2f} px, "
          f"score {results.score[0]:.3f}")
    cs.plot(results, output, title=f"Name plate height at column {CALIPER[0]:.0f}")
    print(f"plot written to {output}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
