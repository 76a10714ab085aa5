#pragma once

#include <string>

#include "engine/integration_model.h"
#include "simulation/design_result.h"

namespace velmora {

// The energy figures of one evaluated design (kEnergyOutputs) as text, one "caption: value"
// line each after "Model: NAME"; an empty figure reads "not computed (REASON)", or "not
// settled" when the accurate run did not settle. Numbers in W with one decimal, ratios with
// four.
std::string EnergyText(const DesignResult& result, IntegrationModel model);

// The same as CSV: a header of the column names after "model", and one row; an empty figure
// is an empty cell.
std::string EnergyCsv(const DesignResult& result, IntegrationModel model);

// One figure as EnergyText writes it, without its caption.
std::string EnergyValueText(const DesignResult& result, DesignOutput output);

// Why the figures of a run are empty, in words ("no Omega Bar"); empty for None.
std::string EnergyGapReason(EnergyGap gap);

}  // namespace velmora
