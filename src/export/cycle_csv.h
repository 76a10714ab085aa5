#pragma once

#include <cstdint>
#include <string>

#include "export/cycle_record.h"
#include "model/control_state.h"
#include "simulation/accurate_revolution.h"

namespace velmora {

// Units of the quantity columns: SI, or the output units the graphs use.
enum class CsvUnits { SI, Output };

// One line per recorded step: step count, time (s), crank angle (degrees, 0 to 360, offset
// included), then the twelve graphable quantities in the order of the curve lists. Header
// names carry the unit ("displacer_position_m"). A record without steps gives the header and
// a '#' line saying that the run graphed no cycle.
std::string CycleCsv(const CycleRecord& record, const ControlState& controls, CsvUnits units);

// The last revolution (360 steps) of a record; all of it when it is shorter.
CycleRecord LastRevolution(const CycleRecord& record);

// The accurate model's settled revolution in the same columns, the step count and crank angle
// being the degree of the revolution (0 to 359); a revolution that did not settle gives the
// header and a '#' line saying how the run ended ("# not settled (cycle limit)").
std::string AccurateCycleCsv(const AccurateRevolution& revolution, const ControlState& controls,
                             CsvUnits units);

// The column names of the twelve quantities, SI or in the controls' output units.
std::string QuantityColumnName(int choice, const OutputUnits& units, CsvUnits kind);

// The crank angle column of a step: its count plus the x-axis offset, in 0 to 359 degrees.
double CrankAngleDegrees(std::int32_t stepCount, int offsetDeg);

inline constexpr const char* kNoGraphedCycleLine = "# no graphed cycle in this run";

}  // namespace velmora
