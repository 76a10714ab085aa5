#include "engine/loss_inputs.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace velmora {

namespace {

std::optional<double> FileNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool Allowed(const LossInput& input, double value) {
    const bool aboveLow = input.lowOpen ? value > input.low : value >= input.low;
    const bool belowHigh = input.highOpen ? value < input.high : value <= input.high;
    return aboveLow && belowHigh;
}

std::string Shown(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

}  // namespace

std::optional<GasKind> FindGas(std::string_view name) {
    for (const GasProperties& gas : kGases)
        if (name == gas.name) return gas.kind;
    return std::nullopt;
}

double Viscosity(const GasProperties& gas, double t) {
    return gas.mu0 * std::pow(t / gas.t0, 1.5) * (gas.t0 + gas.sutherland) / (t + gas.sutherland);
}

double Conductivity(const GasProperties& gas, double t) {
    return Viscosity(gas, t) * gas.cp / gas.prandtl;
}

bool LossTexts::Any() const {
    for (const auto& value : values)
        if (value) return true;
    return false;
}

std::string LossKeyName(const LossInput& input) {
    return std::string("[") + input.section + "] " + input.key;
}

LossReading ReadLossInputs(const LossTexts& texts) {
    LossReading reading;
    reading.inputs.given = texts.Any();
    for (std::size_t row = 0; row < kLossInputs.size(); ++row) {
        const LossInput& input = kLossInputs[row];
        const auto fail = [&](const std::string& why) {
            if (reading.problem.empty()) {
                reading.problem = LossKeyName(input) + " " + why;
                reading.badRow = static_cast<int>(row);
            }
        };
        if (!texts.values[row]) continue;
        const std::string& text = *texts.values[row];
        if (input.field == nullptr) {
            if (const std::optional<GasKind> gas = FindGas(text))
                reading.inputs.gas = *gas;
            else
                fail("names no known gas ('" + text + "'; " + input.rule + ")");
            continue;
        }
        double toSI = 1;
        if (texts.units[row]) {
            const std::optional<double> item = FileNumber(*texts.units[row]);
            if (!item || *item != std::floor(*item) || *item < 0 || *item >= input.unitCount) {
                fail("Units names no unit ('" + *texts.units[row] + "')");
                continue;
            }
            toSI = input.units[static_cast<std::size_t>(*item)].toSI;
        }
        const std::optional<double> typed = FileNumber(text);
        if (!typed) {
            fail("is not a number ('" + text + "')");
            continue;
        }
        const double value = *typed * toSI;
        if (!Allowed(input, value)) {
            fail("must be " + std::string(input.rule) + ", not " + Shown(value));
            continue;
        }
        reading.inputs.*input.field = value;
    }
    return reading;
}

}  // namespace velmora
