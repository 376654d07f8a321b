#!/usr/bin/env python3
"""The line tool from Python: 20 calipers of 60 x 10 px across a straight
boundary with the robust line fit in one cclp_score.find_line() call,
against the same 20 calipers searched and scored one find_edges() and
Found.score() call at a time, alternating in one process so that both see
the same load. Prints thread CPU microseconds per call (the C side alone:
bench/bench_geometry.cpp).

    PYTHONPATH=build/default/python python3 bench/python/bench_geometry.py [rounds]
"""

import math
import sys
import time

import numpy as np

import cclp_score as cs

WIDTH, HEIGHT, CALIPERS, REPEATS = 640, 480, 20, 20
ANGLE = 7.0


def boundary_image():
    """Dark to light across a line at 7 degrees through the centre, blurred,
    with noise of 2 gray levels (as the C benchmark draws it)."""
    rng = np.random.default_rng(7)
    y, x = np.mgrid[0:HEIGHT, 0:WIDTH].astype(np.float64)
    a = math.radians(ANGLE)
    across = -(x - 320.0) * math.sin(a) + (y - 240.0) * math.cos(a)
    erfc = np.vectorize(math.erfc)
    gray = 40.0 + 80.0 * 0.5 * erfc(-across / (1.5 * math.sqrt(2.0))) + rng.normal(0.0, 2.0, across.shape)
    return np.clip(np.round(gray), 0, 255).astype(np.uint8)


def per_call(run):
    start = time.thread_time()
    for _ in range(REPEATS):
        run()
    return (time.thread_time() - start) / REPEATS


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 20
    image = boundary_image()
    a = math.radians(ANGLE)
    start = (320.0 - 200.0 * math.cos(a), 240.0 - 200.0 * math.sin(a))
    end = (320.0 + 200.0 * math.cos(a), 240.0 + 200.0 * math.sin(a))
    scoring = dict(desired=(0.0, "positive"), methods=[cs.Method("posAbs", cs.OneSided(0.0, 10.0, 10.0))])
    settings = dict(calipers=CALIPERS, length=60.0, thickness=10.0, sigma=1.5)
    line = cs.find_line(image, start, end, **settings, **scoring)
    assert line.num_used == CALIPERS, line
    calipers = [tuple(rectangle) for rectangle in line.calipers]

    def one_call():
        cs.find_line(image, start, end, **settings, **scoring)

    def single_calls():
        for caliper in calipers:
            cs.find_edges(image, caliper, sigma=1.5).score(**scoring)

    tool = singles = 0.0
    for _ in range(rounds):
        tool += per_call(one_call)
        singles += per_call(single_calls)
    print(f"{CALIPERS} calipers of 60 x 10 px: find_line {tool / rounds * 1e6:8.1f} us a call, "
          f"{CALIPERS} find_edges + score calls {singles / rounds * 1e6:8.1f} us, "
          f"ratio {tool / singles:.3f}")


if __name__ == "__main__":
    main()
