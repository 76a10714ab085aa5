#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "py_design.h"
#include "simulation/design_result.h"

namespace velmora::python {

// How the module's DataFrames are shaped: float columns with NaN for a missing number, the
// settled columns as bool, snake_case names ending in their unit, and attrs naming the design
// file, the model, the module's version and each column's unit.

// NumPy and pandas, imported before anything is computed so that a missing one costs nothing.
void RequireDataLibraries(const char* caller);

// The outputs an `outputs` argument names (None: those velmora-cli sweep writes by default).
std::vector<DesignOutput> ParseOutputs(const pybind11::object& outputs);

// Whether an output column holds a yes/no figure (settled, settled_omega_bar).
bool IsYesNoOutput(DesignOutput output);

// The columns of a table of designs, filled in place from any thread (each row by one thread)
// and handed to pandas without a copy: the float columns live in one column-major array, the
// DataFrame's own block. Made with the GIL held.
class DesignTable {
  public:
    DesignTable(std::size_t rows, std::vector<std::string> inputNames,
                std::vector<DesignOutput> outputs);
    std::size_t Rows() const { return rows_; }
    void SetInput(std::size_t row, std::size_t input, double value) {
        data_[input * rows_ + row] = value;
    }
    void SetResult(std::size_t row, const DesignResult& result);
    // Only the first `rows` rows (an interrupted run keeps none, so this is all or nothing).
    pybind11::object ToDataFrame();

  private:
    std::size_t rows_;
    std::vector<std::string> inputNames_;
    std::vector<DesignOutput> outputs_;
    std::vector<std::size_t> floatColumn_;  // per output: its column in data_, or npos
    std::vector<std::size_t> yesNoColumn_;  // per output: its column in yesNo_, or npos
    pybind11::array_t<double, pybind11::array::f_style> block_;
    double* data_ = nullptr;
    std::vector<std::vector<double>> yesNo_;
};

// A yes/no column from 1/0/NaN: bool, or pandas' nullable boolean when a value is missing.
pybind11::object YesNoColumn(const double* values, std::size_t count);

// attrs["units"] (each column's unit, from its name unless given in `units`), the design file,
// its model and the module's version.
void TagFrame(pybind11::object& frame, const std::optional<std::string>& file,
              const std::optional<std::string>& model,
              const pybind11::dict& units = pybind11::dict());
void TagFrame(pybind11::object& frame, const Design& design,
              const pybind11::dict& units = pybind11::dict());

}  // namespace velmora::python
