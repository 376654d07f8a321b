// Recording, load() and save(): the recording model of the tool, bound. The
// document is read and written by the model's reader and writer only; the
// parts Python shows as dicts (profile, image, expect) go through them too.
#include <pybind11/stl/filesystem.h>

#include <cstring>
#include <string>

#include "bindings.hpp"
#include "recording/document_error.hpp"
#include "recording/document_reader.hpp"
#include "recording/document_writer.hpp"
#include "recording/polarity.hpp"
#include "recording/schema.hpp"

namespace cclp_python {
namespace {

namespace rec = cclp_recording;
using rec::Edge;
using rec::Recording;

constexpr const char* kRecordingDoc = R"(A recorded caliper result and the score parameters to tune on it.

The cclp-score tool's document in memory: change any field and call
``score()`` again; ``save()`` writes it back for the tool. positions,
contrasts and extras are views of the recording's edges (build a new
Recording for another number of edges).

Parameters
----------
positions, contrasts : array_like
    The edges, as ``score()`` takes them.
desired, methods, extras, max_results, sort, fixed
    As ``score()`` takes them.
description : str, optional
    What the recording shows; plots use it as their title.
profile : dict, optional
    The caliper's projection ``{"start", "step", "values"}``.
image : dict, optional
    Where the tool found the edges, as the document spells it.
expect : dict, optional
    The winner a ``cclp-score check`` expects, as the document spells it.

Raises
------
TypeError, ValueError
    A bad argument, or a part the tool would refuse; the message names it.

Examples
--------
>>> import cclp_score as cs
>>> recording = cs.Recording([-10.5, 0.0, 9.0], [40.0, -5.0, -35.0],
...                          desired=[(-10, "positive"), (10, "negative")],
...                          methods=[cs.Method("sizeDiff", cs.OneSided(0.0, 0.25, 0.25))])
>>> recording
<Recording: 3 edges, pairs, 1 methods>
>>> recording.desired = [(-10, "positive"), (0, "negative")]
>>> recording.score().edges.tolist()
[[0, 1]]
>>> recording.positions[1] = 1.0
>>> recording.score().score.tolist()
[0.4])";

constexpr const char* kLoadDoc = R"(Read a cclp-score document into a Recording, as the tool reads it.

Parameters
----------
path : str or os.PathLike
    The tool's samples, or its ``--json`` output.

Returns
-------
Recording
    The document.

Raises
------
ValueError
    A refused document; the message names the field (e.g.
    ``"params.scoreMethods[1].method: unknown score method ..."``).
OSError
    The file cannot be read, is not a regular file (a device, a pipe, a
    folder) or is larger than 16 MiB; raised before anything is read.

Examples
--------
>>> import cclp_score as cs
>>> with open("run.json", "w") as file:
...     _ = file.write('{"caliper": {"edges": [{"position": 1.5, "contrast": 20}]},'
...                    ' "params": {"desiredEdges": [{"position": 0}],'
...                    ' "scoreMethods": [{"method": "contrast",'
...                    ' "oneSided": {"x0": 30, "x1": 5, "x2": 0}}]}}')
>>> recording = cs.load("run.json")
>>> recording.positions, recording.desired
(array([1.5]), (DesiredEdge(position=0.0, polarity='any'),)))";

constexpr const char* kSaveDoc = R"(Write a Recording as a cclp-score document, which the tool scores as
``score()`` does.

Parameters
----------
path : str or os.PathLike
    The file to write.
recording : Recording
    What to write.

Raises
------
ValueError
    A recording the tool would refuse; the message names the field, and
    nothing is written.
OSError
    The file cannot be written.

Examples
--------
>>> import cclp_score as cs
>>> recording = cs.Recording([1.5], [20.0], desired=0,
...                          methods=[cs.Method("contrast", cs.OneSided(30.0, 5.0, 0.0))])
>>> cs.save("run.json", recording)
>>> cs.load("run.json") == recording
True)";

constexpr const char* kSaveMethodDoc = R"(Write this recording as a cclp-score document: ``save(path, self)``.

Parameters
----------
path : str or os.PathLike
    The file to write.

Raises
------
ValueError, OSError
    As ``save()`` raises them.

Examples
--------
>>> import cclp_score as cs
>>> recording = cs.Recording([1.5], [20.0], desired=0,
...                          methods=[cs.Method("contrast", cs.OneSided(30.0, 5.0, 0.0))])
>>> recording.save("run.json")
>>> cs.load("run.json").positions
array([1.5]))";

// The document's JSON for a part, and back: through the json module, so
// that Python sees what the writer wrote and the reader reads what Python gave.
py::object toPython(const rec::OrderedJson& json) {
    return py::module_::import("json").attr("loads")(json.dump());
}

nlohmann::json fromPython(const py::handle& value, const std::string& path) {
    try {
        const std::string text = py::module_::import("json")
                                     .attr("dumps")(value, py::arg("allow_nan") = false)
                                     .cast<std::string>();
        return nlohmann::json::parse(text);
    } catch (const py::error_already_set& error) {
        throw rec::InputError(path, "not expressible in JSON (" + std::string(error.what()) + ")");
    }
}

std::string partPath(std::string_view part) { return rec::fieldPath(rec::key::caliper, part); }

// A view of one value of every edge, `column` doubles into each Edge.
py::array edgeColumns(Recording& recording, const py::handle& owner, std::size_t first,
                      py::ssize_t columns) {
    const auto n = static_cast<py::ssize_t>(recording.edges.size());
    double* data = n == 0 ? nullptr : &recording.edges[0].position + first;
    constexpr auto kEdge = static_cast<py::ssize_t>(sizeof(Edge));
    constexpr auto kDouble = static_cast<py::ssize_t>(sizeof(double));
    if (columns == 1) return py::array_t<double>({n}, {kEdge}, data, owner);
    return py::array_t<double>({n, columns}, {kEdge, kDouble}, data, owner);
}

// A caller's array of `columns` values per edge, one edge a row.
py::array_t<double> edgeInput(const py::handle& values, const char* name, std::size_t edges,
                              py::ssize_t columns) {
    const auto array = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(values);
    if (!array) throw py::type_error(std::string(name) + ": an array of numbers expected");
    const bool oneColumn = columns == 1 && array.ndim() == 1;
    const bool rows = columns > 1 && array.ndim() == 2 && array.shape(1) == columns;
    if ((!oneColumn && !rows) || static_cast<std::size_t>(array.shape(0)) != edges) {
        throw py::value_error(std::string(name) + ": " + std::to_string(edges) + " edges need " +
                              (columns == 1 ? "a 1-D array" : "an (edges, 3) array") + " of " +
                              std::to_string(edges) + " rows, got shape " +
                              py::str(array.attr("shape")).cast<std::string>() +
                              " (build a new Recording for another number of edges)");
    }
    return array;
}

void setEdgeColumns(Recording& recording, const py::handle& values, const char* name,
                    std::size_t first, py::ssize_t columns) {
    const py::array_t<double> array = edgeInput(values, name, recording.edges.size(), columns);
    for (std::size_t i = 0; i < recording.edges.size(); ++i) {
        std::memcpy(&recording.edges[i].position + first,
                    array.data() + static_cast<py::ssize_t>(i) * columns,
                    static_cast<std::size_t>(columns) * sizeof(double));
    }
}

constexpr std::size_t kPosition = 0, kContrast = 1, kExtra1 = 2;

py::object extras(Recording& recording, const py::handle& owner) {
    if (!recording.edgesHaveExtras) return py::none();
    return edgeColumns(recording, owner, kExtra1, 3);
}

void setExtras(Recording& recording, const py::handle& values) {
    if (values.is_none()) {
        for (Edge& edge : recording.edges) edge.extra1 = edge.extra2 = edge.extra3 = 0.0;
        recording.edgesHaveExtras = false;
        return;
    }
    setEdgeColumns(recording, values, "extras", kExtra1, 3);
    recording.edgesHaveExtras = true;
}

py::tuple desired(const Recording& recording) {
    const py::object desiredEdge = py::module_::import("cclp_score._scoring").attr("DesiredEdge");
    py::tuple edges(recording.desiredEdges.size());
    for (std::size_t k = 0; k < recording.desiredEdges.size(); ++k) {
        const cclp_desiredEdge& edge = recording.desiredEdges[k];
        edges[k] = desiredEdge(edge.position, std::string(rec::polarityName(edge.polarity)));
    }
    return edges;
}

// The forms score() takes (a position, (position, polarity), or a list of
// one or two), checked as score() checks them.
void setDesired(Recording& recording, const py::handle& value) {
    const py::object checked = py::module_::import("cclp_score._scoring").attr("desired_edges")(value);
    std::vector<cclp_desiredEdge> edges;
    for (const py::handle& edge : checked) {
        const auto polarity = rec::polarityByName(edge.attr("polarity").cast<std::string>());
        edges.push_back({edge.attr("position").cast<double>(), static_cast<int32_t>(*polarity)});
    }
    recording.desiredEdges = std::move(edges);
}

py::tuple methods(const Recording& recording) {
    py::tuple list(recording.scoreMethods.size());
    for (std::size_t m = 0; m < recording.scoreMethods.size(); ++m) {
        list[m] = py::cast(cclp::score::Method(recording.scoreMethods[m]));
    }
    return list;
}

// A Method, or a (name, function) tuple as score() takes it.
cclp_score methodRecord(const py::handle& item, std::size_t index) {
    const py::object method =
        py::isinstance<py::tuple>(item)
            ? py::module_::import("cclp_score._core").attr("Method")(*item)
            : py::reinterpret_borrow<py::object>(item);
    if (!py::isinstance<cclp::score::Method>(method)) {
        throw py::type_error("methods[" + std::to_string(index) +
                             "]: a Method or a (name, function) tuple expected");
    }
    return method.cast<const cclp::score::Method&>().c();
}

void setMethods(Recording& recording, const py::handle& value) {
    std::vector<cclp_score> records;
    for (const py::handle& item : py::iter(value)) records.push_back(methodRecord(item, records.size()));
    recording.scoreMethods = std::move(records);
}

// The recording's methods as a list that changes them in place
// (recording.methods[0] = Method(...)).
struct MethodList {
    py::object owner;  // the Recording
    Recording& recording() const { return owner.cast<Recording&>(); }
};

void bindMethodList(py::module_& module) {
    py::class_<MethodList>(module, "MethodList", "A recording's score methods, changed in place.")
        .def("__len__", [](const MethodList& l) { return l.recording().scoreMethods.size(); })
        .def("__getitem__", [](const MethodList& l, const py::object& index) -> py::object {
            return methods(l.recording())[index];
        })
        .def("__setitem__", [](const MethodList& l, py::ssize_t index, const py::object& method) {
            auto& list = l.recording().scoreMethods;
            const auto size = static_cast<py::ssize_t>(list.size());
            if (index < -size || index >= size) throw py::index_error("methods: index out of range");
            const auto at = static_cast<std::size_t>(index < 0 ? index + size : index);
            list[at] = methodRecord(method, at);
        })
        .def("__iter__", [](const MethodList& l) { return py::iter(methods(l.recording())); })
        .def("__eq__", [](const MethodList& l, const py::object& other) {
            return py::list(methods(l.recording())).equal(py::list(other));
        })
        .def("__repr__", [](const MethodList& l) { return py::repr(py::list(methods(l.recording()))); });
}

py::object fixed(const Recording& recording) {
    switch (recording.formats) {
        case CCLP_FORMAT_DOUBLE:
            return py::bool_(false);
        case CCLP_FORMAT_FIXED:
            return py::bool_(true);
        default:
            return py::str("both");
    }
}

void setFixed(Recording& recording, const py::handle& value) {
    if (py::isinstance<py::bool_>(value)) {
        recording.formats = value.cast<bool>() ? CCLP_FORMAT_FIXED : CCLP_FORMAT_DOUBLE;
    } else if (py::isinstance<py::str>(value) && value.cast<std::string>() == "both") {
        recording.formats = CCLP_FORMAT_DOUBLE | CCLP_FORMAT_FIXED;
    } else {
        throw py::value_error("fixed: False, True or 'both' expected, got " +
                              py::repr(value).cast<std::string>());
    }
}

// True or False only, refused naming the field as score() refuses it.
void setSort(Recording& recording, const py::handle& value) {
    recording.sortByScore =
        py::module_::import("cclp_score._scoring").attr("flag")(value, "sort").cast<bool>();
}

// A part shown as a dict: None, or what the writer writes; set through the reader.
template <auto Member, auto Write>
py::object part(const Recording& recording) {
    const auto& value = recording.*Member;
    return value ? toPython(Write(*value)) : py::none();
}

template <auto Member, auto Read>
void setPart(Recording& recording, const py::handle& value, const std::string& path) {
    if (value.is_none()) {
        (recording.*Member).reset();
    } else {
        recording.*Member = Read(fromPython(value, path), path);
    }
}

constexpr auto kProfile = &Recording::profile;
constexpr auto kImage = &Recording::image;
constexpr auto kExpect = &Recording::expected;
const std::string& profilePath() { static const std::string path = partPath(rec::key::profile); return path; }
const std::string& imagePath() { static const std::string path = partPath(rec::key::image); return path; }

Recording makeRecording(const py::object& positions, const py::object& contrasts,
                        const py::object& desiredEdges, const py::object& scoreMethods,
                        const py::object& extraValues, int32_t maxResults, const py::object& sort,
                        const py::object& formats, const std::string& description,
                        const py::object& profile, const py::object& image, const py::object& expect) {
    Recording recording;
    const auto count = py::array::ensure(positions);
    if (!count || count.ndim() != 1) throw py::value_error("positions: a 1-D array expected");
    recording.edges.resize(static_cast<std::size_t>(count.shape(0)));
    setEdgeColumns(recording, positions, "positions", kPosition, 1);
    setEdgeColumns(recording, contrasts, "contrasts", kContrast, 1);
    setExtras(recording, extraValues);
    setDesired(recording, desiredEdges);
    setMethods(recording, scoreMethods);
    recording.maxNumResults = maxResults;
    setSort(recording, sort);
    setFixed(recording, formats);
    recording.description = description;
    setPart<kProfile, &rec::readProfile>(recording, profile, profilePath());
    setPart<kImage, &rec::readImageCaliper>(recording, image, imagePath());
    setPart<kExpect, &rec::readExpectation>(recording, expect, std::string(rec::key::expect));
    return recording;
}

void translateErrors(std::exception_ptr error) {
    try {
        if (error) std::rethrow_exception(error);
    } catch (const rec::InputError& refused) {
        PyErr_SetString(PyExc_ValueError, refused.what());
    } catch (const rec::FileError& failed) {
        PyErr_SetString(PyExc_OSError, failed.what());
    }
}

}  // namespace

cclp::score::Polarity polarityNamed(const std::string& name) {
    const auto polarity = rec::polarityByName(name);
    if (!polarity) {
        throw py::value_error("polarity '" + name + "' unknown (known: " + rec::knownPolarityNames() + ")");
    }
    return *polarity;
}

void bindRecording(py::module_& module) {
    py::register_exception_translator(&translateErrors);
    bindMethodList(module);
    py::class_<Recording> type(module, "Recording", kRecordingDoc);
    type.def(py::init(&makeRecording), py::arg("positions"), py::arg("contrasts"),
             py::arg("desired"), py::arg("methods"), py::arg("extras") = py::none(),
             py::arg("max_results") = 1, py::arg("sort") = true, py::arg("fixed") = false,
             py::arg("description") = "", py::arg("profile") = py::none(),
             py::arg("image") = py::none(), py::arg("expect") = py::none())
        .def_property(
            "positions",
            [](py::object self) { return edgeColumns(self.cast<Recording&>(), self, kPosition, 1); },
            [](Recording& r, const py::object& v) { setEdgeColumns(r, v, "positions", kPosition, 1); },
            "The edges' positions: a view to edit in place, or assign an array of the same length.")
        .def_property(
            "contrasts",
            [](py::object self) { return edgeColumns(self.cast<Recording&>(), self, kContrast, 1); },
            [](Recording& r, const py::object& v) { setEdgeColumns(r, v, "contrasts", kContrast, 1); },
            "The edges' contrasts: a view to edit in place, or assign an array of the same length.")
        .def_property("extras", [](py::object self) { return extras(self.cast<Recording&>(), self); },
                      &setExtras,
                      "None, or an (edges, 3) view of the edges' extra values; None drops them.")
        .def_property("desired", &desired, &setDesired,
                      "The desired edges, a tuple of DesiredEdge; assign what score() takes.")
        .def_property("methods", [](py::object self) { return MethodList{std::move(self)}; },
                      &setMethods,
                      "The score methods: changed in place (methods[0] = Method(...)) or assigned.")
        .def_readwrite("max_results", &Recording::maxNumResults, "How many candidates to keep.")
        .def_property("sort", [](const Recording& r) { return r.sortByScore; }, &setSort,
                      "Best first, else in candidate order.")
        .def_property("fixed", &fixed, &setFixed,
                      "False (double precision), True (1/256 fixed point) or \"both\".")
        .def_readwrite("description", &Recording::description,
                       "What the recording shows; plots use it as their title.")
        .def("__eq__", [](const Recording& a, const Recording& b) {
            return rec::recordingToJson(a) == rec::recordingToJson(b);
        }, "The same document: every field equal.")
        .def("__repr__", [](const Recording& r) {
            return "<Recording: " + std::to_string(r.edges.size()) + " edges, " +
                   (r.pairs() ? "pairs" : "single edges") + ", " +
                   std::to_string(r.scoreMethods.size()) + " methods>";
        })
        .def("save", [](const Recording& r, const std::filesystem::path& path) {
            rec::saveRecordingFile(path, r);
        }, py::arg("path"), kSaveMethodDoc);
    type.def_property("profile", &part<kProfile, &rec::profileJson>,
                      [](Recording& r, const py::object& v) {
                          setPart<kProfile, &rec::readProfile>(r, v, profilePath());
                      },
                      "None, or the caliper's projection {\"start\", \"step\", \"values\"}.")
        .def_property("image", &part<kImage, &rec::imageJson>,
                      [](Recording& r, const py::object& v) {
                          setPart<kImage, &rec::readImageCaliper>(r, v, imagePath());
                      },
                      "None, or where the tool found the edges: a dict as the document spells it.")
        .def_property("expect", &part<kExpect, &rec::expectationJson>,
                      [](Recording& r, const py::object& v) {
                          setPart<kExpect, &rec::readExpectation>(r, v, std::string(rec::key::expect));
                      },
                      "None, or the winner `cclp-score check` expects: a dict as the document spells it.");

    module.def("load", &rec::loadRecordingFile, py::arg("path"), kLoadDoc);
    module.def("save", [](const std::filesystem::path& path, const Recording& r) {
        rec::saveRecordingFile(path, r);
    }, py::arg("path"), py::arg("recording"), kSaveDoc);
    module.def("polarity_name", [](const std::string& name) {
        return std::string(rec::polarityName(polarityNamed(name)));
    }, py::arg("name"), "The canonical name of a polarity or of one of its aliases.");
    module.def("polarity_code", [](const std::string& name) {
        return static_cast<int32_t>(polarityNamed(name));
    }, py::arg("name"), "The module's number of a polarity named as polarity_name() accepts.");
}

}  // namespace cclp_python
