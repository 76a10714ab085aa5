// The velmora Python module: designs, their evaluation and exports, sweeps and the optimizer,
// over the headless layers only (no widgets, no display needed).
#include <pybind11/pybind11.h>

#include "py_design.h"
#include "py_errors.h"
#include "py_states.h"
#include "py_units.h"

namespace py = pybind11;

PYBIND11_MODULE(velmora, module) {
    module.doc() =
        "Ringbom Stirling engine designs from Python: load, change and evaluate designs, write\n"
        "their report, cycle, PV and power/speed tables as pandas DataFrames, sweep one or two\n"
        "inputs and optimize. Inputs use the parameter file's SECTION.KEY names and units;\n"
        "results are in SI units.";
    module.attr("__version__") = VELMORA_PYTHON_VERSION;
    velmora::python::RegisterErrors(module);
    velmora::python::BindDesign(module);
    velmora::python::BindUnits(module);
    velmora::python::BindRunTables(module);
    velmora::python::BindSweep(module);
    velmora::python::BindBatch(module);
    velmora::python::BindOptimize(module);
    velmora::python::BindResultStates(module);
    velmora::python::BindNotebook(module);
}
