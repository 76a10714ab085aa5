#pragma once

#include "report/number_settings.h"
#include "simulation/design_result.h"

class QChart;

namespace velmora {

// The flows of the chosen model in watts as bars: at engine speed, and the two powers
// simulated at Omega Bar.
QChart* MakeFlowChart(const DesignResult& result, const NumberSettings& numbers);

}  // namespace velmora
