"""Every public name's help: numpydoc sections, and examples that run.

A name in cclp_score.__all__, or a public method or property of one, that
lacks its docstring, its sections or runnable examples fails here under its
own name. Examples run in a fresh namespace (they import what they use) in
a scratch folder (they may write files)."""

import doctest
import inspect
import re

import pytest

import cclp_score

FLAGS = doctest.ELLIPSIS | doctest.NORMALIZE_WHITESPACE


def _public_members(cls):
    for name, member in vars(cls).items():
        if name.startswith("_") or inspect.isclass(member):
            continue
        if isinstance(member, (staticmethod, classmethod)):
            member = member.__func__
        if isinstance(member, property) or callable(member):
            yield name, member


def _documented():
    yield "cclp_score", cclp_score
    for name in cclp_score.__all__:
        obj = getattr(cclp_score, name)
        yield name, obj
        if inspect.isclass(obj):
            yield from ((f"{name}.{member_name}", member)
                        for member_name, member in _public_members(obj))


DOCUMENTED = dict(_documented())


def _has_section(doc, title):
    return re.search(rf"^\s*{title}\n\s*{'-' * len(title)}\s*$", doc, re.MULTILINE) is not None


def _takes_arguments(obj):
    """Whether a caller passes arguments (self aside); a pybind11 function's
    signature is the first line of its docstring."""
    if inspect.isclass(obj):
        if issubclass(obj, BaseException):
            return False  # raised by the package, not built by callers
        obj = obj.__init__
    try:
        parameters = list(inspect.signature(obj).parameters)
    except (TypeError, ValueError):
        match = re.match(r"\w+\((.*?)\)", obj.__doc__ or "")
        parameters = [p for p in (match.group(1).split(",") if match else []) if p.strip()]
    return any(not p.strip().startswith("self") for p in parameters)


@pytest.mark.parametrize("name", sorted(DOCUMENTED))
def test_numpydoc_sections(name):
    obj = DOCUMENTED[name]
    doc = inspect.getdoc(obj)
    assert doc and doc.strip(), f"{name} has no docstring"
    if isinstance(obj, property):
        return  # a summary line is a property's whole help
    assert _has_section(doc, "Examples"), f"{name}: no Examples section"
    if _takes_arguments(obj):
        # A record class the package builds lists its fields instead.
        fields = inspect.isclass(obj) and _has_section(doc, "Attributes")
        assert fields or _has_section(doc, "Parameters"), f"{name}: no Parameters section"


@pytest.mark.parametrize("name", sorted(n for n, o in DOCUMENTED.items() if not isinstance(o, property)))
def test_examples_run(name, tmp_path, monkeypatch):
    monkeypatch.chdir(tmp_path)
    test = doctest.DocTestParser().get_doctest(inspect.getdoc(DOCUMENTED[name]) or "", {}, name, None, 0)
    assert test.examples, f"{name}: its docstring has no examples (>>> lines)"
    report = []
    runner = doctest.DocTestRunner(optionflags=FLAGS)
    runner.run(test, out=report.append)
    assert runner.failures == 0, "".join(report)
