"""Builds the Python package through CMake: the `wheel` preset builds the
extension, and its install component `wheel` (python/CMakeLists.txt) lays
out the package folder with the libraries the extension loads beside it.
The version is the project's one number, in CMakeLists.txt.

CCLP_BUILD_TREE=<build tree> packages that tree, already built, instead."""

import os
import pathlib
import re
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

SOURCE = pathlib.Path(__file__).resolve().parent


def project_version():
    cmake_lists = (SOURCE / "CMakeLists.txt").read_text()
    return re.search(r"project\(\s*cclp_score\s+VERSION\s+([0-9.]+)", cmake_lists).group(1)


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        tree = os.environ.get("CCLP_BUILD_TREE")
        if not tree:
            tree = SOURCE / "build" / "wheel"
            subprocess.run(["cmake", "--preset", "wheel", f"-DPython3_EXECUTABLE={sys.executable}"],
                           cwd=SOURCE, check=True)
            subprocess.run(["cmake", "--build", tree, "--target", "cclp_python_core"], check=True)
        staging = pathlib.Path(self.build_temp).resolve() / "staging"
        shutil.rmtree(staging, ignore_errors=True)
        subprocess.run(["cmake", "--install", tree, "--component", "wheel", "--prefix", staging,
                        "--strip"], check=True)
        # A wheel holds no links: each library once, named as the loader asks for it.
        for link in [p for p in (staging / "cclp_score").iterdir() if p.is_symlink()]:
            os.replace(link.resolve(), link)
        package = pathlib.Path(self.get_ext_fullpath(ext.name)).parent
        shutil.rmtree(package, ignore_errors=True)
        shutil.copytree(staging / "cclp_score", package)


setup(version=project_version(), packages=[],
      ext_modules=[Extension("cclp_score._core", sources=[])], cmdclass={"build_ext": CMakeBuild})
