#include "presentation/loss_waterfall.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "report/number_text.h"

namespace velmora {

std::vector<WaterfallStep> LossWaterfall(const LossyRun& run) {
    const double f = run.speed / (2 * std::numbers::pi);
    const double rodLoss = run.rodWork * f;
    // The gas cycle's own work is the shaft's plus the rod's; what the gas takes in and does
    // not turn into it, it rejects (the first law of the settled cycle).
    const double gasCycle = run.shaftPower + rodLoss;
    std::vector<WaterfallStep> steps;
    double levelNow = 0;
    const auto level = [&](const char* label, double value) {
        steps.push_back({label, true, 0, value});
        levelNow = value;
    };
    const auto loss = [&](const char* label, double value) {
        steps.push_back({label, false, levelNow, levelNow - value});
        levelNow -= value;
    };
    level("Heat in", run.heatInTotal);
    loss("Conduction", run.conductionLoss);
    loss("Shuttle", run.shuttleLoss);
    loss("Reheat", run.reheatLoss);
    loss("Heat rejected", run.gasHeatIn - gasCycle);
    level("Gas cycle", gasCycle);
    loss("Rod loss", rodLoss);
    level("Shaft", run.shaftPower);
    loss("Mechanism", run.mechanismLoss);
    level("Brake", run.brakePower);
    return steps;
}

StackedParts StackedPartsOf(const WaterfallStep& step) {
    const double low = std::min(step.from, step.to);
    const double high = std::max(step.from, step.to);
    StackedParts parts;
    if (high > 0) {
        parts.positiveBase = std::max(low, 0.0);
        parts.positiveLength = high - parts.positiveBase;
    }
    if (low < 0) {
        parts.negativeBase = std::min(high, 0.0);
        parts.negativeLength = low - parts.negativeBase;
    }
    return parts;
}

std::string ChartNumber(double watts, const NumberSettings& numbers) {
    if (!std::isfinite(watts)) return "-";
    // FormatNumber writes negative numbers in exponent form: the sign is put in front here.
    const double size = std::abs(watts);
    std::string digits;
    if (size >= 999.5) {
        digits = FormatNumber(std::round(size), numbers);
    } else if (size >= 9.95) {
        digits = std::to_string(std::lround(size));
    } else {
        const long tenths = std::lround(size * 10);
        if (tenths == 0) return "0";
        digits =
            std::to_string(tenths / 10) + numbers.decimalSeparator + std::to_string(tenths % 10);
    }
    return (watts < 0 ? "-" : "") + digits;
}

std::string WaterfallLabel(const WaterfallStep& step, const NumberSettings& numbers) {
    const double shown = step.level ? step.to : -step.Value();
    return step.label + ": " + ChartNumber(shown, numbers) + " W";
}

}  // namespace velmora
