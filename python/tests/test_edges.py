"""From images to edges: the bundled photograph against the hand measurement
and the C example, synthetic steps at known positions, array layouts, and
the arguments refused."""

import math
import os
import subprocess
import sys

import numpy as np
import pytest

import cclp_score as cs
from conftest import SOURCE_DIR

DATA = SOURCE_DIR / "edgefinder" / "data"
# edgefinder/data/measure_by_hand.py: (column, top row, bottom row) of the
# plate, and the tolerance the C library's test holds it to.
HAND_MEASURED = [(50.0, 14.935, 42.374), (75.0, 17.095, 44.025)]
TOLERANCE = 0.25


@pytest.fixture(scope="module")
def plate():
    return cs.read_image(DATA / "name_plate.pgm")


def test_the_photograph_reads_as_gray_from_either_file(plate):
    assert plate.dtype == np.uint8 and plate.shape == (60, 144)
    if cs.reads_png():  # the PGM holds the colour PNG's luma
        np.testing.assert_array_equal(cs.read_image(str(DATA / "name_plate.png")), plate)


@pytest.mark.parametrize("column, top, bottom", HAND_MEASURED)
def test_plate_edges_agree_with_the_hand_measurement(plate, column, top, bottom):
    found = cs.find_edges(plate, caliper=(column, 30.0, 90.0, 40.0, 2.0), min_contrast=30.0)
    assert len(found) == 2
    np.testing.assert_allclose(30.0 + found.positions, [top, bottom], atol=TOLERANCE)
    assert found.contrasts[0] > 0 > found.contrasts[1]  # dark uniform, light plate, dark
    assert found.first_position == -20.0 and (found.valid_first, found.valid_count) == (0, 41)
    assert found.profile.shape == found.derivative.shape == (41,)


def run(*command):
    done = subprocess.run([str(part) for part in command], capture_output=True, text=True,
                          env=os.environ.copy())
    assert done.returncode == 0, done.stderr
    return done.stdout


def test_the_example_measures_as_the_c_example_and_plots(tmp_path):
    output = tmp_path / "plate.png"
    printed = run(sys.executable, SOURCE_DIR / "examples" / "python" / "measure_plate.py", output)
    assert output.read_bytes()[:8] == b"\x89PNG\r\n\x1a\n"
    measured = [line for line in printed.splitlines() if line.lstrip().startswith(("edge", "best"))]
    binary = os.environ.get("CEDGE_MEASURE_PLATE")
    if binary:
        expected = [line for line in run(binary).splitlines()
                    if line.lstrip().startswith(("edge", "best"))]
    else:  # as the edge finder's README quotes the C example
        expected = ["  edge at  -15.05 px, contrast  +66.2", "  edge at  +12.33 px, contrast  -43.4",
                    "best pair: -15.05 to 12.33, height 27.37 px, score 0.945"]
    assert measured == expected


def step_image(edge_x, dtype, shape=(40, 120), levels=(40.0, 200.0), blur=1.5):
    """A vertical step from dark to light at x = edge_x, blurred by a Gaussian."""
    x = np.arange(shape[1], dtype=np.float64)
    erf = np.vectorize(math.erf)
    row = levels[0] + (levels[1] - levels[0]) * 0.5 * (1.0 + erf((x - edge_x) / (blur * math.sqrt(2))))
    scale = 256.0 if dtype == np.uint16 else 1.0
    return np.tile(np.round(row * scale), (shape[0], 1)).astype(dtype)


@pytest.mark.parametrize("dtype", [np.uint8, np.uint16])
@pytest.mark.parametrize("edge_x", [50.0, 50.3, 61.75])
def test_a_synthetic_step_is_found_where_it_was_drawn(dtype, edge_x):
    image = step_image(edge_x, dtype)
    found = cs.find_edges(image, caliper=(60.0, 20.0, 0.0, 60.0, 10.0), sigma=1.5)
    assert len(found) == 1 and found.contrasts[0] > 0
    assert found.positions[0] == pytest.approx(edge_x - 60.0, abs=0.05)
    # Searched the other way, the edge lies on the other side and falls.
    back = cs.find_edges(image, caliper=(60.0, 20.0, 180.0, 60.0, 10.0), sigma=1.5)
    assert back.positions[0] == pytest.approx(-found.positions[0], abs=1e-6)
    assert back.contrasts[0] == pytest.approx(-found.contrasts[0], rel=1e-6)
    assert len(cs.find_edges(image, caliper=(60.0, 20.0, 0.0, 60.0, 10.0),
                             polarity="light_to_dark")) == 0


def test_every_array_layout_finds_the_same_edges():
    image = step_image(50.3, np.uint16)
    caliper = (60.0, 20.0, 0.0, 60.0, 10.0)
    expected = cs.find_edges(image, caliper)
    padded = np.zeros((50, 140), np.uint16)
    padded[5:45, 10:130] = image
    wide = np.zeros((40, 240), np.uint16)
    wide[:, ::2] = image
    layouts = {"crop": padded[5:45, 10:130], "fortran": np.asfortranarray(image),
               "big-endian": image.astype(">u2"), "every other column": wide[:, ::2],
               "flipped rows": image[::-1]}
    for name, layout in layouts.items():
        found = cs.find_edges(layout, caliper)
        np.testing.assert_array_equal(found.positions, expected.positions, err_msg=name)
        np.testing.assert_array_equal(found.profile, expected.profile, err_msg=name)


def test_found_edges_score_straight_away_or_through_score():
    found = cs.find_edges(step_image(50.3, np.uint8), caliper=(60.0, 20.0, 0.0, 60.0, 10.0))
    methods = [cs.Method("contrast", cs.OneSided(200, 0, 0))]
    direct = found.score(desired=(-10.0, "positive"), methods=methods)
    via = cs.score(found.positions, found.contrasts, desired=(-10.0, "positive"), methods=methods)
    np.testing.assert_array_equal(direct.score, via.score)
    assert direct.profile["start"] == found.first_position
    np.testing.assert_array_equal(direct.profile["values"], found.profile)


def test_clipping_reports_the_part_inside_the_image():
    image = step_image(50.3, np.uint8)
    caliper = (20.0, 20.0, 0.0, 60.0, 4.0)  # from x = -10 to 50
    with pytest.raises(cs.EdgeError, match="CEDGE_STATUS_OUTSIDE_IMAGE") as refused:
        cs.find_edges(image, caliper)
    assert refused.value.status == "CEDGE_STATUS_OUTSIDE_IMAGE"
    found = cs.find_edges(image, caliper, clip=True)
    assert (found.valid_first, found.valid_count) == (10, 51)
    assert not found.profile[:10].any()


@pytest.mark.parametrize("image, caliper, options, error, name", [
    (np.zeros((40, 120), np.float32), None, {}, TypeError, "image"),
    (np.zeros((40, 120), np.int16), None, {}, TypeError, "image"),
    ([[0, 1], [2, 3]], None, {}, TypeError, "image"),
    (np.zeros((40, 120, 3), np.uint8), None, {}, ValueError, "image"),
    (np.zeros((0, 120), np.uint8), None, {}, ValueError, "image"),
    (None, (60.0, math.nan, 0.0, 60.0, 10.0), {}, ValueError, "caliper y"),
    (None, (60.0, 20.0, math.inf, 60.0, 10.0), {}, ValueError, "caliper angle"),
    (None, (60.0, 20.0, 0.0, 60.0), {}, TypeError, "caliper"),
    (None, (60.0, 20.0, 0.0, "60", 10.0), {}, TypeError, "caliper length"),
    (None, None, {"sigma": 0.0}, ValueError, "sigma"),
    (None, None, {"sigma": 1e3}, ValueError, "sigma"),
    (None, None, {"sigma": math.nan}, ValueError, "sigma"),
    (None, None, {"min_contrast": -1.0}, ValueError, "min_contrast"),
    (None, None, {"polarity": "up"}, ValueError, "polarity"),
    (None, None, {"clip": 1}, TypeError, "clip"),
    (None, (60.0, 20.0, 0.0, 60.0, -1.0), {}, cs.EdgeError, "CEDGE_STATUS_THICKNESS_NOT_VALID"),
    (None, (60.0, 20.0, 0.0, 1.0, 10.0), {}, cs.EdgeError, "CEDGE_STATUS_LENGTH_NOT_VALID"),
])
def test_bad_arguments_are_named(image, caliper, options, error, name):
    image = step_image(50.3, np.uint8) if image is None else image
    caliper = (60.0, 20.0, 0.0, 60.0, 10.0) if caliper is None else caliper
    with pytest.raises(error, match=name):
        cs.find_edges(image, caliper, **options)


def test_unreadable_files_name_the_file_and_the_status(tmp_path):
    missing = tmp_path / "missing.png"
    with pytest.raises(cs.EdgeError, match="missing.png: CEDGE_STATUS_FILE_UNREADABLE"):
        cs.read_image(missing)
    text = tmp_path / "notes.pgm"
    text.write_text("not an image\n")
    with pytest.raises(cs.EdgeError, match="notes.pgm: CEDGE_STATUS_FILE_NOT_IMAGE") as refused:
        cs.read_image(text)
    assert refused.value.code < 0
