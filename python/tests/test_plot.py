"""plot() and the example that writes one."""

import os
import subprocess
import sys

import pytest

import cclp_score as cs
from conftest import SOURCE_DIR

pytest.importorskip("matplotlib")


def test_plot_draws_the_strip_and_a_panel_per_method(sample, tmp_path):
    recording = cs.load(sample)
    results = recording.score()
    figure = cs.plot(results, tmp_path / "plot.svg")
    assert len(figure.axes) == 1 + len(results.methods)
    assert (tmp_path / "plot.svg").read_text().lstrip().startswith("<?xml")
    titles = [ax.get_title(loc="left") for ax in figure.axes[1:]]
    assert [t.split()[1] for t in titles] == [m.name for m in results.methods]


def test_plot_marks_two_sides_and_straddle(tmp_path):
    results = cs.score([-12.0, -1.0, 9.0, 14.0], [50.0, -5.0, -40.0, 3.0], desired=[-10, 10],
                       max_results=3,
                       methods=[cs.Method("edgePos", cs.TwoSided.independent(cs.OneSided(-10, -30, -40),
                                                                            cs.OneSided(10, 30, 40))),
                                cs.Method("straddle")])
    figure = cs.plot(results)
    assert len(figure.axes) == 3
    assert len(figure.axes[1].get_legend().get_texts()) == 2


def test_the_tuning_example_writes_a_png(tmp_path):
    output = tmp_path / "tuned.png"
    done = subprocess.run([sys.executable, str(SOURCE_DIR / "examples" / "python" / "tune_pair.py"),
                           str(output)], capture_output=True, text=True, env=os.environ.copy())
    assert done.returncode == 0, done.stderr
    assert output.read_bytes()[:8] == b"\x89PNG\r\n\x1a\n"
    assert "plot written" in done.stdout
