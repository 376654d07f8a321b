"""Input the package refuses, warns about or reads, in the words of the
cclp-score tool where the tool takes the same input."""

import doctest
import json
import os
import pathlib
import re
import subprocess

import numpy as np
import pytest

import cclp_score as cs

EDGES = ([-4.0, 4.0], [9.0, -9.0])
STRADDLE = dict(desired=[-5.0, 5.0], methods=[cs.Method("straddle")])
RAMP = {"x0": 0.1, "x1": 0.5, "x2": 1}


def tool_says(tool_binary, tmp_path, positions, desired, method):
    """What the tool writes to standard error about one document."""
    document = {"caliper": {"edges": [{"position": p, "contrast": 9} for p in positions]},
                "params": {"desiredEdges": [{"position": d} for d in desired],
                           "scoreMethods": [method]}}
    (tmp_path / "in.json").write_text(json.dumps(document))
    return subprocess.run([tool_binary, str(tmp_path / "in.json")], capture_output=True,
                          text=True).stderr


@pytest.mark.parametrize("call, field, words, tool_input", [
    (lambda: cs.score([-4.0, 4.0, 1.0], [9.0, -9.0, 1.0], **STRADDLE), "positions",
     "edges must come in ascending position order, as the caliper reports them; "
     "edge 2 lies before edge 1", ([-4, 4, 1], {"method": "straddle"})),
    (lambda: cs.Scorer(**STRADDLE).score([-4.0, 4.0, 1.0], [9.0, -9.0, 1.0]), "positions",
     "edges must come in ascending position order, as the caliper reports them; "
     "edge 2 lies before edge 1", ([-4, 4, 1], {"method": "straddle"})),
    (lambda: cs.Method("sizediff", cs.OneSided(0.1, 0.5, 1.0)), "name",
     "unknown score method 'sizediff' (did you mean 'sizeDiff'?)",
     ([-4, 4], {"method": "sizediff", "oneSided": RAMP})),
    (lambda: cs.Method("straddle", cs.OneSided(0.1, 0.5, 1.0)), "function",
     "'straddle' takes no function; give none",
     ([-4, 4], {"method": "straddle", "oneSided": RAMP}))])
def test_refusals_say_what_the_tool_says(call, field, words, tool_input, tool_binary, tmp_path):
    with pytest.raises(ValueError, match=f"^{field}: {re.escape(words)}$"):
        call()
    assert words in tool_says(tool_binary, tmp_path, tool_input[0], [-5, 5], tool_input[1])


def test_reversed_desired_edges_warn_as_the_tool_warns(tool_binary, tmp_path):
    reversed_pair = dict(desired=[10.0, -10.0], methods=[cs.Method("straddle")])
    with pytest.warns(cs.DesiredOrderWarning) as caught:
        cs.score(*EDGES, **reversed_pair)
        cs.Scorer(**reversed_pair)
    assert [warning.filename for warning in caught] == [__file__, __file__]
    assert str(caught[0].message) == str(caught[1].message)
    words = str(caught[0].message).removeprefix("desired: ")
    assert words.startswith("the first desired edge (at 10) lies after the second (at -10)")
    assert words in tool_says(tool_binary, tmp_path, [-4, 4], [10, -10], {"method": "straddle"})
    runner = doctest.DocTestRunner()
    for example in doctest.DocTestFinder().find(cs.DesiredOrderWarning):
        runner.run(example)
    assert runner.summarize(verbose=False).failed == 0


def test_values_are_taken_only_in_their_range_and_type():
    ramp = cs.OneSided(0.0, 256.0, 512.0)
    for beyond in (np.array([2**64 - 1], np.uint64), np.array([-2**31 - 1])):
        with pytest.raises(ValueError, match="^values: 1/256 values must fit 32 bits$"):
            ramp.sample_fixed(beyond)
    with pytest.raises(TypeError, match="^sort: True or False expected, got 'no'$"):
        cs.score(*EDGES, sort="no", **STRADDLE)
    with pytest.raises(TypeError, match="^sort: True or False expected, got 0$"):
        cs.Scorer(sort=0, **STRADDLE)
    with pytest.raises(ValueError, match="^fixed: False, True or 'both' expected, got 1$"):
        cs.Scorer(fixed=1, **STRADDLE)
    with pytest.raises(TypeError, match="^sort: True or False expected, got 1$"):
        cs.Recording(*EDGES, sort=1, **STRADDLE)
    with pytest.raises(TypeError, match="^clip: True or False expected, got 'yes'$"):
        cs.find_edges(np.zeros((8, 8), np.uint8), (4, 4, 0, 4, 1), clip="yes")


def test_a_fixed_run_that_keeps_nothing_has_empty_fixed_fields():
    none_kept = dict(desired=(0.0, "negative"), methods=[cs.Method("contrast", cs.OneSided(0, 99, 99))])
    out = cs.score([1.0, 2.0], [30.0, 40.0], fixed="both", **none_kept)
    assert [(a.dtype, a.shape) for a in (out.score_fixed, out.position_fixed, out.method_scores_fixed)] \
        == [(np.int32, (0,)), (np.int32, (0,)), (np.int32, (0, 1))]
    assert cs.score([1.0, 2.0], [30.0, 40.0], **none_kept).score_fixed is None
    kept_scorer = cs.Scorer(fixed=True, **none_kept)
    assert kept_scorer.score([1.0, 2.0], [30.0, 40.0]).method_scores_fixed.shape == (0, 1)
    assert kept_scorer.score([1.0, 2.0], [-30.0, 40.0]).score_fixed.shape == (1,)


def test_read_image_takes_any_name_the_file_system_allows(tmp_path):
    raw = os.fsencode(tmp_path) + b"/gray\xff.pgm"
    with open(raw, "wb") as file:
        file.write(b"P5\n2 1\n255\n\x10\x20")
    for name in (raw, os.fsdecode(raw), pathlib.Path(os.fsdecode(raw))):
        assert cs.read_image(name).tolist() == [[0x10, 0x20]]
    with pytest.raises(cs.EdgeError, match="CSYS_STATUS_INVALID_ARGUMENT"):
        cs.read_image(os.fsdecode(raw) + "\0x")


def test_recordings_results_and_found_edges_compare_by_value():
    first, second = cs.Recording(*EDGES, **STRADDLE), cs.Recording(*EDGES, **STRADDLE)
    assert first == second and first.score() == second.score()
    second.positions[0] = -3.0
    assert first != second and first.score() != second.score()
    pytest.raises(TypeError, hash, first.score())
    image = np.tile(np.uint8([10, 10, 200, 200]), (3, 1))
    assert cs.find_edges(image, (1.5, 1, 0, 3, 1)) == cs.find_edges(image.copy(), (1.5, 1, 0, 3, 1))
