#!/usr/bin/env python3
"""What the Python call costs over the C++ interface: a pair run over 1,000
edges with three score methods, through cclp_score.score() and through the
C++ interface alone (timed in C++ inside the same extension), alternating
in one process so that both see the same load. The goal: a ratio of at most
1.2.

    PYTHONPATH=build/default/python python3 bench/python/bench_score.py [rounds]
"""

import sys
import time

import numpy as np

import cclp_score as cs
from cclp_score import _core

EDGES = 1000
REPEATS = 5


def profile():
    rng = np.random.default_rng(12345)
    positions = -EDGES / 2 + np.cumsum(rng.uniform(0.1, 2.0, EDGES))
    return positions, rng.uniform(-200.0, 200.0, EDGES)


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 10
    positions, contrasts = profile()
    desired = [(-5.0, "any"), (5.0, "any")]
    methods = [cs.Method("sizeDiff", cs.OneSided(0.0, 0.5, 0.5)),
               cs.Method("contrast", cs.OneSided(255.0, 0.0, 0.0)),
               cs.Method("posAbs", cs.OneSided(0.0, 50.0, 60.0))]
    for max_results in (1, 10, 100):
        python_time = cxx_time = 0.0
        for _ in range(rounds):
            start = time.perf_counter()
            for _ in range(REPEATS):
                cs.score(positions, contrasts, desired=desired, methods=methods,
                         max_results=max_results)
            python_time += (time.perf_counter() - start) / REPEATS
            cxx_time += _core.time_cxx_runs(positions, contrasts, [(-5.0, 3), (5.0, 3)], methods,
                                            max_results, REPEATS)[0]
        print(f"max_results {max_results:>3}: python {python_time / rounds * 1e3:8.3f} ms, "
              f"C++ {cxx_time / rounds * 1e3:8.3f} ms, ratio {python_time / cxx_time:.3f}")


if __name__ == "__main__":
    main()
