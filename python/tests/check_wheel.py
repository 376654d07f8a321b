"""check_wheel.py BUILD_TREE VERSION WORK_DIR: the tree's wheel, installed
into a fresh virtual environment (with the system's numpy), holds each
library once under the name the loader asks for, imports with the
project's version, loads its libraries from beside its extension (not from
the build tree) and passes the package's tests there."""

import json
import os
import pathlib
import shutil
import subprocess
import sys
import zipfile

PROBE = """import json, pathlib, cclp_score
print(json.dumps([cclp_score.__version__, str(pathlib.Path(cclp_score.__file__).parent),
                  pathlib.Path("/proc/self/maps").read_text().split()]))"""


def main(tree, version, work):
    source = pathlib.Path(__file__).resolve().parents[2]
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    env = {k: v for k, v in os.environ.items() if k != "PYTHONPATH"}
    env["CCLP_BUILD_TREE"] = tree

    def run(*args, **kwargs):
        return subprocess.run(args, check=True, env=env, cwd=work, **kwargs)

    run(sys.executable, "-m", "build", "--no-isolation", "--wheel", "--outdir", "dist", source)
    (wheel,) = (work / "dist").glob(f"cclp_score-{version}-cp*.whl")
    libraries = {pathlib.PurePath(n).name for n in zipfile.ZipFile(wheel).namelist() if "/lib" in n}
    assert {"libcclp_score.so.0", "libcedge.so.0", "libcsys_runtime.so"} <= libraries, libraries
    assert not [n for n in libraries if n.endswith(version)], libraries

    run(sys.executable, "-m", "venv", "--system-site-packages", "venv")
    python = str(work / "venv" / "bin" / "python")
    run(python, "-m", "pip", "install", "--no-index", str(wheel))
    found_version, package, mapped = json.loads(run(python, "-c", PROBE, capture_output=True).stdout)
    assert found_version == version and package.startswith(str(work / "venv")), (found_version, package)
    loaded = {pathlib.Path(p).name: str(pathlib.Path(p).parent) for p in mapped}
    assert all(loaded.get(name) == package for name in libraries), (libraries, loaded)
    run(python, "-m", "pytest", "-q", "-p", "no:cacheprovider", source / "python" / "tests")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3]).resolve())
