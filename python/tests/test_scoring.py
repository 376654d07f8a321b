"""score(): its results against sampling through the library, bad input,
and runs on parallel threads."""

import concurrent.futures

import numpy as np
import pytest

import cclp_score as cs

POSITIONS = [-34.2, -26.8, -10.35, -3.1, 4.6, 9.8, 18.4, 31.0]
CONTRASTS = [14.5, -12.0, 61.2, 9.5, -11.3, -58.9, 40.3, -38.7]
PAIR = [(-10, "positive"), (10, "negative")]
SIZE_DIFF = cs.Method("sizeDiff", cs.OneSided(0.02, 0.4, 0.4))


def random_edges(rng, n):
    return np.sort(rng.uniform(-100, 100, n)), rng.uniform(-200, 200, n)


@pytest.mark.parametrize("fixed", [False, True])
def test_sampling_at_the_edges_gives_the_run_scores(fixed):
    function = cs.OneSided(2, 11, 14.2, 0.9, 0.15)
    values = np.array([0.0, 1.5, 2.0, 6.5, 11.0, 14.0, 25.0])
    results = cs.score(values, np.zeros(len(values)), desired=(0.0, "any"),
                       methods=[cs.Method("pos", function)], max_results=len(values), sort=False,
                       fixed=fixed)
    if fixed:
        sampled = function.sample_fixed(np.round(values * 256).astype(np.int32))
        assert list(sampled) == list(results.method_scores_fixed[:, 0])
    else:
        assert list(function.sample(values)) == list(results.method_scores[:, 0])
    assert list(results.edges[:, 0]) == list(range(len(values)))


def test_library_refusals_carry_the_status_name():
    with pytest.raises(cs.ScoreError) as refused:
        cs.OneSided(0, 1, 2, y0=0.2, y1=0.5)
    assert refused.value.status == "CCLP_STATUS_Y0_BELOW_Y1" and refused.value.code < 0
    assert isinstance(refused.value, ValueError)
    with pytest.raises(cs.ScoreError):
        cs.TwoSided(cs.OneSided(0, 1, 2), cs.OneSided(0, 1, 2))
    with pytest.raises(cs.ScoreError):
        cs.Method("sizeDiffSigned", cs.OneSided(0, 1, 2))


@pytest.mark.parametrize("arguments, error, name", [
    (dict(contrasts=CONTRASTS[:-1]), ValueError, "contrasts"),
    (dict(positions=["a"] * 8), TypeError, "positions"),
    (dict(contrasts=[None] * 8), TypeError, "contrasts"),
    (dict(positions=POSITIONS[:-1] + [np.inf]), ValueError, "positions"),
    (dict(contrasts=CONTRASTS[:-1] + [np.nan]), ValueError, "contrasts"),
    (dict(positions=POSITIONS[::-1]), ValueError, "positions"),
    (dict(positions=np.zeros((2, 4))), ValueError, "positions"),
    (dict(methods=[("sizeDif", cs.OneSided(0, 1, 1))]), ValueError, r"methods\[0\]"),
    (dict(methods=["sizeDiff"]), TypeError, r"methods\[0\]"),
    (dict(methods=[]), TypeError, "methods"),
    (dict(desired=(-10, "positive")), ValueError, r"methods\[0\]"),
    (dict(desired=[1, 2, 3]), ValueError, "desired"),
    (dict(desired=[(0, "up"), 1]), ValueError, r"desired\[0\]"),
    (dict(desired=[("x", "any"), 1]), TypeError, r"desired\[0\]"),
    (dict(desired=[np.nan, 1]), ValueError, r"desired\[0\]"),
    (dict(max_results=0), ValueError, "max_results"),
    (dict(max_results=2.5), TypeError, "max_results"),
    (dict(extras=np.zeros((3, 3))), ValueError, "extras"),
    (dict(methods=[cs.Method("extra1Diff", cs.OneSided(0, 1, 1))]), ValueError, r"methods\[0\]"),
    (dict(fixed="yes"), ValueError, "fixed"),
])
def test_bad_arguments_are_named(arguments, error, name):
    call = dict(positions=POSITIONS, contrasts=CONTRASTS, desired=PAIR, methods=[SIZE_DIFF])
    call.update(arguments)
    positions, contrasts = call.pop("positions"), call.pop("contrasts")
    with pytest.raises(error, match=name):
        cs.score(positions, contrasts, **call)


def test_bad_functions_and_methods_are_named():
    with pytest.raises(ValueError, match="name: unknown score method 'size_diff'"):
        cs.Method("size_diff", cs.OneSided(0, 1, 1))
    with pytest.raises(TypeError, match="function"):
        cs.Method("sizeDiff", 3.0)
    with pytest.raises(ValueError, match="function"):
        cs.Method("sizeDiff")
    with pytest.raises(TypeError):
        cs.OneSided("a", 1, 2)
    function = cs.OneSided(0, 1, 2)
    with pytest.raises(TypeError, match="xs"):
        function.sample(["a"])
    with pytest.raises(ValueError, match="xs"):
        function.sample([[0.5, 1.0]])
    with pytest.raises(TypeError, match="values"):
        function.sample_fixed([0.5])
    with pytest.raises(ValueError, match="values"):
        function.sample_fixed([2**40])


def test_threads_score_in_parallel_with_the_same_results():
    rng = np.random.default_rng(11)
    inputs = [random_edges(rng, 300) for _ in range(8)]
    methods = [SIZE_DIFF, cs.Method("contrast", cs.OneSided(200, 0, 0)),
               cs.Method("posAbs", cs.OneSided(0, 50, 60))]

    def run(edges):
        return cs.score(*edges, desired=[-5, 5], methods=methods, max_results=20)

    alone = [run(edges) for edges in inputs]
    with concurrent.futures.ThreadPoolExecutor(4) as pool:
        together = list(pool.map(run, inputs * 3))
    for k, results in enumerate(together):
        expected = alone[k % len(inputs)]
        assert np.array_equal(results.score, expected.score)
        assert np.array_equal(results.edges, expected.edges)
        assert np.array_equal(results.measured, expected.measured, equal_nan=True)


def assert_same_results(got, expected):
    for field in ("score", "position", "method_scores", "edges", "score_fixed", "position_fixed",
                  "method_scores_fixed"):
        assert np.array_equal(getattr(got, field), getattr(expected, field)), field
    assert np.array_equal(got.measured, expected.measured, equal_nan=True)
    assert np.array_equal(got.positions, expected.positions)


@pytest.mark.parametrize("fixed", [False, True, "both"])
@pytest.mark.parametrize("desired", [[-6, 6], (0.0, "negative")], ids=["pairs", "single"])
def test_a_kept_scorer_gives_what_fresh_runs_give(fixed, desired):
    """Runs of varied sizes through one Scorer, its records kept and reused,
    against a fresh score() for each."""
    rng = np.random.default_rng(5)
    methods = [cs.Method("contrast", cs.OneSided(200, 0, 0)),
               cs.Method("posAbs", cs.OneSided(0, 40, 50))]
    if isinstance(desired, list):
        methods.append(SIZE_DIFF)
    settings = dict(desired=desired, methods=methods, max_results=7, fixed=fixed)
    scorer = cs.Scorer(**settings)
    for n in (0, 1, 30, 3, 12, 60, 2):
        positions, contrasts = random_edges(rng, n)
        extras = rng.uniform(0, 9, (n, 3)) if n % 2 else None
        assert_same_results(scorer.score(list(positions), contrasts, extras=extras),
                            cs.score(positions, contrasts, extras=extras, **settings))


def test_a_scorer_checks_each_call_and_stays_usable():
    with pytest.raises(ValueError, match=r"desired\[0\]: the position must be finite"):
        cs.Scorer(desired=[10**400, 1], methods=[SIZE_DIFF])
    scorer = cs.Scorer(desired=PAIR, methods=[cs.Method("extra1Diff", cs.OneSided(0, 1, 1))])
    with pytest.raises(ValueError, match=r"methods\[0\]"):
        scorer.score(POSITIONS, CONTRASTS)
    with pytest.raises(ValueError, match="contrasts: every value must be finite"):
        scorer.score(POSITIONS[::-1], CONTRASTS[:-1] + [np.nan])
    with pytest.raises(ValueError, match=r"extras\[:, 2\]: every value must be finite \(index 1"):
        scorer.score(POSITIONS, CONTRASTS, extras=[[0, 0, 0], [0, 0, np.inf]] + [[0, 0, 0]] * 6)
    extras = np.arange(24.0).reshape(3, 8)
    results = scorer.score(np.array(POSITIONS, dtype=np.float32), CONTRASTS, extras=extras)
    assert results.extras.shape == (8, 3) and np.array_equal(results.extras, extras.T)
    with pytest.raises(AttributeError):
        scorer.max_results = 3


def test_one_scorer_serves_several_threads():
    rng = np.random.default_rng(17)
    inputs = [random_edges(rng, 200) for _ in range(6)]
    scorer = cs.Scorer(desired=[-5, 5], methods=[SIZE_DIFF], max_results=9)
    alone = [scorer.score(*edges) for edges in inputs]
    with concurrent.futures.ThreadPoolExecutor(4) as pool:
        together = list(pool.map(lambda edges: scorer.score(*edges), inputs * 4))
    for k, results in enumerate(together):
        assert_same_results(results, alone[k % len(inputs)])


def test_the_scorer_examples_run():
    import doctest

    from cclp_score import _scoring

    assert doctest.testmod(_scoring).failed == 0
