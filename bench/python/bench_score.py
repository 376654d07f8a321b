#!/usr/bin/env python3
"""What the Python call costs over the C++ interface: pair runs with three
score methods keeping 5 results, through a kept cclp_score.Scorer, through
cclp_score.score() and through the C++ interface alone (timed in C++ inside
the same extension: edges copied, parameters built, run, results read),
timed by the thread's CPU time on both sides,
alternating in one process so that all three see the same load. Each
figure is the best of the rounds. Goals: Scorer.score at most 2x the C++
call at 20 edges; score() at most 1.2x at 1,000 edges.

    PYTHONPATH=build/default/python /usr/bin/python3 bench/python/bench_score.py [rounds]
"""

import os
import sys
import time

import numpy as np

import cclp_score as cs
from cclp_score import _core

REPEATS = 2000
DESIRED = [(-5.0, "any"), (5.0, "any")]
METHODS = [cs.Method("sizeDiff", cs.OneSided(0.0, 0.5, 0.5)),
           cs.Method("contrast", cs.OneSided(255.0, 0.0, 0.0)),
           cs.Method("posAbs", cs.OneSided(0.0, 50.0, 60.0))]
MAX_RESULTS = 5


def profile(edges):
    rng = np.random.default_rng(12345)
    positions = -edges / 2 + np.cumsum(rng.uniform(0.1, 2.0, edges))
    return positions, rng.uniform(-200.0, 200.0, edges)


def per_call(call, repeats):
    start = time.thread_time()
    for _ in range(repeats):
        call()
    return (time.thread_time() - start) / repeats


def measure(edges, rounds):
    positions, contrasts = profile(edges)
    repeats = max(20, REPEATS * 20 // edges)
    scorer = cs.Scorer(desired=DESIRED, methods=METHODS, max_results=MAX_RESULTS)
    kept = fresh = cxx = float("inf")
    for _ in range(rounds):
        kept = min(kept, per_call(lambda: scorer.score(positions, contrasts), repeats))
        fresh = min(fresh, per_call(lambda: cs.score(positions, contrasts, desired=DESIRED,
                                                     methods=METHODS, max_results=MAX_RESULTS),
                                    repeats))
        cxx = min(cxx, _core.time_cxx_runs(positions, contrasts, [(-5.0, 3), (5.0, 3)], METHODS,
                                           MAX_RESULTS, repeats)[0])
    print(f"{edges:>5} edges: C++ {cxx * 1e6:8.2f} us, Scorer.score {kept * 1e6:8.2f} us "
          f"({kept / cxx:.2f}x), score() {fresh * 1e6:8.2f} us ({fresh / cxx:.2f}x)")


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 10
    print(f"{os.cpu_count()} cores, load average {os.getloadavg()[0]:.2f}")
    for edges in (8, 20, 50, 1000):
        measure(edges, rounds)


if __name__ == "__main__":
    main()
