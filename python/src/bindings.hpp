// Shared pieces of the extension module: the parts that bind each group of
// types, and the conversion of the library's errors into Python exceptions.
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "cclp_score/cclp_score.hpp"
#include "cedge/cedge.hpp"

namespace cclp_python {

namespace py = pybind11;

// C-contiguous arrays in the types the library reads; others are converted.
using DoubleArray = py::array_t<double, py::array::c_style | py::array::forcecast>;
using Int32Array = py::array_t<int32_t, py::array::c_style | py::array::forcecast>;

void bindEdges(py::module_& module);
void bindErrors(py::module_& module);
void bindFunctions(py::module_& module);
void bindGeometry(py::module_& module);
void bindMethods(py::module_& module);
void bindPlot(py::module_& module);
void bindRecording(py::module_& module);
void bindScoring(py::module_& module);
void bindTiming(py::module_& module);

// A polarity by its canonical name or an alias ("dark_to_light"); an
// unknown name raises ValueError listing the known ones.
cclp::score::Polarity polarityNamed(const std::string& name);

// Raises the exception class `type` of cclp_score._errors ("EdgeError")
// with the message "context: NAME: meaning" (text), the status name (or "")
// and the code.
[[noreturn]] void raiseStatusError(const char* type, const py::str& context,
                                   const std::string& text, const char* name, int32_t status);

// A view of a 2-D native uint8/uint16 array with contiguous rows (the
// package copies any other array into one first).
cedge::ImageView imageOf(const py::array& pixels);

// The edge finder's search settings; polarity by name, as desired edges name it.
cedge::Settings edgeSettings(double sigma, double minContrast, const std::string& polarity, bool clip);

// A view of a 1-D array for the C++ interface.
template <class T>
cclp::score::ArrayRef<T> viewOf(const py::array_t<T, py::array::c_style | py::array::forcecast>& a) {
    return {a.data(), static_cast<std::size_t>(a.size())};
}

// A vector as a new 1-D numpy array.
template <class T>
py::array_t<T> toArray(const std::vector<T>& values) {
    py::array_t<T> array(static_cast<py::ssize_t>(values.size()));
    std::copy(values.begin(), values.end(), array.mutable_data());
    return array;
}

}  // namespace cclp_python
