// The libraries' failures as the package's exceptions (cclp_score/_errors.py):
// ScoreError for the scoring module's, EdgeError and GeometryError raised by
// the edge finder's and the geometry tools' bindings; each a ValueError that
// carries the status name and code.
#include <string>

#include "bindings.hpp"

namespace cclp_python {
namespace {

py::object errorType(const char* type) {
    // Kept for the life of the process: the translator may run until exit.
    static auto* errors = new py::object(py::module_::import("cclp_score._errors"));
    return errors->attr(type);
}

}  // namespace

void raiseStatusError(const char* type, const py::str& context, const std::string& text,
                      const char* name, int32_t status) {
    const py::object exceptionType = errorType(type);
    const py::object exception =
        exceptionType(py::str("{}: {}").format(context, text), name != nullptr ? name : "", status);
    PyErr_SetObject(exceptionType.ptr(), exception.ptr());
    throw py::error_already_set();
}

void bindErrors(py::module_& module) {
    // Defined in Python (cclp_score/_errors.py), which imports this module
    // only after defining it.
    static auto* scoreError = new py::object(errorType("ScoreError"));
    (void)module;
    py::register_exception_translator([](std::exception_ptr failure) {
        try {
            if (failure) std::rethrow_exception(failure);
        } catch (const cclp::score::Error& error) {
            const int32_t status = error.status();
            const char* name = cclp::score::statusName(status);
            const py::object exception =
                (*scoreError)(std::string(error.what()), name != nullptr ? name : "", status);
            PyErr_SetObject(scoreError->ptr(), exception.ptr());
        }
    });
}

}  // namespace cclp_python
