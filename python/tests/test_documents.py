"""load() and save() of the tool's document, through the recording model."""

import json

import numpy as np
import pytest

import cclp_score as cs
from conftest import SOURCE_DIR

SAMPLES = SOURCE_DIR / "examples" / "samples"


def test_the_tools_report_loads_back(sample, tool, tmp_path):
    report = tmp_path / "report.json"
    report.write_text(json.dumps(tool(sample)))
    again, original = cs.load(report).score(), cs.load(sample).score()
    assert np.array_equal(again.score, original.score)
    assert np.array_equal(again.edges, original.edges)


def test_where_the_edges_came_from_and_the_expected_winner_survive_a_round_trip(sample, tmp_path):
    document = json.loads(sample.read_text())
    document["caliper"]["image"] = {"file": "part.png", "sigma": 1, "minContrast": 5,
                                    "caliper": {"x": 50, "y": 30, "angle": 90, "length": 40,
                                                "thickness": 2}}
    expected = {"edges": [0, 1][:len(document["params"]["desiredEdges"])]}
    document["expect"] = expected
    original, saved = tmp_path / "original.json", tmp_path / "saved.json"
    original.write_text(json.dumps(document))
    recording = cs.load(original)
    assert recording.image["caliper"]["angle"] == 90 and recording.expect == expected
    cs.save(saved, recording)
    assert json.loads(saved.read_text()) == document


def test_fields_change_in_place_and_by_assignment(tmp_path):
    recording = cs.load(SAMPLES / "pair_with_distractors.json")
    recording.positions[0] = -40.0
    recording.methods[0] = cs.Method("sizeDiff", cs.OneSided(0.02, 0.1, 0.1))
    recording.desired = [(-10, "dark_to_light"), (10, "light_to_dark")]
    recording.image = {"file": "p.png", "sigma": 2, "minContrast": 9,
                       "caliper": {"x": 1, "y": 2, "angle": 0, "length": 30, "thickness": 1}}
    recording.save(tmp_path / "tuned.json")
    again = cs.load(tmp_path / "tuned.json")
    assert again == recording
    assert again.positions[0] == -40.0
    assert again.methods[0] == recording.methods[0]
    assert [d.polarity for d in again.desired] == ["positive", "negative"]
    assert again.image == recording.image
    assert np.array_equal(again.score().score, recording.score().score)


@pytest.mark.parametrize("change, message", [
    (lambda r: setattr(r, "positions", [1.0, 2.0]), "positions: 5 edges need"),
    (lambda r: setattr(r, "image", {"file": "p.png"}), "caliper.image.caliper: missing field"),
    (lambda r: setattr(r, "profile", {"step": 0, "values": [1, 2]}), "caliper.profile.step"),
    (lambda r: setattr(r, "fixed", "fast"), "fixed: False, True or 'both'"),
    (lambda r: setattr(r, "desired", [(0, "up")]), "polarity 'up' unknown"),
])
def test_a_refused_change_names_the_field(change, message):
    recording = cs.load(SAMPLES / "single_edge.json")
    with pytest.raises(ValueError, match=message):
        change(recording)


@pytest.mark.parametrize("change, field", [
    (lambda r: r.positions.__setitem__(1, np.nan), r"caliper\.edges\[1\]\.position: not a finite"),
    (lambda r: r.positions.__setitem__(1, -99.0), r"caliper\.edges\[1\]\.position: edges must come"),
    (lambda r: setattr(r, "max_results", 0), r"params\.maxNumResults"),
])
def test_a_recording_the_tool_would_refuse_is_not_saved(change, field, tmp_path):
    recording = cs.load(SAMPLES / "single_edge.json")
    change(recording)
    path = tmp_path / "never.json"
    with pytest.raises(ValueError, match=field):
        cs.save(path, recording)
    assert not path.exists()
