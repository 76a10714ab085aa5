#pragma once

#include <cstdint>
#include <string>

#include "export/cycle_record.h"
#include "form/control_state.h"

namespace velmora {

// Units of the quantity columns: SI, or the output units the graphs use.
enum class CsvUnits { SI, Output };

// One line per recorded step: step count, time (s), crank angle (degrees, 0 to 360, offset
// included), then the twelve graphable quantities in the order of the curve lists. Header
// names carry the unit ("displacer_position_m"). A record without steps gives the header and
// a '#' line saying that the run graphed no cycle.
std::string CycleCsv(const CycleRecord& record, const ControlState& controls, CsvUnits units);

// The same with the x-axis offset of the crank angles given, and `emptyLine` (a '#' line)
// written when there are no rows.
std::string CycleCsv(const CycleRecord& record, const ControlState& controls, CsvUnits units,
                     int offsetDeg, const std::string& emptyLine);

// The column names of the twelve quantities, SI or in the controls' output units.
std::string QuantityColumnName(int choice, const OutputUnits& units, CsvUnits kind);

// The crank angle column of a step: its count plus the x-axis offset, in 0 to 359 degrees.
double CrankAngleDegrees(std::int32_t stepCount, int offsetDeg);

inline constexpr const char* kNoGraphedCycleLine = "# no graphed cycle in this run";

}  // namespace velmora
