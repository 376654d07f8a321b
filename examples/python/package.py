"""The examples' cclp_score: the installed package, else the default build
tree's (build/default/python); ROOT is the source tree."""

import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
try:
    import cclp_score
except ImportError:  # not installed
    sys.path.insert(0, str(ROOT / "build" / "default" / "python"))
    import cclp_score
