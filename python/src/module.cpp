// _core: the compiled half of the cclp_score package. The pure-Python half
// checks the caller's arguments and names the bad one; this half wraps the
// C++ interface and runs the module without holding the GIL.
#include "bindings.hpp"

PYBIND11_MODULE(_core, module) {
    module.doc() = "Bindings of the caliper scoring module's and the edge finder's C++ interfaces "
                   "and the geometry tools' C API (use cclp_score).";
    cclp_python::bindErrors(module);
    cclp_python::bindEdges(module);
    cclp_python::bindFunctions(module);
    cclp_python::bindGeometry(module);
    cclp_python::bindMethods(module);
    cclp_python::bindPlot(module);
    cclp_python::bindRecording(module);
    cclp_python::bindScoring(module);
    cclp_python::bindTiming(module);
}
