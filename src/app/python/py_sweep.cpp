// velmora.sweep: the rows of velmora-cli sweep as a DataFrame. The arguments are read by the
// same parsers as the command line's, so a refused one carries the same message.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <charconv>
#include <chrono>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "designspace/input_values.h"
#include "designspace/sweep_axis.h"
#include "designspace/sweep_csv.h"
#include "designspace/sweep_run.h"
#include "form/design_form.h"
#include "py_design.h"
#include "py_errors.h"
#include "py_frames.h"
#include "py_progress.h"
#include "py_units.h"
#include "py_values.h"
#include "report/number_settings.h"
#include "report/number_text.h"

namespace py = pybind11;

namespace velmora::python {
namespace {

// {"SECTION.KEY": (from, to, n[, "log"])} as the axes "--vary SECTION.KEY=FROM:TO:N[:log]"
// would give.
SweepAxis ParseAxis(const std::string& key, const py::handle& range) {
    std::string text = key + "=";
    if (py::isinstance<py::tuple>(range) || py::isinstance<py::list>(range)) {
        const auto parts = py::reinterpret_borrow<py::sequence>(range);
        for (std::size_t i = 0; i < parts.size(); ++i)
            text += (i > 0 ? ":" : "") + BoundText(parts[i]);
    } else {
        text += BoundText(range);
    }
    std::string problem;
    const std::optional<SweepAxis> axis = ParseVary(text, problem);
    if (axis) return *axis;
    if (FindSweepInput(key) == nullptr) throw UnknownKey(problem);
    throw InvalidValue(problem);
}

py::object Sweep(const Design& design, const py::dict& vary, const py::object& outputList,
                 const py::object& threadArgument, const py::object& progressArgument) {
    RequireDataLibraries("sweep");
    SweepPlan plan;
    plan.exactValues = true;
    // A range's unit is held in the form the sweep's design is entered from.
    ControlState form = design.state;
    for (const auto& [key, range] : vary) {
        const std::string name = py::str(key);
        plan.axes.push_back(ParseAxis(name, RangeInHeldUnit(form, name, range)));
    }
    plan.base = EnterDesign(form);
    plan.numbers = form.outputs.numbers;
    const std::vector<DesignOutput> outputs = ParseOutputs(outputList);
    const int threads = ThreadCount(threadArgument);
    if (const std::string problem = AxesProblem(plan.axes); !problem.empty())
        throw InvalidValue(problem);
    for (const SweepAxis& axis : plan.axes)
        if (const std::string problem = AxisValuesProblem(axis, plan.base); !problem.empty())
            throw InvalidValue(problem);
    for (const DesignOutput output : outputs) AskForOutput(plan.options, output);

    // Inputs named with the unit their values are in (the design's, or the range's).
    std::vector<std::string> inputNames;
    py::dict units;
    for (const SweepAxis& axis : plan.axes) {
        const std::optional<int> unit = HeldUnitItem(form, *axis.input->input);
        inputNames.push_back(InputColumnName(*axis.input->input, unit));
        units[py::str(inputNames.back())] = unit ? UnitSymbol(*axis.input->input, *unit) : "";
    }
    const SweepGrid grid(plan);
    DesignTable table(grid.DesignCount(), inputNames, outputs);
    ProgressReport report(progressArgument, grid.DesignCount(), "velmora.sweep");
    std::size_t rows = 0;
    bool interrupted = false;
    std::string failure;
    std::optional<py::error_already_set> reportFailure;
    {
        const py::gil_scoped_release unlocked;
        WorkProgress progress;
        failure = StreamSweep(plan, threads, progress, [&](const SweepRow& row) {
            for (std::size_t a = 0; a < row.values.size(); ++a)
                table.SetInput(rows, a, row.values[a]);
            table.SetResult(rows, row.result);
            ++rows;
            // Ctrl+C reaches Python only through the GIL: look now and then.
            if (!report.Due()) return;
            const py::gil_scoped_acquire locked;
            try {
                report.Update(rows);
            } catch (py::error_already_set& error) {
                reportFailure = std::move(error);
                progress.Cancel();
                return;
            }
            if (PyErr_CheckSignals() != 0) {
                interrupted = true;
                progress.Cancel();
            }
        });
    }
    if (reportFailure) throw std::move(*reportFailure);
    if (interrupted) throw py::error_already_set();
    // A design that could not be evaluated is not a row of missing figures.
    if (!failure.empty()) throw std::runtime_error("sweep: " + failure);
    report.Finish(rows);
    py::object frame = table.ToDataFrame();
    TagFrame(frame, design, units);
    py::dict keys;
    for (std::size_t a = 0; a < plan.axes.size(); ++a)
        keys[py::str(inputNames[a])] = plan.axes[a].input->key;
    frame.attr("attrs")["inputs"] = keys;
    return frame;
}

}  // namespace

void BindSweep(py::module_& module) {
    module.def("sweep", &Sweep, py::arg("design"), py::arg("vary"), py::kw_only(),
               py::arg("outputs") = py::none(), py::arg("threads") = py::none(),
               py::arg("progress") = py::none(),
               "Evaluates every design of one varied input or a grid of two, as velmora-cli "
               "sweep does, and returns its rows as a DataFrame: the varied inputs, named with "
               "their unit (\"piston_stroke_mm\"; attrs[\"inputs\"] gives their SECTION.KEY) "
               "and holding the values evaluated (each typed into its design to 15 significant "
               "digits, as its row text shows it), then the outputs (SI, NaN where a "
               "value could not be computed; settled columns bool). attrs[\"units\"] gives "
               "each column's unit.\n\n"
               "vary: {\"SECTION.KEY\": (from, to, n)} or (from, to, n, \"log\"), in the unit "
               "the design keeps for that input, or with a unit last: (100, 200, 5, \"mm\"); "
               "the first input varies slowest.\n"
               "outputs: output column names (default: all but the power/speed curve's).\n"
               "threads: worker threads (default: all cores); the GIL is released meanwhile.\n"
               "progress: True for a progress bar (tqdm's when installed, else a line on "
               "stderr), or a callable(done, total).");
}

}  // namespace velmora::python
