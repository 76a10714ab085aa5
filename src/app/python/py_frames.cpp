#include "py_frames.h"

#include <pybind11/stl.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "designspace/sweep_csv.h"
#include "engine/integration_model.h"
#include "py_errors.h"
#include "py_units.h"

namespace py = pybind11;

namespace velmora::python {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);
constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

}  // namespace

void RequireDataLibraries(const char* caller) {
    for (const char* name : {"numpy", "pandas"}) {
        try {
            py::module_::import(name);
        } catch (py::error_already_set& error) {
            if (!error.matches(PyExc_ImportError)) throw;
            throw py::import_error(std::string(caller) + " returns a pandas DataFrame and needs " +
                                   name + ", which cannot be imported: " + error.what());
        }
    }
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

bool IsYesNoOutput(DesignOutput output) {
    return output == DesignOutput::Settled || output == DesignOutput::SettledOmegaBar;
}

DesignTable::DesignTable(std::size_t rows, std::vector<std::string> inputNames,
                         std::vector<DesignOutput> outputs)
    : rows_(rows), inputNames_(std::move(inputNames)), outputs_(std::move(outputs)) {
    std::size_t floats = inputNames_.size();
    for (const DesignOutput output : outputs_) {
        if (IsYesNoOutput(output)) {
            floatColumn_.push_back(kNone);
            yesNoColumn_.push_back(yesNo_.size());
            yesNo_.emplace_back(rows_, kMissing);
        } else {
            floatColumn_.push_back(floats++);
            yesNoColumn_.push_back(kNone);
        }
    }
    block_ = py::array_t<double, py::array::f_style>(
        {static_cast<py::ssize_t>(rows_), static_cast<py::ssize_t>(floats)});
    data_ = block_.mutable_data();
    std::fill(data_, data_ + rows_ * floats, kMissing);
}

void DesignTable::SetResult(std::size_t row, const DesignResult& result) {
    for (std::size_t i = 0; i < outputs_.size(); ++i) {
        const std::optional<double>& value = result[outputs_[i]];
        const double cell = value ? *value : kMissing;
        if (floatColumn_[i] != kNone)
            data_[floatColumn_[i] * rows_ + row] = cell;
        else
            yesNo_[yesNoColumn_[i]][row] = cell;
    }
}

py::object DesignTable::ToDataFrame() {
    std::vector<std::string> floatNames = inputNames_;
    for (std::size_t i = 0; i < outputs_.size(); ++i)
        if (floatColumn_[i] != kNone) floatNames.emplace_back(OutputColumn(outputs_[i]).name);
    const py::module_ pandas = py::module_::import("pandas");
    // The array becomes the frame's block as it is: no second copy of a large sweep.
    py::object frame =
        pandas.attr("DataFrame")(block_, py::arg("columns") = floatNames, py::arg("copy") = false);
    for (std::size_t i = 0; i < outputs_.size(); ++i) {
        if (yesNoColumn_[i] == kNone) continue;
        const std::vector<double>& values = yesNo_[yesNoColumn_[i]];
        frame.attr("insert")(inputNames_.size() + i, OutputColumn(outputs_[i]).name,
                             YesNoColumn(values.data(), values.size()));
    }
    return frame;
}

py::object YesNoColumn(const double* values, std::size_t count) {
    py::array_t<bool> yes(static_cast<py::ssize_t>(count));
    py::array_t<bool> missing(static_cast<py::ssize_t>(count));
    bool anyMissing = false;
    for (std::size_t i = 0; i < count; ++i) {
        yes.mutable_data()[i] = values[i] == 1.0;
        missing.mutable_data()[i] = std::isnan(values[i]);
        anyMissing = anyMissing || std::isnan(values[i]);
    }
    if (!anyMissing) return std::move(yes);
    return py::module_::import("pandas").attr("arrays").attr("BooleanArray")(yes, missing);
}

void TagFrame(py::object& frame, const std::optional<std::string>& file,
              const std::optional<std::string>& model, const py::dict& units) {
    py::dict all;
    for (const py::handle& column : frame.attr("columns")) {
        const std::string name = py::str(column);
        all[py::str(name)] =
            units.contains(name) ? units[py::str(name)] : py::str(UnitOfColumn(name));
    }
    py::object attrs = frame.attr("attrs");
    attrs["units"] = all;
    attrs["design_file"] = file ? py::object(py::str(*file)) : py::object(py::none());
    attrs["model"] = model ? py::object(py::str(*model)) : py::object(py::none());
    attrs["velmora_version"] = py::module_::import("velmora").attr("__version__");
}

void TagFrame(py::object& frame, const Design& design, const py::dict& units) {
    TagFrame(frame, design.file.empty() ? std::nullopt : std::optional<std::string>(design.file),
             std::string(NameOf(design.state.Integration).name), units);
}

}  // namespace velmora::python
