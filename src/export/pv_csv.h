#pragma once

#include <string>

#include "engine/parameter_set.h"
#include "export/cycle_record.h"

namespace velmora {

// The pressure/volume diagram's points in SI, one per recorded step ("total_volume_m3,
// pressure_Pa"), then the run's two PV powers as '#' lines. Without a graphed cycle: the
// header and a '#' line saying so.
std::string PvCsv(const CycleRecord& record, const ParameterSet& params);

}  // namespace velmora
