// The geometry tools for Python: a row of calipers fitted with a line, or a
// ring of radial calipers fitted with a circle, over a caller's 2-D array,
// searched, scored and fitted without the GIL through the C API (cgeom.h;
// the C++ wrapper's error category words the statuses).
// The results come back as numpy arrays, one row per caliper. The
// pure-Python half (cclp_score/_geometry.py) checks the arguments' types and
// names the bad one; the libraries' refusals raise the package's exception
// for the library that refused (GeometryError, EdgeError or ScoreError).
// Each call's records stay with its results for plot(), which the tool's
// renderer draws.
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "bindings.hpp"
#include "cgeom/cgeom.hpp"
#include "plot/geometry_plot.hpp"
#include "run_settings.hpp"

namespace cclp_python {
namespace {

using Desired = std::vector<std::pair<double, int32_t>>;

// The fit weights by the names the package takes, in cgeom_weight order.
constexpr std::array<const char*, 3> kWeightNames{"tukey", "huber", "none"};

int32_t weightNamed(const std::string& name) {
    for (std::size_t k = 0; k < kWeightNames.size(); ++k) {
        if (name == kWeightNames[k]) return static_cast<int32_t>(k);
    }
    throw py::value_error("fit: 'tukey', 'huber' or 'none' expected, got '" + name + "'");
}

// The name of any status a geometry call can return, or null.
const char* statusNameOf(int32_t status) {
    const char* name = cgeom_statusName(status);
    return name != nullptr ? name : cclp::score::statusName(status);
}

// The exception class for a status: the scoring module's codes raise
// ScoreError, the edge finder's EdgeError, the geometry tools' and the
// runtime's GeometryError.
[[noreturn]] void raiseGeometryError(const char* context, int32_t status) {
    const char* name = statusNameOf(status);
    const char* type = "GeometryError";
    if (cgeom_statusName(status) == nullptr) {
        type = "ScoreError";
    } else if (std::strncmp(name, "CEDGE_", 6) == 0) {
        type = "EdgeError";
    }
    raiseStatusError(type, context, cgeom::statusText(status), name, status);
}

// Everything one call needs, converted while the GIL is held.
struct ToolInputs {
    py::array pixels;  // keeps the image alive
    cedge_image image;
    cedge_params edge;
    RunSettings score;
};

ToolInputs toolInputs(const py::array& pixels, const py::tuple& edge, Desired desired,
                      std::vector<cclp::score::Method> methods) {
    const auto settings = edgeSettings(edge[0].cast<double>(), edge[1].cast<double>(),
                                       edge[2].cast<std::string>(), edge[3].cast<bool>());
    ToolInputs in{pixels, imageOf(pixels).c(), settings.c(),
                  RunSettings(desired, std::move(methods), 1, true, CCLP_FORMAT_DOUBLE)};
    in.score.checkFits(false);
    return in;
}

// calipers: (count, inward, spacing, length, thickness); fit: (weight, iterations, inlier distance).
cgeom_calipers caliperSettings(const py::tuple& calipers) {
    return cgeom_calipers{calipers[0].cast<int32_t>(),
                          calipers[1].cast<bool>() ? CGEOM_SEARCH_INWARD : 0u,
                          calipers[2].cast<double>(), calipers[3].cast<double>(),
                          calipers[4].cast<double>()};
}

cgeom_fitParams fitSettings(const py::tuple& fit) {
    return cgeom_fitParams{weightNamed(fit[0].cast<std::string>()), fit[1].cast<int32_t>(),
                           fit[2].cast<double>()};
}

py::array_t<double> pointArray(const cedge_point& point) {
    py::array_t<double> array(py::ssize_t{2});
    array.mutable_data()[0] = point.x;
    array.mutable_data()[1] = point.y;
    return array;
}

// One column per field of the caliper results, one row per caliper.
template <class T, class Field>
py::array_t<T> column(const std::vector<cgeom_caliperResult>& results, Field&& field) {
    py::array_t<T> array(static_cast<py::ssize_t>(results.size()));
    T* out = array.mutable_data();
    for (const cgeom_caliperResult& result : results) *out++ = static_cast<T>(field(result));
    return array;
}

// (K, width) rows of doubles, each filled by row(result, out).
template <class Row>
py::array_t<double> rows(const std::vector<cgeom_caliperResult>& results, py::ssize_t width, Row&& row) {
    py::array_t<double> array({static_cast<py::ssize_t>(results.size()), width});
    double* out = array.mutable_data();
    for (const cgeom_caliperResult& result : results) {
        row(result, out);
        out += width;
    }
    return array;
}

py::dict caliperColumns(const std::vector<cgeom_caliperResult>& results, const cgeom_fitSummary& fit) {
    using R = cgeom_caliperResult;
    py::dict out;
    out["calipers"] = rows(results, 5, [](const R& r, double* row) {
        const cedge_caliper& c = r.caliper;
        const std::array<double, 5> values{c.centerX, c.centerY, c.angle, c.length, c.thickness};
        std::copy(values.begin(), values.end(), row);
    });
    out["points"] = rows(results, 2, [](const R& r, double* row) {
        row[0] = r.point.x;
        row[1] = r.point.y;
    });
    out["positions"] = column<double>(results, [](const R& r) { return r.position; });
    out["scores"] = column<double>(results, [](const R& r) { return r.score; });
    out["residuals"] = column<double>(results, [](const R& r) { return r.residual; });
    out["weights"] = column<double>(results, [](const R& r) { return r.weight; });
    out["status"] = column<int32_t>(results, [](const R& r) { return r.status; });
    out["found"] = column<bool>(results, [](const R& r) { return r.found != 0; });
    out["used"] = column<bool>(results, [](const R& r) { return r.used != 0; });
    out["num_edges"] = column<int32_t>(results, [](const R& r) { return r.numEdges; });
    out["rms"] = fit.rms;
    out["num_calipers"] = fit.numCalipers;
    out["num_found"] = fit.numFound;
    out["num_missing"] = fit.numMissing;
    out["num_used"] = fit.numUsed;
    return out;
}

// A tool's call as its C records, kept with the Python results for plot().
struct ToolCall {
    cclp_cli::GeometryKind kind = cclp_cli::GeometryKind::Line;
    cgeom_lineParams lineParams{};
    cgeom_circleParams circleParams{};
    cgeom_line line{};
    cgeom_circle circle{};
    std::vector<cgeom_caliperResult> calipers;
};

// Sizes the caliper results by count(params), then runs find(...) without the GIL.
template <class Params, class Geometry, class Count, class Find>
void runTool(const char* context, const ToolInputs& in, const Params& params, Count count, Find find,
             Geometry& geometry, std::vector<cgeom_caliperResult>& results) {
    int32_t calipers = 0;
    int32_t status = count(&params, &calipers);
    if (status < 0) raiseGeometryError(context, status);
    results.resize(static_cast<std::size_t>(calipers));
    {
        const py::gil_scoped_release released;
        status = find(&in.image, &params, &in.edge, &in.score.params().c(), &geometry, results.data(),
                      calipers);
    }
    if (status < 0) raiseGeometryError(context, status);
}

py::dict findLine(const py::array& pixels, std::array<double, 2> start, std::array<double, 2> end,
                  const py::tuple& calipers, const py::tuple& fit, const py::tuple& edge, Desired desired,
                  std::vector<cclp::score::Method> methods) {
    const ToolInputs in = toolInputs(pixels, edge, std::move(desired), std::move(methods));
    ToolCall call;
    call.lineParams = {start[0], start[1], end[0], end[1], caliperSettings(calipers), fitSettings(fit)};
    runTool("find_line", in, call.lineParams, cgeom_lineCaliperCount, cgeom_findLine, call.line,
            call.calipers);
    py::dict out = caliperColumns(call.calipers, call.line.fit);
    out["point"] = pointArray(call.line.point);
    out["direction"] = pointArray(call.line.direction);
    out["angle"] = call.line.angle;
    out["call"] = std::move(call);
    return out;
}

py::dict findCircle(const py::array& pixels, std::array<double, 2> center, double radius,
                    std::array<double, 2> arc, const py::tuple& calipers, const py::tuple& fit,
                    const py::tuple& edge, Desired desired, std::vector<cclp::score::Method> methods) {
    const ToolInputs in = toolInputs(pixels, edge, std::move(desired), std::move(methods));
    ToolCall call;
    call.kind = cclp_cli::GeometryKind::Circle;
    call.circleParams = {center[0], center[1], radius, arc[0], arc[1], caliperSettings(calipers),
                         fitSettings(fit)};
    runTool("find_circle", in, call.circleParams, cgeom_circleCaliperCount, cgeom_findCircle, call.circle,
            call.calipers);
    py::dict out = caliperColumns(call.calipers, call.circle.fit);
    out["center"] = pointArray(call.circle.center);
    out["radius"] = call.circle.radius;
    out["call"] = std::move(call);
    return out;
}

// The library's defaults, which the package's keywords take.
py::dict defaults(const cgeom_calipers& calipers, const cgeom_fitParams& fit) {
    py::dict out;
    out["calipers"] = calipers.count;
    out["length"] = calipers.length;
    out["thickness"] = calipers.thickness;
    out["fit"] = kWeightNames.at(static_cast<std::size_t>(fit.weight));
    out["max_iterations"] = fit.maxIterations;
    out["inlier_distance"] = fit.inlierDistance;
    return out;
}

py::dict lineDefaults() {
    cgeom_lineParams params;
    cgeom_lineParams_init(&params);
    return defaults(params.calipers, params.fit);
}

py::dict circleDefaults() {
    cgeom_circleParams params;
    cgeom_circleParams_init(&params);
    py::dict out = defaults(params.calipers, params.fit);
    out["arc"] = py::make_tuple(params.startAngle, params.sweep);
    return out;
}

// The tool's plot of a call over the image it searched.
std::string plotCall(const ToolCall& call, const py::array& pixels, std::string description) {
    const cclp_cli::GeometryPlotRequest request{imageOf(pixels).c(), call.kind, call.lineParams,
                                                call.circleParams, 0, call.line, call.circle,
                                                call.calipers, std::move(description)};
    const py::gil_scoped_release released;
    return cclp_cli::geometryPlotOf(request);
}

}  // namespace

void bindGeometry(py::module_& module) {
    py::class_<ToolCall>(module, "GeometryCall",
                         "A line or circle tool's call as its C records, for plot().");
    module.def("plot_geometry", &plotCall, py::arg("call"), py::arg("pixels"), py::arg("description"),
               "The SVG plot of a tool's call, drawn by cclp-score's renderer.");
    module.def("find_line", &findLine, py::arg("pixels"), py::arg("start"), py::arg("end"),
               py::arg("calipers"), py::arg("fit"), py::arg("edge"), py::arg("desired"), py::arg("methods"),
               "The line tool over checked arguments (cclp_score.find_line checks them).");
    module.def("find_circle", &findCircle, py::arg("pixels"), py::arg("center"), py::arg("radius"),
               py::arg("arc"), py::arg("calipers"), py::arg("fit"), py::arg("edge"), py::arg("desired"),
               py::arg("methods"),
               "The circle tool over checked arguments (cclp_score.find_circle checks them).");
    module.def(
        "geometry_status_name",
        [](int32_t status) {
            const char* name = statusNameOf(status);
            return name != nullptr ? std::string(name) : cgeom::statusText(status);
        },
        py::arg("status"), "The name of a status the geometry tools return.");
    module.def("line_defaults", &lineDefaults, "The line tool's default calipers and fit.");
    module.def("circle_defaults", &circleDefaults, "The circle tool's default calipers, arc and fit.");
}

}  // namespace cclp_python
