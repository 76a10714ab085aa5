#pragma once

#include <string>

#include "engine/integration_model.h"
#include "simulation/design_result.h"

namespace velmora {

// Where an output figure comes from, for the windows and exports that show it: the closed-form
// analysis, the one-degree run (its pressure/volume diagram, dwells, pressures, power curve),
// or the cycle model the design chooses (its energy figures and, where the model gives it, the
// indicated power).
enum class FigureSource { Analysis, OneDegreeRun, ChosenModel };

FigureSource SourceOf(DesignOutput output, IntegrationModel model);

// "closed-form analysis", "one-degree run", or "Accurate (error-controlled) model" for the
// model chosen.
std::string SourceText(DesignOutput output, IntegrationModel model);

}  // namespace velmora
