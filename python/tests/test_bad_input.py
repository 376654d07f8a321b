"""Input the package refuses, warns about or reads as it should, with the
same words as the cclp-score tool where the tool takes the same input."""

import doctest
import json
import os
import pathlib
import re
import subprocess
import warnings

import numpy as np
import pytest

import cclp_score as cs

STRADDLE_PAIR = dict(desired=[-5.0, 5.0], methods=[cs.Method("straddle")])


def tool_refusal(tool_binary, tmp_path, edges, desired, method):
    """What the tool says on standard error about one document."""
    document = {"caliper": {"edges": [{"position": p, "contrast": c} for p, c in edges]},
                "params": {"desiredEdges": [{"position": d} for d in desired],
                           "scoreMethods": [method]}}
    path = tmp_path / "input.json"
    path.write_text(json.dumps(document))
    return subprocess.run([tool_binary, str(path)], capture_output=True, text=True).stderr


def test_unordered_edges_and_unknown_methods_are_refused_in_the_tools_words(tool_binary, tmp_path):
    order = "edges must come in ascending position order, as the caliper reports them; " \
            "edge 2 lies before edge 1"
    with pytest.raises(ValueError, match=f"^positions: {re.escape(order)}$"):
        cs.score([-4.0, 4.0, 1.0], [9.0, -9.0, 1.0], **STRADDLE_PAIR)
    said = tool_refusal(tool_binary, tmp_path, [(-4, 9), (4, -9), (1, 1)], [-5, 5],
                        {"method": "straddle"})
    assert f"caliper.edges[2].position: {order}" in said

    misspelt = "unknown score method 'sizediff' (did you mean 'sizeDiff'?)"
    with pytest.raises(ValueError, match=f"^name: {re.escape(misspelt)}$"):
        cs.Method("sizediff", cs.OneSided(0.1, 0.5, 1.0))
    said = tool_refusal(tool_binary, tmp_path, [(-4, 9), (4, -9)], [-5, 5],
                        {"method": "sizediff", "oneSided": {"x0": 0.1, "x1": 0.5, "x2": 1}})
    assert misspelt in said


def test_a_function_given_to_straddle_is_refused_at_every_door(tool_binary, tmp_path):
    with pytest.raises(ValueError, match="^function: 'straddle' takes no function; give none$"):
        cs.Method("straddle", cs.OneSided(0.1, 0.5, 1.0))
    with pytest.raises(ValueError, match="^function: 'size' scores through a function; give one$"):
        cs.Method("size")
    said = tool_refusal(tool_binary, tmp_path, [(-4, 9), (4, -9)], [-5, 5],
                        {"method": "straddle", "oneSided": {"x0": 0.1, "x1": 0.5, "x2": 1}})
    assert "params.scoreMethods[0].oneSided: 'straddle' takes no function; give none" in said


def test_reversed_desired_edges_warn_as_the_tool_warns(tool_binary, tmp_path):
    with pytest.warns(cs.DesiredOrderWarning) as caught:
        cs.score([-4.0, 4.0], [9.0, -9.0], desired=[10.0, -10.0], methods=[cs.Method("straddle")])
    text = str(caught[0].message)
    assert text.startswith("desired: the first desired edge (at 10) lies after the second (at -10)")
    said = tool_refusal(tool_binary, tmp_path, [(-4, 9), (4, -9)], [10, -10], {"method": "straddle"})
    assert "params.desiredEdges: " + text.removeprefix("desired: ") in said
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        cs.score([-4.0, 4.0], [9.0, -9.0], **STRADDLE_PAIR)


def test_the_warning_class_documents_itself_by_a_running_example():
    finder = doctest.DocTestFinder()
    runner = doctest.DocTestRunner()
    for test in finder.find(cs.DesiredOrderWarning, "DesiredOrderWarning"):
        runner.run(test)
    assert runner.summarize(verbose=False).failed == 0


@pytest.mark.parametrize("values", [np.array([2**64 - 1], dtype=np.uint64),
                                    np.array([2**31], dtype=np.int64),
                                    np.array([-2**31 - 1], dtype=np.int64)])
def test_sample_fixed_refuses_values_beyond_32_bits(values):
    ramp = cs.OneSided(0.0, 256.0, 512.0)
    with pytest.raises(ValueError, match="^values: 1/256 values must fit 32 bits$"):
        ramp.sample_fixed(values)
    edges = np.array([-2**31, 2**31 - 1], dtype=np.int64)
    assert list(ramp.sample_fixed(edges)) == list(ramp.sample_fixed(edges.astype(np.int32)))


def test_fixed_fields_are_empty_arrays_when_a_fixed_run_keeps_nothing():
    kept_none = dict(desired=(0.0, "negative"), methods=[cs.Method("contrast", cs.OneSided(0, 100, 200))])
    for fixed in (True, "both"):
        results = cs.score([1.0, 2.0], [30.0, 40.0], fixed=fixed, max_results=3, **kept_none)
        assert len(results) == 0
        assert results.score_fixed.dtype == np.int32 and results.score_fixed.shape == (0,)
        assert results.position_fixed.dtype == np.int32 and results.position_fixed.shape == (0,)
        assert results.method_scores_fixed.dtype == np.int32
        assert results.method_scores_fixed.shape == (0, 1)
    double = cs.score([1.0, 2.0], [30.0, 40.0], **kept_none)
    assert double.score_fixed is None and double.method_scores_fixed is None


def write_pgm(path):
    with open(path, "wb") as file:
        file.write(b"P5\n2 1\n255\n\x10\x20")


def test_read_image_takes_any_name_the_file_system_allows(tmp_path):
    raw = os.fsencode(tmp_path) + b"/gray\xff.pgm"
    write_pgm(raw)
    for name in (raw, os.fsdecode(raw), pathlib.Path(os.fsdecode(raw))):
        assert cs.read_image(name).tolist() == [[0x10, 0x20]]
    write_pgm(tmp_path / "a.pgm")
    with pytest.raises(cs.EdgeError, match="CSYS_STATUS_INVALID_ARGUMENT"):
        cs.read_image(str(tmp_path / "a.pgm") + "\0x")
    with pytest.raises(cs.EdgeError) as missing:
        cs.read_image(os.fsdecode(raw).replace(".pgm", "missing"))
    assert "gray\udcffmissing: CEDGE_STATUS_FILE_UNREADABLE" in str(missing.value)
    with pytest.raises(TypeError, match="^path: a str, bytes or os.PathLike expected, got int$"):
        cs.read_image(3)


def test_flags_take_only_true_or_false():
    with pytest.raises(TypeError, match="^sort: True or False expected, got 'no'$"):
        cs.score([-4.0, 4.0], [9.0, -9.0], sort="no", **STRADDLE_PAIR)
    with pytest.raises(TypeError, match="^sort: True or False expected, got 1$"):
        cs.Recording([-4.0, 4.0], [9.0, -9.0], sort=1, **STRADDLE_PAIR)
    recording = cs.Recording([-4.0, 4.0], [9.0, -9.0], **STRADDLE_PAIR)
    with pytest.raises(TypeError, match="^sort: True or False expected, got None$"):
        recording.sort = None
    recording.sort = np.False_
    assert recording.sort is False
    with pytest.raises(ValueError, match="^fixed: "):
        cs.score([-4.0, 4.0], [9.0, -9.0], fixed=1, **STRADDLE_PAIR)
    with pytest.raises(TypeError, match="^clip: True or False expected, got 'yes'$"):
        cs.find_edges(np.zeros((8, 8), np.uint8), (4, 4, 0, 4, 1), clip="yes")


def test_recordings_and_results_compare_by_value():
    def recording():
        return cs.Recording([-4.0, 4.0], [9.0, -9.0], **STRADDLE_PAIR)
    first, second = recording(), recording()
    assert first == second
    second.positions[0] = -3.0
    assert first != second
    results = first.score()
    assert results == first.score()
    assert results != second.score()
    assert results != "results"
    with pytest.raises(TypeError):
        hash(results)
    image = np.tile(np.array([10, 10, 10, 200, 200, 200], np.uint8), (5, 1))
    found = cs.find_edges(image, (2.5, 2, 0, 5, 1), min_contrast=20)
    assert found == cs.find_edges(image.copy(), (2.5, 2, 0, 5, 1), min_contrast=20)
