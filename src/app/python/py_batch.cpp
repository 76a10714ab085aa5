// velmora.evaluate_many: many designs evaluated on worker threads, as Design.evaluate() makes
// each (the same numeric design, the same evaluator), into one DataFrame in their order.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "designspace/background_work.h"
#include "form/design_form.h"
#include "engine/integration_model.h"
#include "py_design.h"
#include "py_errors.h"
#include "py_frames.h"
#include "py_progress.h"
#include "py_units.h"

namespace py = pybind11;

namespace velmora::python {
namespace {

// A column of the input DataFrame: the key it sets and, for a column named with a unit
// ("piston_stroke_mm"), the unit its values are in.
struct InputColumn {
    std::string key;
    const DesignInput* input = nullptr;
    std::optional<int> unit;
    py::list values;
};

InputColumn ColumnOf(const py::object& frame, const py::handle& label) {
    InputColumn column;
    column.values = frame[label].attr("tolist")();
    const std::string name = py::str(label);
    if (Contains(name)) {
        column.key = name;
        return column;
    }
    for (const DesignInput& input : kInputs) {
        const int count = UnitFamilyOf(InputUnitFamily(input.kind)).count;
        for (int item = 0; item < count; ++item) {
            if (InputColumnName(input, item) != name) continue;
            column.key = InputFileKey(input);
            column.input = &input;
            column.unit = item;
            return column;
        }
    }
    throw UnknownKey("column '" + name +
                     "' is neither a SECTION.KEY nor an input named with its unit (such as "
                     "'piston_stroke_mm')");
}

// One design per row: `base` with the row's values set. A column named with a unit sets the
// input in that unit, exactly as given (the design then keeps it in that unit).
std::vector<ControlState> RowsOfFrame(const py::object& frame, const Design& base) {
    std::vector<InputColumn> columns;
    for (const py::handle& label : frame.attr("columns")) columns.push_back(ColumnOf(frame, label));
    const std::size_t rows = py::len(frame);
    std::vector<ControlState> states;
    states.reserve(rows);
    Design row;  // one scratch design: its evaluator is not needed here
    for (std::size_t r = 0; r < rows; ++r) {
        row.state = base.state;
        for (const InputColumn& column : columns) {
            if (column.unit) SetHeldUnit(row.state, *column.input, *column.unit, false);
            try {
                SetKey(row, column.key, column.values[r]);
            } catch (const InvalidValue& error) {
                throw InvalidValue("row " + std::to_string(r) + ": " + error.what());
            }
        }
        states.push_back(row.state);
    }
    return states;
}

std::vector<ControlState> RowsOfList(const py::sequence& designs, const Design& base) {
    std::vector<ControlState> states;
    states.reserve(designs.size());
    const py::object fromDict = py::module_::import("velmora").attr("Design").attr("from_dict");
    for (const py::handle& item : designs) {
        if (py::isinstance<Design>(item)) {
            states.push_back(item.cast<const Design&>().state);
        } else if (py::isinstance<py::dict>(item)) {
            states.push_back(fromDict(item, py::arg("base") = base).cast<const Design&>().state);
        } else {
            throw py::type_error(
                "evaluate_many takes a DataFrame of inputs or a list of "
                "Designs and dicts, not a list holding " +
                std::string(py::str(py::type::handle_of(item).attr("__name__"))));
        }
    }
    return states;
}

// The file and model every design shares, or none.
std::optional<std::string> Shared(const std::vector<std::string>& values) {
    if (values.empty()) return std::nullopt;
    for (const std::string& value : values)
        if (value != values.front()) return std::nullopt;
    return values.front();
}

py::object EvaluateMany(const py::object& designs, const py::object& outputList,
                        const py::object& threadArgument, const py::object& progressArgument,
                        const Design* baseArgument) {
    RequireDataLibraries("evaluate_many");
    const Design defaults;
    const Design& base = baseArgument != nullptr ? *baseArgument : defaults;
    const std::vector<DesignOutput> outputs = ParseOutputs(outputList);
    const int threads = ThreadCount(threadArgument);
    const bool isFrame = py::isinstance(designs, py::module_::import("pandas").attr("DataFrame"));
    if (!isFrame && (py::isinstance<py::str>(designs) || !py::isinstance<py::sequence>(designs)))
        throw py::type_error(
            "evaluate_many takes a DataFrame of inputs or a list of Designs "
            "and dicts");
    const std::vector<ControlState> states =
        isFrame ? RowsOfFrame(designs, base) : RowsOfList(designs, base);
    std::vector<std::string> files;
    std::vector<std::string> models;
    std::vector<velmora::Design> numbers;
    numbers.reserve(states.size());
    for (const ControlState& state : states) {
        numbers.push_back(ReadDesign(state).design);
        models.emplace_back(NameOf(state.Integration).name);
    }
    if (isFrame) files.push_back(base.file);
    for (const py::handle& item : isFrame ? py::list() : py::list(designs))
        files.push_back(py::isinstance<Design>(item) ? item.cast<const Design&>().file : base.file);

    EvaluationOptions options;
    for (const DesignOutput output : outputs) AskForOutput(options, output);
    DesignTable table(numbers.size(), {}, outputs);
    ProgressReport report(progressArgument, numbers.size(), "velmora.evaluate_many");
    WorkProgress progress;
    progress.SetTotal(numbers.size());
    std::vector<DesignEvaluator> evaluators(JobThreads(numbers.size(), threads));
    std::mutex failureMutex;
    std::string failure;
    std::optional<py::error_already_set> reportFailure;
    bool interrupted = false;
    {
        const py::gil_scoped_release unlocked;
        RunJobs(
            numbers.size(), threads, progress,
            [&](std::size_t k, int slot) {
                table.SetResult(k, evaluators[slot].Evaluate(numbers[k], options));
                progress.AddDone();
                // The calling thread (slot 0) reports and looks for Ctrl+C now and then.
                if (slot != 0 || !report.Due()) return;
                const py::gil_scoped_acquire locked;
                try {
                    report.Update(progress.Done());
                } catch (py::error_already_set& error) {
                    reportFailure = std::move(error);
                    progress.Cancel();
                    return;
                }
                if (PyErr_CheckSignals() != 0) {
                    interrupted = true;
                    progress.Cancel();
                }
            },
            [&](std::size_t k, const std::string& what) {
                const std::lock_guard lock(failureMutex);
                if (failure.empty()) failure = "design " + std::to_string(k) + ": " + what;
                progress.Cancel();
            });
    }
    if (reportFailure) throw std::move(*reportFailure);
    if (interrupted) throw py::error_already_set();
    if (!failure.empty()) throw std::runtime_error("evaluate_many: " + failure);
    report.Finish(progress.Done());
    py::object frame = table.ToDataFrame();
    if (isFrame) frame.attr("index") = designs.attr("index");
    std::optional<std::string> file = Shared(files);
    if (file && file->empty()) file.reset();
    TagFrame(frame, file, Shared(models));
    return frame;
}

}  // namespace

void BindBatch(py::module_& module) {
    module.def("evaluate_many", &EvaluateMany, py::arg("designs"), py::kw_only(),
               py::arg("outputs") = py::none(), py::arg("threads") = py::none(),
               py::arg("progress") = py::none(), py::arg("base") = nullptr,
               "Evaluates many designs on worker threads (the GIL released) and returns one "
               "row of outputs per design, in their order, each exactly what "
               "Design.evaluate() gives for it.\n\n"
               "designs: a DataFrame with one design per row, its columns SECTION.KEY names (in "
               "the unit `base` keeps) or inputs named with their unit as sweep() names them "
               "(\"piston_stroke_mm\"), each row set over `base` (default: a design with all "
               "defaults); the result keeps its index. Or a list of Designs and dicts (a dict "
               "as Design.from_dict(d, base=base)).\n"
               "outputs: output column names (default: those of sweep()).\n"
               "threads: worker threads (default: all cores).\n"
               "progress: True for a progress bar, or a callable(done, total).");
}

}  // namespace velmora::python
