"""Sphinx: the landing page, the concepts and the Python reference, built
with the C and C++ reference (Doxygen, written into api/ beside them) by the `docs`
target. Imports the package that is on PYTHONPATH (the target sets the
build tree's) or installed."""

import cclp_score

project = "cclp_score"
copyright = "2026, The cclp_score authors"
version = release = cclp_score.__version__
extensions = ["sphinx.ext.autodoc", "sphinx.ext.napoleon"]
napoleon_google_docstring = False
autodoc_default_options = {"members": True}
exclude_patterns = ["Doxyfile.in"]
html_theme = "alabaster"
html_title = f"cclp_score {release}"
