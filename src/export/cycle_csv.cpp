#include "export/cycle_csv.h"

#include <array>

#include "export/csv_number.h"
#include "simulation/cycle_simulation.h"
#include "simulation/simulation_output.h"

namespace velmora {
namespace {

// "mm ^3" -> "mm3", "lb/in^2" -> "lb_in2", "mm/sec^2" -> "mm_sec2": a name a spreadsheet or
// a script can use as it stands.
std::string UnitSuffix(const std::string& unit) {
    std::string out;
    for (const char c : unit) {
        if (c == '/') {
            out += '_';
        } else if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            out += c;
        }
    }
    return out;
}

// The unit inside the parentheses of an axis title ("Hot Volume (mm ^3)" -> "mm ^3").
std::string AxisTitleUnit(const std::string& title) {
    const std::size_t open = title.rfind('(');
    const std::size_t close = title.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open) return {};
    return title.substr(open + 1, close - open - 1);
}

}  // namespace

double CrankAngleDegrees(std::int32_t stepCount, int offsetDeg) {
    const long long angle = (static_cast<long long>(stepCount) + offsetDeg) % 360;
    return static_cast<double>(angle < 0 ? angle + 360 : angle);
}

std::string QuantityColumnName(int choice, const OutputUnits& units, CsvUnits kind) {
    const CurveQuantityRow& column = kCurveQuantities.at(static_cast<std::size_t>(choice));
    std::string unit = kind == CsvUnits::SI
                           ? std::string(column.csvSIUnit)
                           : UnitSuffix(AxisTitleUnit(CurveAxisTitle(choice, units)));
    // An output list without a choice has no unit name; the column still needs one.
    if (unit.empty()) unit = "none";
    return std::string(column.csvStem) + "_" + unit;
}

std::string CycleCsv(const CycleRecord& record, const ControlState& controls, CsvUnits units) {
    std::string out = "step_count,time_s,crank_angle_deg";
    for (int q = 0; q < kCurveItemCount; ++q) {
        out += ',';
        out += QuantityColumnName(q, controls.outputs, units);
    }
    out += '\n';
    if (record.empty()) {
        out += kNoGraphedCycleLine;
        out += '\n';
        return out;
    }
    const int offset = ReadCycleSchedule(controls).XAxisOffsetDeg;
    out.reserve(out.size() + record.size() * 300);
    for (const CycleRow& row : record) {
        out += std::to_string(row.stepCount);
        out += ',';
        AppendCsvNumber(out, row.step.time);
        out += ',';
        AppendCsvNumber(out, CrankAngleDegrees(row.stepCount, offset));
        for (int q = 0; q < kCurveItemCount; ++q) {
            out += ',';
            AppendCsvNumber(out, units == CsvUnits::SI ? CurveQuantity(q, row.step)
                                                       : CurveValue(q, row.step, controls.outputs));
        }
        out += '\n';
    }
    return out;
}

}  // namespace velmora
