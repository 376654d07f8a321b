"""From images to edges: the bundled photograph measured as by the C example,
synthetic steps at known positions, array layouts, clipping, and the
arguments refused."""

import math
import os
import subprocess
import sys

import numpy as np
import pytest

import cclp_score as cs
from conftest import SOURCE_DIR

CALIPER = (60.0, 20.0, 0.0, 60.0, 10.0)  # across the synthetic step


def edge_and_pair_lines(*command):
    done = subprocess.run([str(part) for part in command], capture_output=True, text=True)
    assert done.returncode == 0, done.stderr
    return [line for line in done.stdout.splitlines() if line.lstrip().startswith(("edge", "best"))]


def test_the_example_reads_the_png_measures_as_the_c_example_and_plots(tmp_path):
    output = tmp_path / "plate.png"
    measured = edge_and_pair_lines(sys.executable, SOURCE_DIR / "examples/python/measure_plate.py", output)
    assert output.read_bytes()[:8] == b"\x89PNG\r\n\x1a\n"
    binary = os.environ.get("CEDGE_MEASURE_PLATE")  # the C example on the PGM, built beside
    assert measured == (edge_and_pair_lines(binary) if binary else [
        "  edge at  -15.05 px, contrast  +66.2", "  edge at  +12.33 px, contrast  -43.4",
        "best pair: -15.05 to 12.33, height 27.37 px, score 0.945"])


def step_image(edge_x, dtype=np.uint16):
    """A step from 40 to 200 gray levels (x 256 for uint16) at x = edge_x, blurred by 1.5 px."""
    blurred = [0.5 * (1.0 + math.erf((x - edge_x) / (1.5 * math.sqrt(2)))) for x in range(120)]
    scale = 256.0 if dtype == np.uint16 else 1.0
    return np.tile(np.round((40.0 + 160.0 * np.array(blurred)) * scale), (40, 1)).astype(dtype)


@pytest.mark.parametrize("dtype", [np.uint8, np.uint16])
@pytest.mark.parametrize("edge_x", [50.0, 50.3, 61.75])
def test_a_synthetic_step_is_found_where_it_was_drawn(dtype, edge_x):
    found = cs.find_edges(step_image(edge_x, dtype), caliper=CALIPER, sigma=1.5)
    assert len(found) == 1 and found.contrasts[0] > 0
    assert found.positions[0] == pytest.approx(edge_x - 60.0, abs=0.05)
    # The desired edges' vocabulary, and the finder's older names as aliases.
    for negative, positive in (("negative", "positive"), ("light_to_dark", "dark_to_light")):
        assert not len(cs.find_edges(step_image(edge_x, dtype), caliper=CALIPER, polarity=negative))
        assert len(cs.find_edges(step_image(edge_x, dtype), caliper=CALIPER, polarity=positive)) == 1


def test_every_array_layout_finds_the_same_edges_and_scores_them():
    image = step_image(50.3)
    expected = cs.find_edges(image, CALIPER)
    padded, wide = np.zeros((50, 140), np.uint16), np.zeros((40, 240), np.uint16)
    padded[5:45, 10:130] = image
    wide[:, ::2] = image
    for layout in (padded[5:45, 10:130], np.asfortranarray(image), image.astype(">u2"), wide[:, ::2]):
        np.testing.assert_array_equal(cs.find_edges(layout, CALIPER).profile, expected.profile)
    methods = [cs.Method("contrast", cs.OneSided(200, 0, 0))]
    direct = expected.score(desired=-10.0, methods=methods)
    via = cs.score(expected.positions, expected.contrasts, desired=-10.0, methods=methods)
    np.testing.assert_array_equal(direct.score, via.score)
    np.testing.assert_array_equal(direct.profile["values"], expected.profile)
    # The finder's record is scored in place: its views are read-only and keep it alive.
    assert not expected.positions.flags.writeable
    kept = cs.find_edges(image, CALIPER).contrasts
    np.testing.assert_array_equal(kept + 0.0, expected.contrasts)
    assert len(expected.score(desired=-10.0, methods=methods, fixed=True)) == 1


def test_clipping_reports_the_part_inside_the_image():
    caliper = (20.0, 20.0, 0.0, 60.0, 4.0)  # from x = -10 to 50
    with pytest.raises(cs.EdgeError, match="find_edges: CEDGE_STATUS_OUTSIDE_IMAGE"):
        cs.find_edges(step_image(50.3), caliper)
    found = cs.find_edges(step_image(50.3), caliper, clip=True)
    assert (found.first_position, found.valid_first, found.valid_count) == (-30.0, 10, 51)
    assert not found.profile[:10].any()


@pytest.mark.parametrize("image, caliper, options, error, name", [
    (np.zeros((40, 120), np.float32), CALIPER, {}, TypeError, "image"),
    ([[0, 1], [2, 3]], CALIPER, {}, TypeError, "image"),
    (np.zeros((40, 120, 3), np.uint8), CALIPER, {}, ValueError, "image"),
    (None, (60.0, math.nan, 0.0, 60.0, 10.0), {}, ValueError, "caliper y"),
    (None, (60.0, 20.0, 0.0, 60.0), {}, TypeError, "caliper"),
    (None, CALIPER, {"sigma": 0.0}, ValueError, "sigma"),
    (None, CALIPER, {"sigma": 1e3}, ValueError, "sigma"),
    (None, CALIPER, {"min_contrast": -1.0}, ValueError, "min_contrast"),
    (None, CALIPER, {"polarity": "up"}, ValueError, "polarity"),
    (None, (60.0, 20.0, 0.0, 1.0, 10.0), {}, cs.EdgeError, "CEDGE_STATUS_LENGTH_NOT_VALID"),
])
def test_bad_arguments_are_named(image, caliper, options, error, name):
    with pytest.raises(error, match=name):
        cs.find_edges(step_image(50.3) if image is None else image, caliper, **options)


def test_unreadable_files_name_the_file_and_the_status(tmp_path):
    with pytest.raises(cs.EdgeError, match="missing.png: CEDGE_STATUS_FILE_UNREADABLE"):
        cs.read_image(tmp_path / "missing.png")
    (tmp_path / "notes.pgm").write_text("not an image\n")
    with pytest.raises(cs.EdgeError, match="notes.pgm: CEDGE_STATUS_FILE_NOT_IMAGE"):
        cs.read_image(tmp_path / "notes.pgm")
    # A NUL cuts the name at the C door: refused, not read as the file before it.
    with pytest.raises(cs.EdgeError, match="CSYS_STATUS_INVALID_ARGUMENT"):
        cs.read_image(str(SOURCE_DIR / "edgefinder" / "data" / "name_plate.pgm") + "\0x")
