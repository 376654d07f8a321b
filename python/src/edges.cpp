// The edge finder's C++ interface for Python: images read from files as
// numpy arrays (no copy: the array owns the decoded image), and the edges
// of a caliper over a caller's 2-D uint8/uint16 array, searched without the
// GIL: their result set (EdgeRecord), with its positions and contrasts as
// views of it that the scorer reads in place, and their image points. The
// pure-Python half (cclp_score/_edges.py) checks the arguments and names the
// bad one; the library's own refusals raise EdgeError.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "bindings.hpp"
#include "cedge/cedge.hpp"

namespace cclp_python {
namespace {

[[noreturn]] void raiseEdgeError(const py::str& context, const std::error_code& ec) {
    const auto status = static_cast<int32_t>(ec.value());
    raiseStatusError("EdgeError", context, ec.message(), cedge_statusName(status), status);
}

// The image's pixels as a 2-D array that keeps the image alive. The name is
// the file system's bytes (the package encodes str and os.PathLike names),
// so that any name the system allows is read; a failure names the file as
// os.fsdecode shows it.
py::array readImage(const py::bytes& path) {
    std::error_code ec;
    auto image = std::make_unique<cedge::Image>(cedge::Image::read(std::string(path), ec));
    if (ec) raiseEdgeError(py::module_::import("os").attr("fsdecode")(path), ec);
    const cedge_image view = image->view().c();  // a temporary view hands out a copy
    const py::capsule owner(image.release(), [](void* p) { delete static_cast<cedge::Image*>(p); });
    const py::dtype type = view.bitsPerPixel == 16 ? py::dtype::of<uint16_t>() : py::dtype::of<uint8_t>();
    const py::ssize_t itemBytes = view.bitsPerPixel / 8;
    return py::array(type, {py::ssize_t{view.height}, py::ssize_t{view.width}},
                     {py::ssize_t{view.strideBytes}, itemBytes}, view.pixels, owner);
}

// Whether the edge finder reads the array in place: 2-D, native uint8 or
// uint16, contiguous rows, a row stride from a row's bytes to 2^31 - 1.
bool readableInPlace(const py::array& pixels) {
    // Equivalent types, byte order included (not the same dtype object).
    const bool gray = py::isinstance<py::array_t<uint8_t>>(pixels) ||
                      py::isinstance<py::array_t<uint16_t>>(pixels);
    if (!gray || pixels.ndim() != 2 || pixels.size() == 0) return false;
    const py::ssize_t limit = INT32_MAX;
    return pixels.shape(0) <= limit && pixels.strides(1) == pixels.itemsize() &&
           pixels.shape(1) * pixels.itemsize() <= pixels.strides(0) && pixels.strides(0) <= limit;
}

template <class T>
py::array_t<T> copyOf(const T* values, int32_t count) {
    py::array_t<T> array(static_cast<py::ssize_t>(count));
    if (count > 0) std::memcpy(array.mutable_data(), values, sizeof(T) * static_cast<std::size_t>(count));
    return array;
}

// One column of the finder's edges as a read-only view that keeps the
// record (owner) alive: no copy on the way to the scorer.
py::array edgeColumn(const py::object& owner, double cclp_edge::*field) {
    const auto& edges = owner.cast<const cedge::Edges&>();
    if (edges.empty()) return py::array_t<double>(py::ssize_t{0});
    py::array_t<double> view({static_cast<py::ssize_t>(edges.size())},
                             {static_cast<py::ssize_t>(sizeof(cclp_edge))}, &(edges[0].*field), owner);
    view.attr("flags").attr("writeable") = false;
    return view;
}

// The finder's search setting for a polarity of the one vocabulary.
cedge::Polarity finderPolarity(cclp::score::Polarity polarity) {
    switch (polarity) {
        case cclp::score::Polarity::Positive:
            return cedge::Polarity::Positive;
        case cclp::score::Polarity::Negative:
            return cedge::Polarity::Negative;
        default:
            return cedge::Polarity::Any;
    }
}

py::dict findEdges(const py::array& pixels, const cedge::Caliper& caliper, double sigma,
                   double minContrast, const std::string& polarity, bool clip) {
    const cedge::ImageView image = imageOf(pixels);
    const cedge::Settings settings = edgeSettings(sigma, minContrast, polarity, clip);
    std::error_code ec;
    cedge::Found found;
    {
        const py::gil_scoped_release released;
        found = cedge::findEdges(image, caliper, settings, ec);
    }
    if (ec) raiseEdgeError("find_edges", ec);
    const cedge::Profile& profile = found.profile;
    py::dict out;
    const py::object record = py::cast(std::move(found.edges));
    out["record"] = record;
    out["positions"] = edgeColumn(record, &cclp_edge::position);
    out["contrasts"] = edgeColumn(record, &cclp_edge::contrast);
    out["profile"] = copyOf(profile.values(), profile.size());
    out["derivative"] = copyOf(profile.derivative(), profile.size());
    out["first_position"] = profile.position(0);
    out["valid_first"] = profile.validFirst();
    out["valid_count"] = profile.validCount();
    return out;
}

// (n, 2) image points, filled by fill(points, n) with the status it returns.
template <class Fill>
py::array_t<double> pointsOf(py::ssize_t count, const char* context, Fill&& fill) {
    static_assert(sizeof(cedge_point) == 2 * sizeof(double), "points are read as (n, 2) doubles");
    py::array_t<double> points({count, py::ssize_t{2}});
    auto* out = reinterpret_cast<cedge_point*>(points.mutable_data());
    const int32_t status = fill(out, static_cast<int32_t>(count));
    if (status < 0) raiseEdgeError(context, cedge::makeErrorCode(status));
    return points;
}

// The image points of the record's edges.
py::array_t<double> edgePoints(const cedge::Edges& edges, const cedge::Caliper& caliper) {
    const cedge_caliper rectangle = caliper.c();
    const auto count = static_cast<py::ssize_t>(edges.size());
    return pointsOf(count, "edge_points", [&](cedge_point* points, int32_t n) {
        return cedge_edgePoints(&rectangle, &edges.c(), points, n);
    });
}

// The image points of positions along the caliper.
py::array_t<double> caliperPoints(const cedge::Caliper& caliper, const DoubleArray& positions) {
    const cedge_caliper rectangle = caliper.c();
    return pointsOf(positions.size(), "caliper_points", [&](cedge_point* points, int32_t n) {
        int32_t status = 0;
        for (int32_t i = 0; i < n && status >= 0; ++i) {
            status = cedge_caliperPoint(&rectangle, positions.data()[i], &points[i]);
        }
        return status;
    });
}

}  // namespace

cedge::ImageView imageOf(const py::array& pixels) {
    if (!readableInPlace(pixels)) {
        throw py::value_error("pixels: a 2-D native uint8/uint16 array with contiguous rows expected");
    }
    const auto height = static_cast<int32_t>(pixels.shape(0));
    const auto width = static_cast<int32_t>(pixels.shape(1));
    const auto stride = static_cast<int32_t>(pixels.strides(0));
    const std::size_t bytes = static_cast<std::size_t>(height - 1) * static_cast<std::size_t>(stride) +
                              static_cast<std::size_t>(width) * static_cast<std::size_t>(pixels.itemsize());
    if (pixels.itemsize() == 2) {
        return {static_cast<const uint16_t*>(pixels.data()), bytes, width, height, stride};
    }
    return {static_cast<const uint8_t*>(pixels.data()), bytes, width, height, stride};
}


cedge::Settings edgeSettings(double sigma, double minContrast, const std::string& polarity, bool clip) {
    return cedge::Settings()
        .sigma(sigma)
        .minContrast(minContrast)
        .polarity(finderPolarity(polarityNamed(polarity)))
        .clipToImage(clip);
}

void bindEdges(py::module_& module) {
    py::class_<cedge::Edges>(module, "EdgeRecord",
                             "The edge finder's result set, ascending; the scorer reads it in place.")
        .def("__len__", &cedge::Edges::size);
    module.def("read_image", &readImage, py::arg("path"));
    module.def(
        "find_edges",
        [](const py::array& pixels, double x, double y, double angle, double length, double thickness,
           double sigma, double minContrast, const std::string& polarity, bool clip) {
            return findEdges(pixels, cedge::Caliper{x, y, angle, length, thickness}, sigma,
                             minContrast, polarity, clip);
        },
        py::arg("pixels"), py::arg("x"), py::arg("y"), py::arg("angle"), py::arg("length"),
        py::arg("thickness"), py::arg("sigma"), py::arg("min_contrast"), py::arg("polarity"),
        py::arg("clip"));
    module.def(
        "edge_points",
        [](const cedge::Edges& edges, double x, double y, double angle, double length, double thickness) {
            return edgePoints(edges, cedge::Caliper{x, y, angle, length, thickness});
        },
        py::arg("record"), py::arg("x"), py::arg("y"), py::arg("angle"), py::arg("length"),
        py::arg("thickness"), "The (n, 2) image points of an EdgeRecord's edges.");
    module.def(
        "caliper_points",
        [](const DoubleArray& positions, double x, double y, double angle, double length, double thickness) {
            return caliperPoints(cedge::Caliper{x, y, angle, length, thickness}, positions);
        },
        py::arg("positions"), py::arg("x"), py::arg("y"), py::arg("angle"), py::arg("length"),
        py::arg("thickness"), "The (n, 2) image points of positions along a caliper.");
    module.def("reads_png", [] { return cedge_readsPng() != 0; },
               R"(Whether ``read_image()`` reads PNG files in this build (PGM and PPM it always reads).

Returns
-------
bool
    True when the build has PNG support (libpng).

Examples
--------
>>> import cclp_score as cs
>>> cs.reads_png() in (True, False)
True)");
}

}  // namespace cclp_python
