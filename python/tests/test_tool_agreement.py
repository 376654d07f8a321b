"""Results equal those of the C++ interface's runs as the cclp-score tool
reports them, on the bundled samples and on random recordings saved by
save(): scores bit for bit, edges by input index, measured values."""

import numpy as np
import pytest

import cclp_score as cs


def assert_same_as_tool(results, report):
    kept = report["results"]
    assert len(results) == len(kept)
    for r, expected in enumerate(kept):
        if "score" in expected:
            assert results.score[r] == expected["score"]
            assert results.position[r] == expected["position"]
        if "scoreFixed" in expected:
            assert results.score_fixed[r] == expected["scoreFixed"]
            assert results.position_fixed[r] == expected["positionFixed"]
        assert list(results.edges[r]) == [edge["index"] for edge in expected["edges"]]
        for m, method in enumerate(expected["methodScores"]):
            assert method["method"] == results.methods[m].name
            if "score" in method:
                assert results.method_scores[r, m] == method["score"]
            if "scoreFixed" in method:
                assert results.method_scores_fixed[r, m] == method["scoreFixed"]
            measured = results.measured[r, m]
            assert list(measured[~np.isnan(measured)]) == method.get("measured", [])


def test_bundled_samples_score_as_in_the_tool(sample, tool, tmp_path):
    recording = cs.load(sample)
    saved = tmp_path / "saved.json"
    cs.save(saved, recording)
    assert_same_as_tool(recording.score(), tool(saved))


def random_recording(rng, pairs, fixed, extended):
    n = int(rng.integers(2, 60))
    positions = np.sort(rng.uniform(-50, 50, n)).round(3)
    contrasts = rng.uniform(-100, 100, n).round(2)
    extras = rng.uniform(0, 1, (n, 3)).round(3) if extended else None
    width = float(rng.uniform(5, 30))
    if pairs:
        desired = [(-width / 2, "positive"), (width / 2, rng.choice(["negative", "any"]))]
        methods = [cs.Method("sizeDiff", cs.OneSided(0.02, 0.6, 1.5, 1, 0.1)),
                   cs.Method("contrast", cs.OneSided(90, 5, 0)),
                   cs.Method("edgePos", cs.TwoSided.independent(cs.OneSided(-20, -40, -60),
                                                                cs.OneSided(20, 40, 60))),
                   cs.Method("straddle")]
        if extended:
            methods.append(cs.Method("extra1Diff", cs.OneSided(0.1, 0.8, 1)))
    else:
        desired = [(float(rng.uniform(-10, 10)), rng.choice(["positive", "negative", "any"]))]
        methods = [cs.Method("posAbs", cs.OneSided(2, 30, 45, 1, 0.1)),
                   cs.Method("offsetDist", cs.OneSided(1, 20, 30, offset=-5))]
        if extended:
            methods.append(cs.Method("extraMax", cs.OneSided(0.9, 0.1, 0)))
    return cs.Recording(positions=positions, contrasts=contrasts, extras=extras, desired=desired,
                        methods=methods, max_results=int(rng.integers(1, 12)),
                        sort=bool(rng.integers(0, 4)), fixed=fixed)


@pytest.mark.parametrize("fixed", [False, True, "both"])
@pytest.mark.parametrize("pairs", [True, False])
@pytest.mark.parametrize("extended", [False, True])
def test_random_recordings_score_as_in_the_tool(fixed, pairs, extended, tool, tmp_path):
    rng = np.random.default_rng([False, True, "both"].index(fixed) * 4 + pairs * 2 + extended)
    for trial in range(4):
        recording = random_recording(rng, pairs, fixed, extended)
        path = tmp_path / f"random{trial}.json"
        cs.save(path, recording)
        assert_same_as_tool(recording.score(), tool(path))
