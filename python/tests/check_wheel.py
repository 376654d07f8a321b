"""The wheel of a built tree, installed into a fresh virtual environment
(with the system's packages, for numpy): it holds each library once under
the name the loader asks for, imports from the environment with the
project's version, loads its libraries from beside its extension, not from
the build tree, and passes the package's test suite there.

    check_wheel.py BUILD_TREE VERSION WORK_DIR
"""

import json
import os
import pathlib
import shutil
import subprocess
import sys
import zipfile

PROBE = """
import json, pathlib, cclp_score
maps = pathlib.Path("/proc/self/maps").read_text().split()
print(json.dumps({"version": cclp_score.__version__,
                  "package": str(pathlib.Path(cclp_score.__file__).parent),
                  "mapped": sorted({p for p in maps if ".so" in p})}))
"""


def main(tree, version, work):
    source = pathlib.Path(__file__).resolve().parents[2]
    shutil.rmtree(work, ignore_errors=True)
    env = dict(os.environ, CCLP_BUILD_TREE=tree)
    env.pop("PYTHONPATH", None)

    def run(*args, **kwargs):
        return subprocess.run(args, check=True, env=env, cwd=work, **kwargs)

    work.mkdir(parents=True)
    run(sys.executable, "-m", "build", "--no-isolation", "--wheel", "--outdir", "dist", source)
    (wheel,) = (work / "dist").glob("*.whl")
    assert wheel.name.startswith(f"cclp_score-{version}-cp"), wheel.name
    libraries = {pathlib.PurePath(n).name for n in zipfile.ZipFile(wheel).namelist()
                 if n.startswith("cclp_score/lib")}
    assert {"libcclp_score.so.0", "libcedge.so.0", "libcsys_runtime.so"} <= libraries, libraries
    assert not [n for n in libraries if n.endswith(version)], libraries

    run(sys.executable, "-m", "venv", "--system-site-packages", "venv")
    python = str(work / "venv" / "bin" / "python")
    run(python, "-m", "pip", "install", "-q", "--no-index", str(wheel))
    probe = json.loads(run(python, "-c", PROBE, capture_output=True, text=True).stdout)
    assert probe["version"] == version, probe["version"]
    package = pathlib.Path(probe["package"])
    assert package.is_relative_to(work / "venv"), package
    loaded = {pathlib.Path(p).name: pathlib.Path(p).parent for p in probe["mapped"]}
    for library in libraries:
        assert loaded.get(library) == package, (library, loaded.get(library))

    run(python, "-m", "pytest", "-q", "-p", "no:cacheprovider", source / "python" / "tests")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3]).resolve())
