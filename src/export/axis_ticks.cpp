#include "export/axis_ticks.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace velmora {
namespace {

constexpr int kMaxDecimals = 15;

double NiceStep(double span, int targetCount) {
    const double raw = span / std::max(1, targetCount);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double fraction = raw / power;
    // The round step nearest the raw one.
    const double nice = fraction < 1.5 ? 1 : fraction < 3 ? 2 : fraction < 7 ? 5 : 10;
    return nice * power;
}

int DecimalsOf(double step) {
    for (int d = 0; d < kMaxDecimals; ++d) {
        const double scaled = step * std::pow(10.0, d);
        if (std::fabs(scaled - std::round(scaled)) <= 1e-6 * scaled) return d;
    }
    return kMaxDecimals;
}

}  // namespace

AxisTicks MakeAxisTicks(double lo, double hi, bool widenToSteps, int targetCount) {
    AxisTicks ticks;
    if (!std::isfinite(lo) || !std::isfinite(hi)) lo = hi = 0;
    if (lo > hi) std::swap(lo, hi);
    if (hi - lo <= 1e-12 * std::max(std::fabs(lo), std::fabs(hi)) || hi == lo) {
        const double pad = lo != 0 ? std::fabs(lo) * 0.1 : 1.0;
        lo -= pad;
        hi += pad;
    }
    ticks.step = NiceStep(hi - lo, targetCount);
    if (!std::isfinite(ticks.step) || ticks.step <= 0) ticks.step = 1;
    if (widenToSteps) {
        lo = std::floor(lo / ticks.step) * ticks.step;
        hi = std::ceil(hi / ticks.step) * ticks.step;
    }
    ticks.min = lo;
    ticks.max = hi;
    ticks.decimals = DecimalsOf(ticks.step);
    const double first = std::ceil(lo / ticks.step - 1e-9) * ticks.step;
    for (int i = 0; i < 100; ++i) {
        double value = first + i * ticks.step;
        if (value > hi + ticks.step * 1e-9) break;
        if (std::fabs(value) < ticks.step * 1e-9) value = 0;  // no "-0" from rounding
        ticks.values.push_back(value);
    }
    return ticks;
}

std::string TickLabel(double value, int decimals) {
    char text[400];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return "?";
    std::string label(text, result.ptr);
    // A value that rounds to zero is written without its sign.
    if (label.front() == '-' && label.find_first_not_of("-0.") == std::string::npos)
        label.erase(0, 1);
    return label;
}

}  // namespace velmora
