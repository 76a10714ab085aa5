#include "export/energy_table.h"

#include <cstdio>

#include "export/csv_number.h"
#include "simulation/design_energy.h"

namespace velmora {

namespace {

bool IsRatio(DesignOutput output) {
    return output == DesignOutput::Efficiency || output == DesignOutput::CarnotFraction;
}

}  // namespace

std::string EnergyValueText(const DesignResult& result, DesignOutput output) {
    const std::optional<double>& value = result[output];
    if (output == DesignOutput::Settled) {
        if (!value) return "not computed";
        return *value != 0 ? "yes" : "no";
    }
    if (!value) {
        const std::optional<double>& settled = result[DesignOutput::Settled];
        return settled && *settled == 0 ? "not settled" : "not computed";
    }
    char text[64];
    std::snprintf(text, sizeof text, IsRatio(output) ? "%.4f" : "%.1f", *value);
    return text;
}

std::string EnergyText(const DesignResult& result, IntegrationModel model) {
    std::string text = std::string("Model: ") + NameOf(model).name + "\n";
    for (const DesignOutput output : kEnergyOutputs)
        text += std::string(OutputColumn(output).caption) + ": " + EnergyValueText(result, output) +
                "\n";
    return text;
}

std::string EnergyCsv(const DesignResult& result, IntegrationModel model) {
    std::string header = "model";
    std::string row = NameOf(model).name;
    for (const DesignOutput output : kEnergyOutputs) {
        header += ',';
        header += OutputColumn(output).name;
        row += ',';
        if (const std::optional<double>& value = result[output]) AppendCsvNumber(row, *value);
    }
    return header + "\n" + row + "\n";
}

}  // namespace velmora
