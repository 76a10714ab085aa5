// Design.cycle(), pv() and power_curve(): the CSV exports' columns as NumPy arrays in pandas
// DataFrames, from the same recorded run the exports write, without text in between.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "export/cycle_csv.h"
#include "export/model_revolution.h"
#include "export/power_curve_table.h"
#include "export/recording_session.h"
#include "form/design_form.h"
#include "presentation/chart_titles.h"
#include "py_design.h"
#include "py_errors.h"
#include "py_frames.h"
#include "simulation/cycle_simulation.h"
#include "presentation/curve_quantities.h"

namespace py = pybind11;

namespace velmora::python {
namespace {

// One compute run of the design, as the export commands make it (file name kept, forced).
std::unique_ptr<RecordingSession> ComputedSession(const Design& design) {
    auto session = std::make_unique<RecordingSession>();
    session->State = design.state;
    session->Driver.LoadedFileName = design.file;
    const py::gil_scoped_release unlocked;
    session->Compute(true, true);
    return session;
}

// A table of named columns, built as arrays and handed to pandas in one go.
class Frame {
  public:
    explicit Frame(std::size_t rows) : rows_(rows) {}
    double* Add(const std::string& name) {
        names_.push_back(name);
        columns_.emplace_back(static_cast<py::ssize_t>(rows_));
        return columns_.back().mutable_data();
    }
    py::object ToDataFrame(const Design& design, const py::dict& units = py::dict()) {
        py::dict byName;
        for (std::size_t i = 0; i < columns_.size(); ++i) byName[py::str(names_[i])] = columns_[i];
        py::object frame = py::module_::import("pandas").attr("DataFrame")(byName);
        TagFrame(frame, design, units);
        return frame;
    }

  private:
    std::size_t rows_;
    std::vector<std::string> names_;
    std::vector<py::array_t<double>> columns_;
};

CsvUnits UnitsOf(const std::string& units) {
    if (units != "si" && units != "output") throw InvalidValue("unknown units '" + units + "'");
    return units == "si" ? CsvUnits::SI : CsvUnits::Output;
}

// Rows in the columns of velmora-cli cycle.
py::object RowsFrame(const Design& design, const CycleRecord& record, const ControlState& controls,
                     CsvUnits kind, int offset) {
    Frame frame(record.size());
    double* step = frame.Add("step_count");
    double* time = frame.Add("time_s");
    double* angle = frame.Add("crank_angle_deg");
    for (std::size_t i = 0; i < record.size(); ++i) {
        step[i] = record[i].stepCount;
        time[i] = record[i].step.time;
        angle[i] = CrankAngleDegrees(record[i].stepCount, offset);
    }
    py::dict units;
    for (int q = 0; q < kCurveItemCount; ++q) {
        // The command line's column, in lower case; its unit is what follows the stem.
        const std::string csv = QuantityColumnName(q, controls.outputs, kind);
        std::string name;
        for (const char c : csv)
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        units[py::str(name)] = csv.substr(std::string(kCurveQuantities[q].csvStem).size() + 1);
        double* column = frame.Add(name);
        for (std::size_t i = 0; i < record.size(); ++i)
            column[i] = kind == CsvUnits::SI ? CurveQuantity(q, record[i].step)
                                             : CurveValue(q, record[i].step, controls.outputs);
    }
    units["step_count"] = "";
    units["time_s"] = "s";
    units["crank_angle_deg"] = "deg";
    py::object out = frame.ToDataFrame(design, units);
    out.attr("__setitem__")("step_count", out["step_count"].attr("astype")("int64"));
    return out;
}

py::object CycleFrame(const Design& design, const std::string& units) {
    const CsvUnits kind = UnitsOf(units);
    const auto session = ComputedSession(design);
    const ControlState& controls = session->State;
    return RowsFrame(design, session->Record(), controls, kind,
                     ReadCycleSchedule(controls).XAxisOffsetDeg);
}

py::object EnergyCycleFrame(const Design& design, const std::string& units) {
    const CsvUnits kind = UnitsOf(units);
    const ControlState controls = design.state;  // copied while the GIL keeps setters out
    const velmora::Design numbers = ReadDesign(controls).design;
    ModelRevolution revolution;
    {
        const py::gil_scoped_release unlocked;
        revolution = RevolutionOfModel(numbers);
    }
    py::object out = RowsFrame(design, revolution.rows, controls, kind, revolution.offsetDeg);
    // Without rows, why (the CSV's '#' line).
    out.attr("attrs")["note"] = revolution.rows.empty() ? revolution.missingLine.substr(2) : "";
    return out;
}

py::object PvFrame(const Design& design) {
    const auto session = ComputedSession(design);
    const CycleRecord& record = session->Record();
    Frame frame(record.size());
    double* volume = frame.Add("total_volume_m3");
    double* pressure = frame.Add("pressure_pa");
    for (std::size_t i = 0; i < record.size(); ++i) {
        volume[i] = record[i].step.totalVolume;
        pressure[i] = record[i].step.pressure;
    }
    py::dict units;
    units["total_volume_m3"] = "m^3";
    units["pressure_pa"] = "Pa";
    py::object out = frame.ToDataFrame(design, units);
    // The CSV's two '#' lines.
    out.attr("attrs")["pv_power_at_engine_speed_w"] = session->Driver.Params.PVPowerAtEngineSpeed;
    out.attr("attrs")["pv_power_at_omega_bar_w"] = session->Driver.Params.PVPowerAtOmegaBar;
    return out;
}

py::object PowerCurveFrame(const Design& design) {
    const auto session = ComputedSession(design);
    ControlState controls = session->State;
    controls.outputs.numbers = NumberSettings{};  // the title's numbers as the CSV writes them
    PowerCurveTable table;
    {
        const py::gil_scoped_release unlocked;
        table = ComputePowerCurveTable(session->Driver.Params, controls);
    }
    Frame frame(table.rows.size());
    double* rpm = frame.Add("speed_rpm");
    double* speed = frame.Add("speed_rad_s");
    double* power = frame.Add("power_w");
    double* phase = frame.Add("phase_deg");
    double* torque = frame.Add("torque_n_m");
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const PowerCurveTable::Row& row = table.rows[i];
        rpm[i] = row.rpm;
        power[i] = row.power;
        speed[i] = row.speed;
        phase[i] = row.phaseDeg;
        torque[i] = row.torque;
    }
    py::dict units;
    for (const auto& [name, unit] : {std::pair{"speed_rpm", "rpm"},
                                     {"speed_rad_s", "rad/s"},
                                     {"power_w", "W"},
                                     {"phase_deg", "deg"},
                                     {"torque_n_m", "N m"}})
        units[name] = unit;
    py::object out = frame.ToDataFrame(design, units);
    out.attr("attrs")["title"] = PowerCurveTitle(table.shown);  // the CSV's last line
    // The CSV's third column, which repeats one of the last two.
    out.attr("attrs")["graphed"] = table.torqueShown ? "torque_n_m" : "phase_deg";
    return out;
}

}  // namespace

void BindRunTables(py::module_& module) {
    py::class_<Design> design = module.attr("Design");
    design
        .def("cycle", &CycleFrame, py::kw_only(), py::arg("units") = "si",
             "The graphed steps of one compute run as a DataFrame with the columns of "
             "velmora-cli cycle in lower case (attrs[\"units\"] gives their units): "
             "step_count, time_s, crank_angle_deg, then the twelve "
             "quantities in SI (units=\"si\") or the design's output units (\"output\").")
        .def("energy_cycle", &EnergyCycleFrame, py::kw_only(), py::arg("units") = "si",
             "The revolution the energy figures come from under the design's model, as "
             "velmora-cli energy --format cycle writes it: the accurate run's settled "
             "revolution (one row per crank degree from 0), or the one-degree run's last "
             "graphed revolution. No rows when the accurate run did not settle; attrs[\"note\"] "
             "then says why.")
        .def("pv", &PvFrame,
             "The pressure/volume diagram of one compute run (total_volume_m3, pressure_pa), as "
             "velmora-cli pv; attrs holds the two PV powers of its '#' lines.")
        .def("power_curve", &PowerCurveFrame,
             "The power/speed curve as velmora-cli powercurve computes it: speed_rpm, "
             "speed_rad_s, power_w, phase_deg, torque_n_m; attrs[\"title\"] is its title "
             "line and attrs[\"graphed\"] the column its second graph shows.");
}

}  // namespace velmora::python
