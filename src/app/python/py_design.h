#pragma once

#include <pybind11/pybind11.h>

#include <memory>
#include <mutex>
#include <string>

#include "form/control_state.h"
#include "simulation/design_evaluator.h"

namespace velmora::python {

// A design as Python holds it: the 56-key control state, the file it came from (which names a
// reference engine in the report) and an evaluator of its own, whose buffers are reused from
// one evaluate() to the next. The mutex lets evaluate() run without the GIL.
struct Design {
    ControlState state;
    std::string file;
    // The design as loaded, saved or made: repr() counts the keys changed since.
    ControlState origin;
    std::unique_ptr<DesignEvaluator> evaluator = std::make_unique<DesignEvaluator>();
    std::unique_ptr<std::mutex> evaluating = std::make_unique<std::mutex>();

    Design() = default;
    Design(ControlState controls, std::string name)
        : state(std::move(controls)), file(std::move(name)), origin(state) {}
};

// design[key], design[key] = value and `key in design` for the 56 SECTION.KEY names.
pybind11::object GetKey(Design& design, const std::string& name);
void SetKey(Design& design, const std::string& name, const pybind11::handle& value);
bool Contains(const std::string& name);

// A number as the design's text: the shortest text with 15 significant digits, as the sweep
// and the optimizer type their values.
std::string NumberAsText(double value);

// velmora.Design with its keys, file access, evaluate() and report(); velmora.Result.
void BindDesign(pybind11::module_& module);

// The frames of one computed run: Design.cycle(), pv(), power_curve().
void BindRunTables(pybind11::module_& module);

// velmora.sweep.
void BindSweep(pybind11::module_& module);

// velmora.evaluate_many.
void BindBatch(pybind11::module_& module);

// velmora.optimize and velmora.OptimizeResult.
void BindOptimize(pybind11::module_& module);

// _repr_html_ of Design, Result and OptimizeResult.
void BindNotebook(pybind11::module_& module);

// The thread count of a `threads` argument: all cores for None, else 1 to 256.
int ThreadCount(const pybind11::object& threads);

}  // namespace velmora::python
