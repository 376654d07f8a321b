"""load() and save(): the cclp-score tool's JSON document (a recorded
caliper result and its score parameters), one schema for both."""

import dataclasses
import json
import math
from typing import Optional

import numpy as np

from . import _core
from ._scoring import DesiredEdge, desired_edges, score

_FORMAT_NAMES = {"double": False, "fixed": True, "both": "both"}


@dataclasses.dataclass
class Recording:
    """A recorded caliper result and the score parameters to tune on it.

    Change any field (methods, desired, max_results, ...) and call score()
    again; save() writes it back for the tool. extras is None or an
    (edges, 3) array; profile is None or {"start", "step", "values"}.
    image (where the tool found the edges) and expect (the winner a
    `cclp-score check` expects) are kept as the document holds them.
    """

    positions: np.ndarray
    contrasts: np.ndarray
    desired: list
    methods: list
    extras: Optional[np.ndarray] = None
    max_results: int = 1
    sort: bool = True
    fixed: object = False
    description: str = ""
    profile: Optional[dict] = None
    image: Optional[dict] = None
    expect: Optional[dict] = None

    def score(self, **overrides):
        """score() with this recording's arguments; keywords replace them."""
        arguments = dict(desired=self.desired, methods=self.methods, max_results=self.max_results,
                         sort=self.sort, extras=self.extras, fixed=self.fixed)
        arguments.update(overrides)
        results = score(self.positions, self.contrasts, **arguments)
        return dataclasses.replace(results, description=self.description, profile=self.profile)

    def save(self, path):
        save(path, self)


class _Field:
    """A value of the document with its path, for messages that name it."""

    def __init__(self, value, path):
        self.value = value
        self.path = path

    def fail(self, message, error=ValueError):
        raise error(f"{self.path or 'document'}: {message}")

    def object(self, allowed):
        if not isinstance(self.value, dict):
            self.fail("an object expected", TypeError)
        unknown = sorted(set(self.value) - set(allowed))
        if unknown:
            self.fail(f"unknown field '{unknown[0]}' (known: {', '.join(allowed)})")
        return self

    def member(self, key, default=None, required=True):
        path = f"{self.path}.{key}" if self.path else key
        if key not in self.value:
            if required and default is None:
                raise ValueError(f"{path}: missing field")
            return _Field(default, path)
        return _Field(self.value[key], path)

    def number(self):
        if isinstance(self.value, bool) or not isinstance(self.value, (int, float)):
            self.fail("a number expected", TypeError)
        return float(self.value)

    def text(self):
        if not isinstance(self.value, str):
            self.fail("a string expected", TypeError)
        return self.value

    def elements(self):
        if not isinstance(self.value, list):
            self.fail("an array expected", TypeError)
        return [_Field(v, f"{self.path}[{k}]") for k, v in enumerate(self.value)]


def _one_sided(field):
    field.object(("x0", "x1", "x2", "y0", "y1", "offset"))
    values = [field.member(k).number() for k in ("x0", "x1", "x2")]
    values += [field.member("y0", 1.0).number(), field.member("y1", 0.0).number()]
    try:
        return _core.OneSided(*values, offset=field.member("offset", 0.0).number())
    except ValueError as error:
        field.fail(str(error), type(error))


def _method(field):
    field.object(("method", "oneSided", "twoSided"))
    name_field = field.member("method")
    name = name_field.text()
    if name not in _core.method_names():
        name_field.fail(f"unknown score method '{name}' (known: {', '.join(_core.method_names())})")
    if "oneSided" in field.value and "twoSided" in field.value:
        field.fail("give oneSided or twoSided, not both")
    function = None
    if "twoSided" in field.value:
        sides = field.member("twoSided").object(("low", "high"))
        low, high = _one_sided(sides.member("low")), _one_sided(sides.member("high"))
        # The signed size difference reads the whole function; edgePos and
        # offsetDist score each side on its own.
        build = _core.TwoSided if name == "sizeDiffSigned" else _core.TwoSided.independent
        try:
            function = build(low, high)
        except ValueError as error:
            sides.fail(str(error), type(error))
    elif "oneSided" in field.value:
        function = _one_sided(field.member("oneSided"))
    try:
        return _core.Method(name, function)
    except ValueError as error:
        field.fail(str(error), type(error))


_EXTRA_KEYS = ("extra1", "extra2", "extra3")


def _edges(caliper):
    positions, contrasts, extras = [], [], []
    has_extras = False
    for field in caliper.member("edges").elements():
        field.object(("position", "contrast") + _EXTRA_KEYS)
        position = field.member("position").number()
        if positions and position < positions[-1]:
            field.member("position").fail("edges must come in ascending position order")
        positions.append(position)
        contrasts.append(field.member("contrast").number())
        extras.append([field.member(k, 0.0).number() for k in _EXTRA_KEYS])
        has_extras = has_extras or any(k in field.value for k in _EXTRA_KEYS)
    return (np.array(positions, dtype=np.float64), np.array(contrasts, dtype=np.float64),
            np.array(extras, dtype=np.float64).reshape(-1, 3) if has_extras else None)


def _profile(caliper):
    if "profile" not in caliper.value:
        return None
    field = caliper.member("profile").object(("start", "step", "values"))
    step = field.member("step", 1.0).number()
    if not step > 0:
        field.member("step").fail("the sample step must be positive")
    values = [v.number() for v in field.member("values").elements()]
    if len(values) < 2:
        field.member("values").fail("a profile needs at least two samples")
    return {"start": field.member("start", 0.0).number(), "step": step, "values": values}


def _desired(params):
    desired = []
    for field in params.member("desiredEdges").elements():
        field.object(("position", "polarity"))
        polarity = field.member("polarity", "any").text()
        if polarity not in ("positive", "negative", "any"):
            field.member("polarity").fail(f"unknown polarity '{polarity}' (known: positive, negative, any)")
        desired.append(DesiredEdge(field.member("position", 0.0).number(), polarity))
    return desired


def load(path):
    """Read a cclp-score document (the tool's samples, or its --json
    output) into a Recording. Problems raise ValueError or TypeError naming
    the field (e.g. "params.scoreMethods[1].method")."""
    with open(path, encoding="utf-8") as file:
        root = _Field(json.load(file), "")
    root.object(("description", "caliper", "params", "expect", "run", "results"))
    caliper = root.member("caliper").object(("formats", "edges", "profile", "image"))
    formats = caliper.member("formats", "double").text()
    if formats not in _FORMAT_NAMES:
        caliper.member("formats").fail(f"unknown formats '{formats}' (known: double, fixed, both)")
    positions, contrasts, extras = _edges(caliper)
    params = root.member("params").object(("desiredEdges", "scoreMethods", "maxNumResults",
                                           "sortByScore"))
    max_results = params.member("maxNumResults", 1).value
    if isinstance(max_results, bool) or not isinstance(max_results, int):
        params.member("maxNumResults").fail("an integer expected", TypeError)
    sort = params.member("sortByScore", True).value
    if not isinstance(sort, bool):
        params.member("sortByScore").fail("true or false expected", TypeError)
    return Recording(
        positions=positions, contrasts=contrasts, extras=extras,
        desired=_desired(params),
        methods=[_method(field) for field in params.member("scoreMethods").elements()],
        max_results=max_results, sort=sort, fixed=_FORMAT_NAMES[formats],
        description=root.member("description", "").text(), profile=_profile(caliper),
        image=caliper.value.get("image"), expect=root.value.get("expect"))


def _number(value):
    """Whole numbers as JSON integers, as the samples write them."""
    value = float(value)
    return int(value) if value.is_integer() and abs(value) < 2**53 else value


def _function_json(function):
    data = {k: _number(getattr(function, k)) for k in ("x0", "x1", "x2", "y0", "y1")}
    if function.offset != 0.0:
        data["offset"] = _number(function.offset)
    return data


def _method_json(method):
    data = {"method": method.name}
    function = method.function
    if isinstance(function, _core.OneSided):
        data["oneSided"] = _function_json(function)
    elif isinstance(function, _core.TwoSided):
        data["twoSided"] = {"low": _function_json(function.low), "high": _function_json(function.high)}
    return data


def _edge_json(recording, i):
    edge = {"position": _number(recording.positions[i]), "contrast": _number(recording.contrasts[i])}
    if recording.extras is not None:
        edge.update({key: _number(recording.extras[i][k]) for k, key in enumerate(_EXTRA_KEYS)})
    return edge


def _document(recording):
    formats = {False: "double", True: "fixed", "both": "both"}[recording.fixed]
    caliper = {"formats": formats,
               "edges": [_edge_json(recording, i) for i in range(len(recording.positions))]}
    if recording.profile is not None:
        caliper["profile"] = {"start": _number(recording.profile["start"]),
                              "step": _number(recording.profile["step"]),
                              "values": [_number(v) for v in recording.profile["values"]]}
    if recording.image is not None:
        caliper["image"] = recording.image
    desired = desired_edges(recording.desired)
    document = {}
    if recording.description:
        document["description"] = recording.description
    document["caliper"] = caliper
    document["params"] = {
        "desiredEdges": [{"position": _number(d.position), "polarity": d.polarity} for d in desired],
        "scoreMethods": [_method_json(m if isinstance(m, _core.Method) else _core.Method(*m))
                         for m in recording.methods],
        "maxNumResults": int(recording.max_results),
        "sortByScore": bool(recording.sort),
    }
    if recording.expect is not None:
        document["expect"] = recording.expect
    return document


def save(path, recording):
    """Write a Recording as a cclp-score document, which the tool scores
    as score() does. Nothing is written when the recording cannot be."""
    for name, values in (("positions", recording.positions), ("contrasts", recording.contrasts)):
        if not all(math.isfinite(v) for v in np.asarray(values, dtype=float)):
            raise ValueError(f"recording.{name}: JSON holds finite numbers only")
    text = json.dumps(_document(recording), indent=2, allow_nan=False) + "\n"
    with open(path, "w", encoding="utf-8") as file:
        file.write(text)
