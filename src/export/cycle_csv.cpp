#include "export/cycle_csv.h"

#include <array>

#include "export/csv_number.h"
#include "form/design_form.h"
#include "presentation/chart_titles.h"
#include "simulation/cycle_simulation.h"
#include "presentation/curve_quantities.h"

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

namespace {

std::string CycleCsvHeader(const ControlState& controls, CsvUnits units) {
    std::string out = "step_count,time_s,crank_angle_deg";
    for (int q = 0; q < kCurveItemCount; ++q) {
        out += ',';
        out += QuantityColumnName(q, controls.outputs, units);
    }
    out += '\n';
    return out;
}

void AppendCycleRow(std::string& out, std::int32_t stepCount, double angleDeg,
                    const StepValues& step, const ControlState& controls, CsvUnits units) {
    out += std::to_string(stepCount);
    out += ',';
    AppendCsvNumber(out, step.time);
    out += ',';
    AppendCsvNumber(out, angleDeg);
    for (int q = 0; q < kCurveItemCount; ++q) {
        out += ',';
        AppendCsvNumber(out, units == CsvUnits::SI ? CurveQuantity(q, step)
                                                   : CurveValue(q, step, controls.outputs));
    }
    out += '\n';
}

}  // namespace

std::string CycleCsv(const CycleRecord& record, const ControlState& controls, CsvUnits units) {
    return CycleCsv(record, controls, units, ReadCycleSchedule(controls).XAxisOffsetDeg,
                    kNoGraphedCycleLine);
}

std::string CycleCsv(const CycleRecord& record, const ControlState& controls, CsvUnits units,
                     int offset, const std::string& emptyLine) {
    std::string out = CycleCsvHeader(controls, units);
    if (record.empty()) {
        out += emptyLine;
        out += '\n';
        return out;
    }
    out.reserve(out.size() + record.size() * 300);
    for (const CycleRow& row : record)
        AppendCycleRow(out, row.stepCount, CrankAngleDegrees(row.stepCount, offset), row.step,
                       controls, units);
    return out;
}

}  // namespace velmora
