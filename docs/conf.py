"""Sphinx: the landing page, the concepts and the Python reference, built
with the C reference (Doxygen, written into c/ beside them) by the `docs`
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

# Docstrings that are not reStructuredText yet, shown as plain text so that
# the rest of the reference builds with warnings as errors. Remove a name
# once its docstring is in numpydoc form.
PLAIN_TEXT_DOCSTRINGS = {"cclp_score", "cclp_score.find_edges", "cclp_score.Found.score"}


def show_as_plain_text(app, what, name, obj, options, lines):
    if name in PLAIN_TEXT_DOCSTRINGS and lines:
        lines[:] = ["::", ""] + ["   " + line for line in lines]


def setup(app):
    app.connect("autodoc-process-docstring", show_as_plain_text)
