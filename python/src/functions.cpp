// Scoring functions: built and checked by the library, sampled through it.
#include <string>
#include <type_traits>
#include <utility>

#include "bindings.hpp"

namespace cclp_python {
namespace {

using cclp::score::Breakpoints;
using cclp::score::OneSided;
using cclp::score::TwoSided;

OneSided makeOneSided(double x0, double x1, double x2, double y0, double y1, double offset) {
    OneSided function(x0, x1, x2, y0, y1);
    function.positionOffset(offset);
    return function;
}

// Both sides from one-sided functions, keeping their offsets; `checked`
// cross-checks them as the signed size difference needs, otherwise each side
// stands on its own, as edgePos and offsetDist score them.
TwoSided makeTwoSided(const OneSided& low, const OneSided& high, bool checked) {
    const Breakpoints l = low.breakpoints();
    const Breakpoints h = high.breakpoints();
    TwoSided function;
    if (checked) {
        function = TwoSided(l, h);
    } else {
        cclp_scoreTwoSided record{};
        const int32_t status = cclp_scoreTwoSided_initOneSided(
            &record, l.x0, l.x1, l.x2, l.y0, l.y1, h.x0, h.x1, h.x2, h.y0, h.y1);
        if (status < 0) {
            throw cclp::score::Error(cclp::score::makeErrorCode(status),
                                     "cclp_scoreTwoSided_initOneSided");
        }
        function = TwoSided(record);
    }
    function.positionOffsets(low.positionOffset(), high.positionOffset());
    return function;
}

// A 1-D array of numbers (integers for 1/256 values, which must fit 32
// bits) as the values to sample; anything else is refused naming `name`.
template <class Number>
std::vector<Number> sampleInput(const py::object& object, const char* name) {
    constexpr bool kFixed = std::is_same_v<Number, int32_t>;
    const py::array values = py::array::ensure(object);
    if (!values) throw py::type_error(std::string(name) + ": an array of numbers expected");
    const char kind = values.dtype().kind();
    const bool numeric = kFixed ? (kind == 'i' || kind == 'u' || kind == 'b')
                                : (kind == 'i' || kind == 'u' || kind == 'b' || kind == 'f');
    if (!numeric) {
        throw py::type_error(std::string(name) + (kFixed ? ": integers" : ": numbers") +
                             " expected, got an array of " + std::string(py::str(values.dtype())));
    }
    if (values.ndim() != 1) throw py::value_error(std::string(name) + ": a 1-D array expected");
    // Checked in the array's own type: a cast first would wrap 2^64 - 1 to -1.
    if (kFixed && values.size() > 0 &&
        (values.attr("min")() < py::int_(INT32_MIN) || values.attr("max")() > py::int_(INT32_MAX))) {
        throw py::value_error(std::string(name) + ": 1/256 values must fit 32 bits");
    }
    using Wide = std::conditional_t<kFixed, int64_t, double>;
    const auto wide = py::array_t<Wide, py::array::c_style | py::array::forcecast>::ensure(values);
    std::vector<Number> input(wide.data(), wide.data() + wide.size());
    return input;
}

// Samples of any function, computed with the GIL released: doubles as a
// floating-point run scores them, 1/256 values as a fixed-point run does.
template <class Function, class Number>
py::array_t<Number> sample(const Function& function, const py::object& xs) {
    const char* name = std::is_same_v<Number, double> ? "xs" : "values";
    const std::vector<Number> input = sampleInput<Number>(xs, name);
    std::vector<Number> values;
    {
        py::gil_scoped_release released;
        if constexpr (std::is_same_v<Number, double>) {
            values = function.sample(input);
        } else {
            values = function.sampleFixed(input);
        }
    }
    return toArray(values);
}

constexpr const char* kOneSidedDoc = R"(A one-sided scoring function, checked by the library when it is built.

Scores y0 from x0 outward, ramps linearly to (x1, y1), holds y1 up to x2 and
scores 0 beyond.

Parameters
----------
x0, x1, x2 : float
    The breakpoints, running one way: x0 <= x1 <= x2 or the reverse.
y0, y1 : float, optional
    The scores at x0 and from x1 to x2: 1 >= y0 >= y1 >= 0 (defaults 1
    and 0).
offset : float, optional
    The reference position of the offsetDist method (default 0).

Raises
------
ScoreError
    The library refused the values; ``status`` names why.

Examples
--------
>>> import cclp_score as cs
>>> function = cs.OneSided(0.0, 2.0, 4.0, y0=1.0, y1=0.5)
>>> function
OneSided(x0=0.0, x1=2.0, x2=4.0, y0=1.0, y1=0.5, offset=0.0)
>>> function.sample([0.0, 1.0, 3.0, 5.0])
array([1.  , 0.75, 0.5 , 0.  ])
>>> cs.OneSided(0.0, 2.0, 1.0)
Traceback (most recent call last):
...
cclp_score._errors.ScoreError: cclp_scoreOneSided_initValues: CCLP_STATUS_...)";

constexpr const char* kTwoSidedDoc = R"(A two-sided scoring function: a low and a high one-sided side.

``TwoSided(low, high)`` cross-checks the sides as sizeDiffSigned scores
them (values below the high side's near end go to the low side).
``TwoSided.independent(low, high)`` checks each side on its own, as
edgePos (first edge by the low side, second by the high side) and
offsetDist use them. Each side keeps its offset.

Parameters
----------
low, high : OneSided
    The side for values below and above the middle.

Raises
------
ScoreError
    The library refused the pair of sides; ``status`` names why.

Examples
--------
>>> import cclp_score as cs
>>> function = cs.TwoSided(cs.OneSided(0.0, -2.0, -2.0), cs.OneSided(0.0, 2.0, 2.0))
>>> function.sample([-3.0, -1.0, 0.0, 1.0])
array([0. , 0.5, 1. , 0.5])
>>> function.high
OneSided(x0=0.0, x1=2.0, x2=2.0, y0=1.0, y1=0.0, offset=0.0))";

constexpr const char* kIndependentDoc = R"(Both sides, each checked on its own (for edgePos and offsetDist).

Parameters
----------
low, high : OneSided
    The sides, as for ``TwoSided(low, high)``.

Returns
-------
TwoSided
    The function.

Raises
------
ScoreError
    The library refused a side.

Examples
--------
>>> import cclp_score as cs
>>> low = cs.OneSided(0.0, 3.0, 3.0, offset=-10.0)
>>> high = cs.OneSided(0.0, 1.0, 1.0, offset=10.0)
>>> cs.TwoSided.independent(low, high).low.offset
-10.0)";

constexpr const char* kSampleDoc = R"(The function's values, exactly as a floating-point run scores them.

Computed by the library, through a run.

Parameters
----------
xs : array_like
    1-D, the values to score (floats).

Returns
-------
numpy.ndarray
    float64, one score per value.

Raises
------
TypeError, ValueError
    ``xs`` is not a 1-D array of numbers.

Examples
--------
>>> import cclp_score as cs
>>> cs.OneSided(0.0, 2.0, 2.0).sample([0.0, 1.0, 3.0])
array([1. , 0.5, 0. ]))";

constexpr const char* kSampleFixedDoc = R"(The function's values, exactly as a fixed-point run scores them.

Parameters
----------
values : array_like
    1-D integers in 1/256 units that fit 32 bits.

Returns
-------
numpy.ndarray
    int32 scores in 1/256 units (256 is 1).

Raises
------
TypeError, ValueError
    ``values`` is not a 1-D array of integers that fit 32 bits.

Examples
--------
>>> import cclp_score as cs
>>> cs.OneSided(0.0, 2.0, 2.0).sample_fixed([0, 256, 768]).tolist()
[256, 128, 0])";

std::string describe(const OneSided& f) {
    const Breakpoints b = f.breakpoints();
    return "OneSided(x0=" + py::repr(py::float_(b.x0)).cast<std::string>() +
           ", x1=" + py::repr(py::float_(b.x1)).cast<std::string>() +
           ", x2=" + py::repr(py::float_(b.x2)).cast<std::string>() +
           ", y0=" + py::repr(py::float_(b.y0)).cast<std::string>() +
           ", y1=" + py::repr(py::float_(b.y1)).cast<std::string>() +
           ", offset=" + py::repr(py::float_(f.positionOffset())).cast<std::string>() + ")";
}

bool sameFunction(const OneSided& a, const OneSided& b) {
    const Breakpoints p = a.breakpoints();
    const Breakpoints q = b.breakpoints();
    return p.x0 == q.x0 && p.x1 == q.x1 && p.x2 == q.x2 && p.y0 == q.y0 && p.y1 == q.y1 &&
           a.positionOffset() == b.positionOffset();
}

}  // namespace

void bindFunctions(py::module_& module) {
    py::class_<OneSided>(module, "OneSided", kOneSidedDoc)
        .def(py::init(&makeOneSided), py::arg("x0"), py::arg("x1"), py::arg("x2"),
             py::arg("y0") = 1.0, py::arg("y1") = 0.0, py::arg("offset") = 0.0)
        .def_property_readonly("x0", [](const OneSided& f) { return f.breakpoints().x0; },
                               "The first breakpoint: the score there is y0.")
        .def_property_readonly("x1", [](const OneSided& f) { return f.breakpoints().x1; },
                               "Where the ramp ends and y1 begins.")
        .def_property_readonly("x2", [](const OneSided& f) { return f.breakpoints().x2; },
                               "Where y1 ends; beyond it the score is 0.")
        .def_property_readonly("y0", [](const OneSided& f) { return f.breakpoints().y0; },
                               "The score at x0.")
        .def_property_readonly("y1", [](const OneSided& f) { return f.breakpoints().y1; },
                               "The score from x1 to x2.")
        .def_property_readonly("offset", [](const OneSided& f) { return f.positionOffset(); },
                               "The reference position of the offsetDist method.")
        .def("sample", &sample<OneSided, double>, py::arg("xs"), kSampleDoc)
        .def("sample_fixed", &sample<OneSided, int32_t>, py::arg("values"), kSampleFixedDoc)
        .def("__eq__", &sameFunction)
        .def("__repr__", &describe);

    py::class_<TwoSided>(module, "TwoSided", kTwoSidedDoc)
        .def(py::init([](const OneSided& low, const OneSided& high) {
                 return makeTwoSided(low, high, true);
             }),
             py::arg("low"), py::arg("high"))
        .def_static(
            "independent",
            [](const OneSided& low, const OneSided& high) { return makeTwoSided(low, high, false); },
            py::arg("low"), py::arg("high"), kIndependentDoc)
        .def_property_readonly("low", &TwoSided::lowSide,
                               "The side for values below the middle (a OneSided).")
        .def_property_readonly("high", &TwoSided::highSide,
                               "The side for values above the middle (a OneSided).")
        .def("sample", &sample<TwoSided, double>, py::arg("xs"), kSampleDoc)
        .def("sample_fixed", &sample<TwoSided, int32_t>, py::arg("values"), kSampleFixedDoc)
        .def("__eq__", [](const TwoSided& a, const TwoSided& b) {
            return sameFunction(a.lowSide(), b.lowSide()) && sameFunction(a.highSide(), b.highSide());
        })
        .def("__repr__", [](const TwoSided& f) {
            return "TwoSided(low=" + describe(f.lowSide()) + ", high=" + describe(f.highSide()) + ")";
        });
}

}  // namespace cclp_python
