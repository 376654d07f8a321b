"""plot() draws the tool's plot: the same SVG document as cclp-score --plot
for the same recording, and a Plot that shows inline and saves as SVG or PNG."""

import dataclasses
import json
import os
import shutil
import subprocess
import sys

import pytest

import cclp_score as cs
from conftest import SAMPLES, SOURCE_DIR

PNG_MAGIC = b"\x89PNG\r\n\x1a\n"
needs_converter = pytest.mark.skipif(shutil.which("rsvg-convert") is None,
                                     reason="rsvg-convert (librsvg2-bin) is not installed")


def document(edges, desired, methods, **params):
    return {"caliper": {"edges": [{"position": p, "contrast": c} for p, c in edges]},
            "params": {"desiredEdges": [{"position": p, "polarity": s} for p, s in desired],
                       "scoreMethods": methods, **params}}


EDGE_POS = {"method": "edgePos", "twoSided": {
    "low": {"x0": -8, "x1": -20, "x2": -40, "y0": 1, "y1": 0},
    "high": {"x0": 8, "x1": 20, "x2": 40, "y0": 1, "y1": 0}}}
NEAR_ZERO = {"method": "posAbs", "oneSided": {"x0": 0.1, "x1": 1, "x2": 1, "y0": 1, "y1": 0}}

# Recordings beyond the samples, each drawing a part of the plot the
# samples do not, with the words its verdict must use: a crowded caliper
# (zoom, overview, 66 edge labels), a best candidate that scores 0, no
# candidate of the desired polarity, and a pair on a one-edge caliper.
PAIR = [(-10, "positive"), (10, "negative")]
RECORDINGS = {
    "crowded_pair": (document([(-k * 9.0, 6.0) for k in range(33, 3, -1)]
                              + [(-10.2, 50.0), (-6.0, 30.0), (9.6, -45.0)]
                              + [(k * 9.0, -6.0) for k in range(4, 34)],
                              PAIR, [EDGE_POS, {"method": "straddle"}], maxNumResults=5), "winner: "),
    "zero_score_best": (document([(-40.0, 20.0), (35.0, 30.0)], [(0, "positive")], [NEAR_ZERO],
                                 maxNumResults=2), "every kept candidate scores 0"),
    "no_desired_polarity": (document([(-4.0, -20.0), (3.0, -30.0)], [(0, "positive")], [NEAR_ZERO]),
                            "no candidate has the desired polarity"),
    "pair_on_one_edge": (document([(1.0, 20.0)], PAIR, [EDGE_POS]),
                         "a pair needs two edges, the caliper has one"),
}


@pytest.fixture
def tool_plot():
    """The SVG document cclp-score --plot - writes for a recording."""
    binary = os.environ.get("CCLP_SCORE_CLI")
    if not binary:
        pytest.skip("CCLP_SCORE_CLI is not set (ctest sets it to the built cclp-score)")

    def run(path):
        done = subprocess.run([binary, "--plot", "-", str(path)], capture_output=True, text=True)
        assert done.returncode in (0, 4), done.stderr  # 4: nothing acceptable, the plot is whole
        return done.stdout

    return run


@pytest.fixture(params=[*(p.stem for p in SAMPLES), *RECORDINGS])
def recording_path(request, tmp_path):
    if request.param in RECORDINGS:
        path = tmp_path / f"{request.param}.json"
        path.write_text(json.dumps(RECORDINGS[request.param][0]))
        return path
    return SOURCE_DIR / "examples" / "samples" / f"{request.param}.json"


def test_python_draws_the_document_the_tool_draws(recording_path, tool_plot):
    svg = cs.plot(cs.load(recording_path).score()).svg
    assert svg == tool_plot(recording_path)
    if recording_path.stem in RECORDINGS:
        words = RECORDINGS[recording_path.stem][1]
        assert words in svg
        assert (words == "winner: ") == ("winner" in svg) != ("no acceptable candidate: " in svg)


def test_changed_settings_draw_as_the_tool_draws_the_saved_recording(tmp_path, tool_plot):
    recording = cs.load(SOURCE_DIR / "examples" / "samples" / "pair_with_distractors.json")
    recording.fixed, recording.sort, recording.max_results = "both", False, 6
    recording.description = "bar <20 px> & \"neighbour\""
    saved = tmp_path / "changed.json"
    recording.save(saved)
    svg = cs.plot(recording.score()).svg
    assert svg == tool_plot(saved)
    assert "first in candidate order" in svg and "bar &lt;20 px&gt; &amp; &quot;neighbour&quot;" in svg
    titled = cs.plot(recording.score(), title="Bar width").svg
    assert ">Bar width</text>" in titled and "neighbour" not in titled
    cut = dataclasses.replace(recording.score(), contrasts=recording.contrasts[:-1])
    with pytest.raises(ValueError, match=r"contrasts: \d+ values, but positions has \d+"):
        cs.plot(cut)


@needs_converter
def test_a_plot_shows_inline_and_saves_whole_or_not_at_all(tmp_path, monkeypatch):
    drawn = cs.plot(cs.load(SAMPLES[0]).score(), tmp_path / "first.svg")
    assert drawn._repr_svg_() == drawn.svg == (tmp_path / "first.svg").read_text()
    png = tmp_path / "first.png"
    drawn.save(str(png))
    assert png.read_bytes()[:8] == PNG_MAGIC
    with pytest.raises(ValueError, match="'first.pdf' must end in .svg or .png"):
        drawn.save(tmp_path / "first.pdf")
    with monkeypatch.context() as patch:
        patch.setattr(cs._plot.shutil, "which", lambda name: None)
        with pytest.raises(RuntimeError, match="needs the converter rsvg-convert .*librsvg2-bin"):
            drawn.save(png)
    monkeypatch.setattr(cs._plot, "_PNG_CONVERTER", "false")  # found, and fails
    with pytest.raises(RuntimeError, match="could not convert"):
        drawn.save(png)
    assert png.read_bytes()[:8] == PNG_MAGIC  # the earlier PNG stays
    assert sorted(p.name for p in tmp_path.iterdir()) == ["first.png", "first.svg"]


@needs_converter
def test_the_tuning_example_writes_a_png(tmp_path):
    output = tmp_path / "tuned.png"
    done = subprocess.run([sys.executable, str(SOURCE_DIR / "examples" / "python" / "tune_pair.py"),
                           str(output)], capture_output=True, text=True, env=os.environ.copy())
    assert done.returncode == 0, done.stderr
    assert output.read_bytes()[:8] == PNG_MAGIC
    assert "plot written" in done.stdout
