#pragma once

#include "report/number_settings.h"
#include "presentation/energy_figures.h"

class QChart;

namespace velmora {

// Brake power (left axis) and brake torque (right axis) against speed, the load torque as a
// level line on the torque axis and the running point marked on both curves.
QChart* MakeBrakeSpeedChart(const BrakeChartSeries& series, const NumberSettings& numbers);

}  // namespace velmora
