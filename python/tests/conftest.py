"""Shared fixtures: the bundled samples, and the cclp-score tool when the
build tree has it (ctest sets CCLP_SCORE_CLI)."""

import json
import os
import pathlib
import subprocess

import pytest

SOURCE_DIR = pathlib.Path(os.environ.get("CCLP_SOURCE_DIR", pathlib.Path(__file__).parents[2]))
SAMPLES = sorted((SOURCE_DIR / "examples" / "samples").glob("*.json"))


@pytest.fixture(params=SAMPLES, ids=[p.stem for p in SAMPLES])
def sample(request):
    return request.param


@pytest.fixture
def tool(tool_binary):
    """Runs cclp-score --json on a document; its parsed report."""

    def run(path):
        done = subprocess.run([tool_binary, "--json", str(path)], capture_output=True, text=True)
        # 4: the run succeeded, but no candidate scored above 0; the report is whole.
        if done.returncode not in (0, 4):
            raise subprocess.CalledProcessError(done.returncode, done.args, done.stdout, done.stderr)
        return json.loads(done.stdout)

    return run


@pytest.fixture
def tool_binary():
    """The built cclp-score (ctest sets CCLP_SCORE_CLI)."""
    binary = os.environ.get("CCLP_SCORE_CLI")
    if not binary:
        pytest.skip("CCLP_SCORE_CLI is not set (ctest sets it to the built cclp-score)")
    return binary
