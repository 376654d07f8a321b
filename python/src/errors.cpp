// The library's failures as cclp_score.ScoreError, a ValueError that carries
// the status name and code.
#include <string>

#include "bindings.hpp"

namespace cclp_python {

void bindErrors(py::module_& module) {
    // Defined in Python (cclp_score/_errors.py), which imports this module
    // only after defining it.
    // Kept for the life of the process: the translator may run until exit.
    static auto* scoreError =
        new py::object(py::module_::import("cclp_score._errors").attr("ScoreError"));
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
