"""Every door reads the recording document alike: the documents in
documents/ go to the cclp-score tool and to load(), which must accept the
same ones with the same values and refuse the others with the same message
naming the same field."""

import json
import os
import pathlib
import subprocess
import time

import pytest

import cclp_score as cs

DOCUMENTS = sorted((pathlib.Path(__file__).parent / "documents").glob("*.json"))


def tool_reading(binary, path):
    """("accepted", report) or ("refused", message) from cclp-score --json."""
    done = subprocess.run([binary, "--json", str(path)], capture_output=True, text=True)
    if done.returncode == 1:
        prefix = f"cclp-score: bad input in {path}: "
        assert done.stderr.startswith(prefix), done.stderr
        return "refused", done.stderr[len(prefix):].strip()
    assert done.returncode in (0, 4), done.stderr  # 4: read and scored, nothing kept above 0
    return "accepted", json.loads(done.stdout)


def python_reading(path):
    try:
        return "accepted", cs.load(path)
    except ValueError as error:
        return "refused", str(error)


def function_values(function, offset_read):
    values = {k: getattr(function, k) for k in ("x0", "x1", "x2", "y0", "y1")}
    if offset_read:
        values["offset"] = function.offset
    return values


def recording_values(recording):
    methods = []
    for method in recording.methods:
        function, offset_read = method.function, method.name == "offsetDist"
        if isinstance(function, cs.OneSided):
            methods.append((method.name, function_values(function, offset_read)))
        elif isinstance(function, cs.TwoSided):
            methods.append((method.name, {"low": function_values(function.low, offset_read),
                                          "high": function_values(function.high, offset_read)}))
        else:
            methods.append((method.name, None))
    extras = recording.extras
    return {"positions": recording.positions.tolist(), "contrasts": recording.contrasts.tolist(),
            "extras": None if extras is None else extras.tolist(),
            "desired": [(d.position, d.polarity) for d in recording.desired], "methods": methods,
            "max_results": recording.max_results, "sort": recording.sort,
            "formats": {False: "double", True: "fixed", "both": "both"}[recording.fixed],
            "description": recording.description, "profile": recording.profile,
            "image": recording.image, "expect": recording.expect}


def report_values(report):
    caliper, params = report["caliper"], report["params"]
    edges = caliper["edges"]
    extended = bool(edges) and "extra1" in edges[0]
    methods = []
    for method in params["scoreMethods"]:
        function = method.get("oneSided", method.get("twoSided"))
        methods.append((method["method"], function))
    return {"positions": [e["position"] for e in edges], "contrasts": [e["contrast"] for e in edges],
            "extras": [[e["extra1"], e["extra2"], e["extra3"]] for e in edges] if extended else None,
            "desired": [(d["position"], d["polarity"]) for d in params["desiredEdges"]],
            "methods": methods, "max_results": params["maxNumResults"], "sort": params["sortByScore"],
            "formats": caliper["formats"], "description": report.get("description", ""),
            "profile": caliper.get("profile"), "image": caliper.get("image"),
            "expect": report.get("expect")}


@pytest.mark.parametrize("path", DOCUMENTS, ids=[p.stem for p in DOCUMENTS])
def test_the_tool_and_python_read_a_document_alike(path, tool_binary):
    expected_outcome = path.stem.split("_")[0]
    tool_outcome, tool_value = tool_reading(tool_binary, path)
    python_outcome, python_value = python_reading(path)
    assert (tool_outcome, python_outcome) == ({"valid": "accepted"}.get(expected_outcome, "refused"),) * 2
    if tool_outcome == "refused":
        assert python_value == tool_value
    else:
        assert recording_values(python_value) == report_values(tool_value)


def _fifo(tmp_path):
    path = tmp_path / "no_writer.json"
    os.mkfifo(path)
    return path


def _sparse_file(tmp_path):
    path = tmp_path / "huge.json"
    with open(path, "wb") as file:
        file.truncate(17 << 20)
    return path


@pytest.mark.skipif(not hasattr(os, "mkfifo"), reason="needs FIFOs and /dev/zero")
@pytest.mark.parametrize("make", [lambda tmp: pathlib.Path("/dev/zero"), _fifo, _sparse_file],
                         ids=["device", "fifo_without_writer", "larger_than_the_limit"])
def test_every_door_refuses_a_hostile_file_at_once_in_the_same_words(make, tmp_path, tool_binary):
    path = make(tmp_path)
    started = time.monotonic()
    done = subprocess.run([tool_binary, str(path)], capture_output=True, text=True, timeout=10)
    with pytest.raises(OSError) as refused:
        cs.load(path)
    assert time.monotonic() - started < 2.0
    assert done.returncode == 2 and done.stdout == ""
    assert done.stderr == f"cclp-score: {refused.value}\n"
    assert str(path) in str(refused.value)
