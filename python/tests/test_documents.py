"""load() and save() of the tool's document."""

import json

import numpy as np
import pytest

import cclp_score as cs


def test_saving_a_loaded_sample_gives_the_same_document(sample, tmp_path):
    saved = tmp_path / "saved.json"
    cs.save(saved, cs.load(sample))
    assert json.loads(saved.read_text()) == json.loads(sample.read_text())


def test_the_tools_report_loads_back(sample, tool, tmp_path):
    report = tmp_path / "report.json"
    report.write_text(json.dumps(tool(sample)))
    again, original = cs.load(report).score(), cs.load(sample).score()
    assert np.array_equal(again.score, original.score)
    assert np.array_equal(again.edges, original.edges)


def test_where_the_edges_came_from_and_the_expected_winner_survive_a_round_trip(sample, tmp_path):
    document = json.loads(sample.read_text())
    document["caliper"]["image"] = {"file": "part.png", "sigma": 1,
                                    "caliper": {"x": 50, "y": 30, "angle": 90, "length": 40,
                                                "thickness": 2}}
    document["expect"] = {"edges": [0, 1]}
    original, saved = tmp_path / "original.json", tmp_path / "saved.json"
    original.write_text(json.dumps(document))
    cs.save(saved, cs.load(original))
    assert json.loads(saved.read_text()) == document


@pytest.mark.parametrize("edit, field", [
    (lambda d: d["params"]["scoreMethods"][0].update(method="sizediff"), "params.scoreMethods[0].method"),
    (lambda d: d["caliper"]["edges"][1].update(position=-99), "caliper.edges[1].position"),
    (lambda d: d["params"]["desiredEdges"][0].update(polarity="up"), "params.desiredEdges[0]"),
    (lambda d: d["caliper"].update(colour="red"), "caliper"),
    (lambda d: d["params"]["scoreMethods"][0]["oneSided"].update(y0=0.1, y1=0.5),
     "params.scoreMethods[0].oneSided"),
    (lambda d: d["caliper"]["edges"][0].update(contrast="high"), "caliper.edges[0].contrast"),
])
def test_bad_documents_name_the_field(edit, field, tmp_path):
    document = json.loads((cs_samples() / "pair_with_distractors.json").read_text())
    edit(document)
    path = tmp_path / "bad.json"
    path.write_text(json.dumps(document))
    with pytest.raises((ValueError, TypeError), match=field.replace("[", r"\[").replace("]", r"\]")):
        cs.load(path)


def cs_samples():
    from conftest import SOURCE_DIR
    return SOURCE_DIR / "examples" / "samples"


def test_a_recording_that_cannot_be_saved_writes_nothing(tmp_path):
    recording = cs.load(cs_samples() / "single_edge.json")
    recording.positions = np.array([0.0, np.nan])
    path = tmp_path / "never.json"
    with pytest.raises(ValueError, match="positions"):
        cs.save(path, recording)
    assert not path.exists()
