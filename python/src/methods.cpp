// Score methods by name, with what the method table says of each.
#include <string>

#include "bindings.hpp"

namespace cclp_python {
namespace {

using cclp::score::FunctionKind;
using cclp::score::Method;
using cclp::score::MethodInfo;
using cclp::score::OneSided;
using cclp::score::TwoSided;

constexpr const char* kMethodDoc = R"(A score method: what it measures on a candidate and the function
that maps the measured value to a score.

Parameters
----------
name : str
    The method, as ``method_names()`` lists them (``"sizeDiff"``,
    ``"contrast"``, ...).
function : OneSided, TwoSided or None
    A function of the kind the method takes; None for straddle, which
    scores through none.

Raises
------
ValueError
    An unknown name (the message lists the known ones), a missing
    function, or a function given to straddle, which takes none.
TypeError
    ``function`` is neither a OneSided, a TwoSided nor None.
ScoreError
    The library refused the pairing of method and function.

Examples
--------
>>> import cclp_score as cs
>>> method = cs.Method("sizeDiff", cs.OneSided(0.0, 0.25, 0.25))
>>> method.name, method.pairs_only, method.measures
('sizeDiff', True, '||p1 - p0| - w| / w')
>>> cs.Method("straddle").function is None
True)";

constexpr const char* kMethodNamesDoc = R"(The score methods' names, in the library's order.

Returns
-------
list of str
    Every name ``Method`` takes.

Examples
--------
>>> import cclp_score as cs
>>> cs.method_names()[:3]
['sizeDiff', 'size', 'posNormAbs'])";


const MethodInfo& infoByName(const std::string& name) {
    const auto id = cclp::score::methodByName(name);
    if (!id) throw py::value_error("name: " + cclp::score::unknownMethodText(name));
    return *cclp::score::methodInfo(*id);
}

Method makeMethod(const std::string& name, const py::object& function) {
    const MethodInfo& info = infoByName(name);
    const bool takesNone = info.function == FunctionKind::None;
    if (function.is_none() != takesNone) {
        throw py::value_error("function: " + (takesNone ? cclp::score::functionUnwantedText(info)
                                                        : cclp::score::functionMissingText(info)));
    }
    if (takesNone) return Method(info.id);
    if (py::isinstance<TwoSided>(function)) return Method(info.id, function.cast<const TwoSided&>());
    if (py::isinstance<OneSided>(function)) return Method(info.id, function.cast<const OneSided&>());
    throw py::type_error("function: a OneSided, a TwoSided or None, not " +
                         std::string(py::str(py::type::of(function).attr("__name__"))));
}

py::object functionOf(const Method& method) {
    if (cclp::score::methodInfo(method.id())->function == FunctionKind::None) return py::none();
    return method.isOneSided() ? py::cast(method.oneSided()) : py::cast(method.twoSided());
}

const MethodInfo& infoOf(const Method& method) { return *cclp::score::methodInfo(method.id()); }

}  // namespace

void bindMethods(py::module_& module) {
    py::class_<Method>(module, "Method", kMethodDoc)
        .def(py::init(&makeMethod), py::arg("name"), py::arg("function") = py::none())
        .def_property_readonly("name", [](const Method& m) { return std::string(m.name()); },
                               "The method's name, as method_names() lists it.")
        .def_property_readonly("function", &functionOf,
                               "Its scoring function: a OneSided, a TwoSided, or None for straddle.")
        .def_property_readonly("pairs_only", [](const Method& m) { return infoOf(m).pairsOnly; },
                               "Scores edge pairs only.")
        .def_property_readonly("extended_only",
                               [](const Method& m) { return infoOf(m).extendedOnly; },
                               "Reads the edges' extra values: needs extras.")
        .def_property_readonly("measures",
                               [](const Method& m) { return std::string(infoOf(m).measures); },
                               "The value it measures, as a formula of p0, p1 (positions), w (width).")
        .def("__eq__",
             [](const Method& a, const Method& b) {
                 return a.id() == b.id() && functionOf(a).equal(functionOf(b));
             })
        .def("__repr__", [](const Method& m) {
            return "Method('" + std::string(m.name()) + "', " +
                   std::string(py::repr(functionOf(m))) + ")";
        });

    module.def(
        "method_names",
        [] {
            py::list names;
            for (const MethodInfo& info : cclp::score::kMethods) names.append(info.name);
            return names;
        },
        kMethodNamesDoc);
}

}  // namespace cclp_python
