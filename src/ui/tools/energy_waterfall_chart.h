#pragma once

#include <vector>

#include "report/number_settings.h"
#include "presentation/loss_waterfall.h"

class QChart;

namespace velmora {

// The loss waterfall as horizontal bars, read from the top: levels in one colour from zero,
// losses in another from the level before down to the next, each labelled with its watts.
// Without steps (no settled run) an empty chart that says so.
QChart* MakeWaterfallChart(const std::vector<WaterfallStep>& steps, const NumberSettings& numbers);

}  // namespace velmora
