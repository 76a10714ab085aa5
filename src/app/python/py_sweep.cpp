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
#include "py_design.h"
#include "py_errors.h"
#include "py_values.h"
#include "report/number_settings.h"
#include "simulation/sensitivity_study.h"

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

std::vector<DesignOutput> ParseOutputs(const py::object& outputs) {
    if (outputs.is_none()) return DefaultSweepOutputs();
    std::string list;
    if (py::isinstance<py::str>(outputs)) {
        list = outputs.cast<std::string>();
    } else {
        for (const py::handle& name : outputs)
            list += (list.empty() ? "" : ",") + std::string(py::str(name));
    }
    std::string problem;
    const auto parsed = ParseOutputList(list, problem);
    if (!parsed) throw UnknownKey(problem);
    return *parsed;
}

// The varied value as the CSV row shows it: its text as typed, read back.
double TypedValue(double value) {
    const std::string text = TrialText(value, NumberSettings{});
    double typed = 0;
    std::from_chars(text.data(), text.data() + text.size(), typed);
    return typed;
}

py::object Sweep(const Design& design, const py::dict& vary, const py::object& outputList,
                 const py::object& threadArgument) {
    SweepPlan plan;
    plan.base = design.state;
    for (const auto& [key, range] : vary) plan.axes.push_back(ParseAxis(py::str(key), range));
    const std::vector<DesignOutput> outputs = ParseOutputs(outputList);
    const int threads = ThreadCount(threadArgument);
    if (const std::string problem = AxesProblem(plan.axes); !problem.empty())
        throw InvalidValue(problem);
    for (const SweepAxis& axis : plan.axes)
        if (const std::string problem = AxisValuesProblem(axis, plan.base); !problem.empty())
            throw InvalidValue(problem);
    for (const DesignOutput output : outputs) AskForOutput(plan.options, output);

    const SweepGrid grid(plan);
    const std::size_t count = grid.DesignCount();
    const std::size_t width = plan.axes.size() + outputs.size();
    // Row-major cells, filled without the GIL; a cell that could not be computed is NaN.
    std::vector<double> cells(count * width, std::numeric_limits<double>::quiet_NaN());
    std::size_t rows = 0;
    bool interrupted = false;
    std::string failure;
    {
        const py::gil_scoped_release unlocked;
        using Clock = std::chrono::steady_clock;
        Clock::time_point checked = Clock::now();
        WorkProgress progress;
        failure = StreamSweep(plan, threads, progress, [&](const SweepRow& row) {
            double* cell = &cells[rows * width];
            for (const double value : row.values) *cell++ = TypedValue(value);
            for (const DesignOutput output : outputs) {
                if (const std::optional<double>& value = row.result[output]) *cell = *value;
                ++cell;
            }
            ++rows;
            // Ctrl+C reaches Python only through the GIL: look now and then.
            if (Clock::now() - checked > std::chrono::milliseconds(200)) {
                checked = Clock::now();
                const py::gil_scoped_acquire locked;
                if (PyErr_CheckSignals() != 0) {
                    interrupted = true;
                    progress.Cancel();
                }
            }
        });
    }
    if (interrupted) throw py::error_already_set();
    // A design that could not be evaluated is not a row of missing figures.
    if (!failure.empty()) throw std::runtime_error("sweep: " + failure);

    std::vector<std::string> names;
    for (const SweepAxis& axis : plan.axes) names.emplace_back(axis.input->key);
    for (const DesignOutput output : outputs) names.emplace_back(OutputColumn(output).name);
    py::dict columns;
    for (std::size_t c = 0; c < width; ++c) {
        py::array_t<double> column(static_cast<py::ssize_t>(rows));
        double* data = column.mutable_data();
        for (std::size_t r = 0; r < rows; ++r) data[r] = cells[r * width + c];
        columns[py::int_(c)] = column;
    }
    py::object frame = py::module_::import("pandas").attr("DataFrame")(columns);
    frame.attr("columns") = py::cast(names);
    return frame;
}

}  // namespace

void BindSweep(py::module_& module) {
    module.def("sweep", &Sweep, py::arg("design"), py::arg("vary"), py::kw_only(),
               py::arg("outputs") = py::none(), py::arg("threads") = py::none(),
               "Evaluates every design of one varied input or a grid of two, as velmora-cli "
               "sweep does, and returns its rows as a DataFrame: the varied inputs by "
               "SECTION.KEY (values as typed into each design), then the outputs (SI, NaN where "
               "a value could not be computed).\n\n"
               "vary: {\"SECTION.KEY\": (from, to, n)} or (from, to, n, \"log\"), in the unit "
               "the design chooses for that input; the first input varies slowest.\n"
               "outputs: output column names (default: all but the power/speed curve's).\n"
               "threads: worker threads (default: all cores); the GIL is released meanwhile.");
}

}  // namespace velmora::python
