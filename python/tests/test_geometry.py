"""The line and circle tools from Python: boundaries and discs drawn at known
geometry measured back, the right edge chosen by score where a stronger one
lies beside it, image coordinates of found edges and scored results, a real
photograph measured against a fit of its own, refusals named, and the
examples in the docstrings."""

import doctest
import json
import math
import pathlib
import subprocess
from xml.etree import ElementTree

import numpy as np
import pytest

import cclp_score as cs
from cclp_score import _edges, _errors, _geometry
from conftest import SOURCE_DIR

NEAR = [cs.Method("posAbs", cs.OneSided(0.0, 6.0, 6.0))]
RISING_NEAR = dict(desired=(0.0, "positive"), methods=NEAR)
FALLING_NEAR = dict(desired=(0.0, "negative"), methods=NEAR)


def blurred_step(distance):
    """0 to 1 across a boundary blurred by 1.5 px, at signed distances."""
    return 0.5 * (1.0 + np.vectorize(math.erf)(distance / (1.5 * math.sqrt(2.0))))


def min_contrast(dtype):
    """A search threshold above the noise: 20 gray levels a pixel on the 8-bit scale."""
    return 20.0 * (256.0 if dtype == np.uint16 else 1.0)


def rendered(levels, dtype, rng):
    """Gray levels (8-bit scale) with noise of 2 levels, as uint8 or uint16."""
    scale = 256.0 if dtype == np.uint16 else 1.0
    noisy = (levels + rng.normal(0.0, 2.0, levels.shape)) * scale
    return np.clip(np.round(noisy), 0, np.iinfo(dtype).max).astype(dtype)


def boundary(angle, offset, dtype, rng, shape=(240, 320)):
    """Dark (40) to light (200) across a line at `angle` degrees through the
    image centre moved `offset` px along its normal (the direction turned by
    +90 degrees, the line tool's search direction)."""
    y, x = np.mgrid[0:shape[0], 0:shape[1]].astype(np.float64)
    a = math.radians(angle)
    across = -(x - shape[1] / 2) * math.sin(a) + (y - shape[0] / 2) * math.cos(a) - offset
    return rendered(40.0 + 160.0 * blurred_step(across), dtype, rng)


def disc(center, radius, dtype, rng, shape=(200, 200)):
    y, x = np.mgrid[0:shape[0], 0:shape[1]].astype(np.float64)
    outside = np.hypot(x - center[0], y - center[1]) - radius
    return rendered(200.0 - 160.0 * blurred_step(outside), dtype, rng)


def segment(angle, half=110.0, center=(160.0, 120.0)):
    a = math.radians(angle)
    dx, dy = half * math.cos(a), half * math.sin(a)
    return (center[0] - dx, center[1] - dy), (center[0] + dx, center[1] + dy)


def line_errors(line, angle, offset, center=(160.0, 120.0)):
    """Angle error (degrees) and the fitted line's distance from the drawn one
    at the image centre (pixels)."""
    a = math.radians(angle)
    normal = np.array([-math.sin(a), math.cos(a)])
    drawn_point = np.array(center) + offset * normal
    angle_error = (line.angle - angle + 180.0) % 360.0 - 180.0
    return angle_error, float(np.dot(line.point - drawn_point, normal))


@pytest.mark.parametrize("dtype", [np.uint8, np.uint16])
def test_lines_at_many_angles_are_measured_to_their_drawn_geometry(dtype):
    rng = np.random.default_rng(28)
    errors = []
    for angle in rng.uniform(-180.0, 180.0, 12):
        offset = rng.uniform(-3.0, 3.0)
        line = cs.find_line(boundary(angle, offset, dtype, rng), *segment(angle), calipers=20,
                            length=40, thickness=10, sigma=1.5, min_contrast=min_contrast(dtype),
                            **RISING_NEAR)
        errors.append(line_errors(line, angle, offset))
        assert line.used.all() and line.num_missing == 0 and len(line) == 20
        # What each caliper reports agrees with the line: its point's signed
        # distance, and the RMS of the used ones.
        distance = (line.points - line.point) @ np.array([-line.direction[1], line.direction[0]])
        np.testing.assert_allclose(line.residuals, distance, atol=1e-9)
        assert line.rms == pytest.approx(math.sqrt(np.mean(line.residuals ** 2)))
    angle_rms, offset_rms = np.sqrt(np.mean(np.square(errors), axis=0))
    assert angle_rms <= 0.01 and offset_rms <= 0.02


@pytest.mark.parametrize("dtype", [np.uint8, np.uint16])
def test_discs_are_measured_to_their_drawn_centre_and_radius(dtype):
    rng = np.random.default_rng(2028)
    errors = []
    for _ in range(8):
        center, radius = rng.uniform(90.0, 110.0, 2), rng.uniform(40.0, 70.0)
        circle = cs.find_circle(disc(center, radius, dtype, rng), tuple(center + rng.uniform(-2, 2, 2)),
                                radius + rng.uniform(-2, 2), calipers=48, length=40, thickness=2,
                                sigma=1.5, min_contrast=min_contrast(dtype), **FALLING_NEAR)
        errors.append([*(circle.center - center), circle.radius - radius])
        assert circle.used.all()
    assert np.sqrt(np.mean(np.square(errors), axis=0)).max() <= 0.02
    # A quarter arc searched inward (rising toward the centre) finds the same circle.
    quarter = cs.find_circle(disc(center, radius, dtype, rng), tuple(center), radius, arc=(200.0, -90.0),
                             inward=True, calipers=12, length=40, thickness=2, sigma=1.5,
                             min_contrast=min_contrast(dtype), **RISING_NEAR)
    assert np.hypot(*(quarter.center - center)) < 0.3 and abs(quarter.radius - radius) < 0.2
    angles = np.degrees(np.arctan2(quarter.points[:, 1] - center[1], quarter.points[:, 0] - center[0]))
    assert ((angles % 360.0 >= 110.0) & (angles % 360.0 <= 200.0)).all()


def scratched_boundary(rng):
    """A boundary at y = 120 rising 40 to 120, and on 6 of 20 calipers' columns
    a brighter scratch 7 px below it: a stronger edge beside the true one."""
    image = boundary(0.0, 0.0, np.uint8, rng).astype(np.float64) * 0.5 + 20.0
    for k in (2, 3, 9, 14, 15, 18):
        columns = slice(55 + 11 * k - 3, 55 + 11 * k + 4)
        image[127:131, columns] = 250.0
    return np.clip(np.round(image), 0, 255).astype(np.uint8)


def test_scoring_that_describes_the_true_edge_keeps_a_scratch_out_of_the_line(tmp_path):
    image = scratched_boundary(np.random.default_rng(3))
    start, end = (50.0, 120.0), (270.0, 120.0)
    chosen = cs.find_line(image, start, end, calipers=20, length=30, thickness=4, fit="none",
                          sigma=1.5, **RISING_NEAR)
    assert abs(chosen.point[1] - 120.0) < 0.05 and abs(chosen.angle) < 0.01
    strongest = cs.find_line(image, start, end, calipers=20, length=30, thickness=4, fit="none", sigma=1.5)
    assert abs(strongest.point[1] - 120.0) > 1.0  # the plain fit follows the scratch
    robust = cs.find_line(image, start, end, calipers=20, length=30, thickness=4, sigma=1.5)
    assert (~robust.used).sum() == 6 and abs(robust.point[1] - 120.0) < 0.05
    # The plot shows why: the calipers set aside, in a document that parses.
    drawn = robust.plot(tmp_path / "line.svg", title="scratched")
    ElementTree.fromstring(drawn.svg)
    assert "14 of 20 calipers used" in drawn.svg and "scratched" in drawn.svg
    assert (tmp_path / "line.svg").read_text() == drawn.svg == cs.plot(robust, title="scratched").svg


def test_found_edges_and_scored_results_carry_their_image_points():
    bar = np.full((60, 120), 30, np.uint8)
    bar[:, 40:71] = 220  # light from x = 39.5 to 70.5
    # Searching leftward (180 degrees) from x = 60: positions run against x.
    found = cs.find_edges(bar, (60.0, 30.0, 180.0, 60.0, 4.0), sigma=1.0)
    np.testing.assert_allclose(found.points, [[70.5, 30.0], [39.5, 30.0]], atol=0.01)
    np.testing.assert_allclose(found.points[:, 0], 60.0 - found.positions, atol=1e-12)
    pair = found.score(desired=[(-10, "positive"), (10, "negative")],
                       methods=[cs.Method("sizeDiff", cs.OneSided(0.0, 30.0, 30.0))])
    assert pair.points.shape == (1, 2) and pair.edge_points.shape == (1, 2, 2)
    np.testing.assert_allclose(pair.points[0], pair.edge_points[0].mean(axis=0), atol=1e-9)
    single = found.score(desired=(0.0, "negative"), methods=NEAR)
    np.testing.assert_allclose(single.points, [[39.5, 30.0]], atol=0.01)
    assert cs.score(found.positions, found.contrasts, desired=0.0, methods=NEAR).points is None


def test_a_tools_calipers_are_the_ones_find_edges_takes():
    rng = np.random.default_rng(5)
    image = boundary(17.0, 0.0, np.uint16, rng)
    line = cs.find_line(image, *segment(17.0), calipers=7, length=30, thickness=6, **RISING_NEAR)
    for rectangle, point in zip(line.calipers, line.points):
        best = cs.find_edges(image, tuple(rectangle)).score(**RISING_NEAR)
        np.testing.assert_array_equal(best.points[0], point)


def test_calipers_past_the_border_are_missing_unless_clipped():
    image = boundary(0.0, -105.0, np.uint8, np.random.default_rng(9))  # the boundary at y = 15
    start, end = (20.0, 25.0), (300.0, 5.0)  # calipers 6 to 11 reach above y = 0
    rising = dict(desired=(0.0, "positive"), calipers=12, length=30, thickness=8)
    line = cs.find_line(image, start, end, **rising)
    outside = line.status != 0
    assert not outside[:6].any() and outside[6:].all()
    assert set(line.status_names()[outside]) == {"CEDGE_STATUS_OUTSIDE_IMAGE"}
    assert not line.found[outside].any() and line.num_missing == 6 and abs(line.angle) < 0.05
    clipped = cs.find_line(image, start, end, clip=True, **rising)
    assert (clipped.status == 0).all() and clipped.used.all() and abs(clipped.point[1] - 15.0) < 0.05


COINS = pathlib.Path("/usr/lib/python3/dist-packages/skimage/data/coins.png")


def threshold_circle(image, center, radius, angles, half=8.0, step=0.05):
    """The circle through the points where rays from `center` cross the level
    halfway between the gray inside and outside the rim (medians of the first
    and last quarter of each ray's span), fitted algebraically (Kasa)."""
    gray = image.astype(np.float64)
    points = []
    for angle in np.radians(angles):
        distance = np.arange(radius - half, radius + half + step / 2, step)
        x, y = center[0] + distance * np.cos(angle), center[1] + distance * np.sin(angle)
        x0, y0 = np.floor(x).astype(int), np.floor(y).astype(int)
        fx, fy = x - x0, y - y0
        ray = (gray[y0, x0] * (1 - fx) * (1 - fy) + gray[y0, x0 + 1] * fx * (1 - fy)
               + gray[y0 + 1, x0] * (1 - fx) * fy + gray[y0 + 1, x0 + 1] * fx * fy)
        quarter = len(ray) // 4
        level = (np.median(ray[:quarter]) + np.median(ray[-quarter:])) / 2.0
        falls = np.nonzero((ray[:-1] >= level) & (ray[1:] < level))[0]
        k = falls[np.argmin(np.abs(distance[falls] - radius))]
        crossing = distance[k] + (ray[k] - level) / (ray[k] - ray[k + 1]) * step
        points.append((center[0] + crossing * np.cos(angle), center[1] + crossing * np.sin(angle)))
    points = np.array(points)
    solution = np.linalg.lstsq(np.c_[2.0 * points, np.ones(len(points))], (points ** 2).sum(axis=1),
                               rcond=None)[0]
    return solution[:2], math.sqrt(solution[2] + solution[0] ** 2 + solution[1] ** 2)


@pytest.mark.skipif(not COINS.exists() or not cs.reads_png(),
                    reason="the photograph is Debian's python3-skimage sample coins.png "
                           "(apt-get install python3-skimage; the build must read PNG)")
@pytest.mark.parametrize("coin, fit", [((212.4, 193.3, 22.9), "tukey"), ((212.4, 193.3, 22.9), "none"),
                                       ((244.2, 263.5, 23.3), "none"), ((155.2, 50.8, 23.1), "none")])
def test_coins_in_a_photograph_measure_as_a_threshold_fit_does(coin, fit):
    # Struck by hand: the rims are only roughly round (RMS 0.4 to 0.7 px off a
    # circle), so the plain fit, which uses every caliper as the threshold fit
    # uses every ray, is the like-for-like comparison; the robust one on the
    # roundest coin keeps every caliper too.
    image = cs.read_image(COINS)
    *center, radius = coin
    circle = cs.find_circle(image, tuple(center), radius, calipers=72, length=16, thickness=2,
                            min_contrast=10.0, fit=fit, **FALLING_NEAR)
    assert circle.used.all() and circle.rms < 0.8
    expected_center, expected_radius = threshold_circle(image, center, radius, np.arange(72) * 5.0 + 2.5)
    assert np.abs(circle.center - expected_center).max() <= 0.25
    assert abs(circle.radius - expected_radius) <= 0.25


def test_the_tool_measures_and_draws_its_geometry_document_as_python_does(tool_binary, tmp_path):
    done = subprocess.run([tool_binary, "circle", "--json", "--plot", tmp_path / "tool.svg",
                           "tests/cclp_score_cli/inputs/plate_hole.json"],
                          cwd=SOURCE_DIR, capture_output=True, text=True, check=True)
    report = json.loads(done.stdout)  # holds every setting the tool used
    settings, params = report["geometry"], report["params"]
    nominal, calipers, fit = settings["circle"], settings["calipers"], settings["fit"]
    circle = cs.find_circle(
        cs.read_image(SOURCE_DIR / settings["image"]), (nominal["x"], nominal["y"]), nominal["radius"],
        arc=(nominal["startAngle"], nominal["sweep"]), inward=nominal["inward"], calipers=calipers["count"],
        length=calipers["length"], thickness=calipers["thickness"], fit=fit["weight"],
        inlier_distance=fit["inlierDistance"], max_iterations=fit["maxIterations"], sigma=settings["sigma"],
        min_contrast=settings["minContrast"],
        desired=[(edge["position"], edge["polarity"]) for edge in params["desiredEdges"]],
        methods=[cs.Method(m["method"], cs.OneSided(**m["oneSided"])) for m in params["scoreMethods"]])
    fitted = report["results"]
    center = fitted["circle"]["center"]
    assert (*circle.center, circle.radius, circle.rms) == (
        center["x"], center["y"], fitted["circle"]["radius"], fitted["rms"])
    assert circle.points.tolist() == [[c["point"]["x"], c["point"]["y"]] for c in fitted["calipers"]]
    assert circle.plot(title=report["description"]).svg == (tmp_path / "tool.svg").read_text()


IMAGE = boundary(0.0, 0.0, np.uint8, np.random.default_rng(1))
SEGMENT = ((50.0, 120.0), (270.0, 120.0))


@pytest.mark.parametrize("call, error, text", [
    (lambda: cs.find_line(IMAGE, (10, 10), (10.5, 10)), cs.GeometryError, "CGEOM_STATUS_SEGMENT_TOO_SHORT"),
    (lambda: cs.find_line(IMAGE, (math.nan, 0), (10, 10)), cs.GeometryError, "SEGMENT_NOT_VALID"),
    (lambda: cs.find_line(IMAGE, *SEGMENT, calipers=5000), cs.GeometryError, "CALIPER_COUNT_NOT_VALID"),
    (lambda: cs.find_line(IMAGE, *SEGMENT, max_iterations=0), cs.GeometryError, "FIT_SETTINGS_NOT_VALID"),
    (lambda: cs.find_line(IMAGE, *SEGMENT, length=1.0), cs.EdgeError, "CEDGE_STATUS_LENGTH_NOT_VALID"),
    (lambda: cs.find_line(np.zeros((240, 320), np.uint8), *SEGMENT), cs.GeometryError, "TOO_FEW_POINTS"),
    (lambda: cs.find_circle(IMAGE, (160, 120), 0.5), cs.GeometryError, "CGEOM_STATUS_RADIUS_NOT_VALID"),
    (lambda: cs.find_circle(IMAGE, (160, 120), 50, arc=(0, 0)), cs.GeometryError, "ARC_NOT_VALID"),
    (lambda: cs.find_circle(IMAGE, (160, 120), 50, spacing=-1.0), cs.GeometryError, "CALIPER_COUNT"),
    (lambda: cs.find_line(IMAGE, *SEGMENT, fit="median"), ValueError, "fit"),
    (lambda: cs.find_line(IMAGE, *SEGMENT, fit=1), TypeError, "fit"),
    (lambda: cs.find_line(IMAGE, "ab", (1, 2)), TypeError, "start"),
    (lambda: cs.find_line(IMAGE, *SEGMENT, calipers=2.5), TypeError, "calipers"),
    (lambda: cs.find_line(IMAGE, *SEGMENT, calipers=2**40), ValueError, "calipers"),
    (lambda: cs.find_line(IMAGE, *SEGMENT, calipers=4, spacing=5.0), ValueError, "calipers, spacing"),
    (lambda: cs.find_line(IMAGE, *SEGMENT, sigma=0.0), ValueError, "sigma"),
    (lambda: cs.find_line(IMAGE, *SEGMENT, desired=[1, 2, 3]), ValueError, "desired"),
    (lambda: cs.find_line(IMAGE, *SEGMENT, methods=[cs.Method("sizeDiff", cs.OneSided(0, 1, 1))]),
     ValueError, "methods\\[0\\]"),
    (lambda: cs.find_circle(IMAGE, (160, 120), 50, inward=1), TypeError, "inward"),
    (lambda: cs.find_circle(IMAGE.astype(np.float32), (160, 120), 50), TypeError, "image"),
])
def test_refusals_name_the_argument_or_the_status(call, error, text):
    with pytest.raises(error, match=text) as raised:
        call()
    if isinstance(raised.value, (cs.GeometryError, cs.EdgeError)):
        assert raised.value.status in str(raised.value) and raised.value.code < 0


def test_the_docstrings_examples_run():
    for module in (_geometry, _errors, _edges):
        failed, _ = doctest.testmod(module, optionflags=doctest.NORMALIZE_WHITESPACE)
        assert failed == 0, module.__name__
