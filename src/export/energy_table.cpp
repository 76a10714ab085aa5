#include "export/energy_table.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "export/csv_field.h"
#include "export/csv_number.h"
#include "simulation/design_energy.h"

namespace velmora {

namespace {

bool IsRatio(DesignOutput output) {
    return output == DesignOutput::Efficiency || output == DesignOutput::CarnotFraction ||
           output == DesignOutput::BrakeEfficiency || output == DesignOutput::BealeNumber ||
           output == DesignOutput::WestNumber;
}

// The figures a result shows: the lossy cycle's and the loss figures follow for a design with
// losses.
std::vector<DesignOutput> ShownOutputs(const DesignResult& result) {
    std::vector<DesignOutput> outputs(kEnergyOutputs.begin(), kEnergyOutputs.end());
    if (!result.lossesGiven) return outputs;
    outputs.insert(outputs.end(), kLossyCycleOutputs.begin(), kLossyCycleOutputs.end());
    outputs.insert(outputs.end(), kLossOutputs.begin(), kLossOutputs.end());
    return outputs;
}

bool IsLossFigure(DesignOutput output) {
    return std::find(kLossyCycleOutputs.begin(), kLossyCycleOutputs.end(), output) !=
               kLossyCycleOutputs.end() ||
           std::find(kLossOutputs.begin(), kLossOutputs.end(), output) != kLossOutputs.end();
}

// The headings of a design with losses, before the ideal figures and before the lossy ones.
constexpr const char* kIdealHeading = "Without losses (the ideal engine):\n";
constexpr const char* kLossyHeading =
    "With the design's losses, gas and load (build by the brake power):\n";

// The gap of the run a figure comes from.
EnergyGap GapOf(const DesignResult& result, DesignOutput output) {
    switch (output) {
        case DesignOutput::IndicatedPower:
            return result.energyGaps.indicatedPower;
        case DesignOutput::IndicatedPowerAtOmegaBar:
        case DesignOutput::ShaftPowerAtOmegaBar:
        case DesignOutput::SettledOmegaBar:
            return result.energyGaps.atOmegaBar;
        case DesignOutput::HeatIn:
        case DesignOutput::HeatOut:
        case DesignOutput::Efficiency:
        case DesignOutput::CarnotFraction:
            return result.energyGaps.heat != EnergyGap::None ? result.energyGaps.heat
                                                             : result.energyGaps.atSpeed;
        default:
            if (IsLossFigure(output) && result.energyGaps.losses != EnergyGap::None)
                return result.energyGaps.losses;
            return result.energyGaps.atSpeed;
    }
}

}  // namespace

std::string EnergyGapReason(EnergyGap gap) {
    switch (gap) {
        case EnergyGap::None:
            return "";
        case EnergyGap::MissingInput:
            return "an input is missing";
        case EnergyGap::NoEngineSpeed:
            return "no positive engine speed";
        case EnergyGap::NoCycleComputed:
            return "the cycle schedule computes no cycle";
        case EnergyGap::NoCurveChosen:
            return "no graph curves chosen, so no cycle is run";
        case EnergyGap::NotSettled:
            return "the run did not settle";
        case EnergyGap::NoOmegaBar:
            return "no Omega Bar";
        case EnergyGap::NoCycleGraphed:
            return "no cycle graphed";
        case EnergyGap::DoesNotSnap:
            return "does not snap: Beta < 1";
        case EnergyGap::BreaksFirstLaw:
            return "the one-degree cycle breaks the first law by more than 1%";
        case EnergyGap::BreaksSecondLaw:
            return "the one-degree cycle breaks the second law by more than 1%";
        case EnergyGap::EfficiencyBeyondCarnot:
            return "the one-degree efficiency lies outside 0 to Carnot";
        case EnergyGap::DisplacerDoesNotMove:
            return "displacer does not move: friction exceeds the gas force";
    }
    return "";
}

std::string EnergyValueText(const DesignResult& result, DesignOutput output) {
    const std::optional<double>& value = result[output];
    if (value) {
        if (output == DesignOutput::Settled || output == DesignOutput::SettledOmegaBar)
            return *value != 0 ? "yes" : "no";
        char text[64];
        std::snprintf(text, sizeof text, IsRatio(output) ? "%.4f" : "%.1f", *value);
        return text;
    }
    const EnergyGap gap = GapOf(result, output);
    if (gap == EnergyGap::NotSettled) return "not settled";
    if (gap != EnergyGap::None) return "not computed (" + EnergyGapReason(gap) + ")";
    if (IsRatio(output)) {
        // The run gave its figures, but this ratio has no meaning for them.
        const std::optional<double>& heatIn = result[DesignOutput::HeatIn];
        if (heatIn && *heatIn <= 0) return "not computed (no heat taken in)";
        if (output == DesignOutput::CarnotFraction && result[DesignOutput::Efficiency])
            return "not computed (the hot space is not hotter than the cold)";
        if (heatIn) return "not computed (work too small to divide)";
    }
    // A result whose gaps were not recorded.
    const std::optional<double>& settled =
        result[output == DesignOutput::SettledOmegaBar ? DesignOutput::SettledOmegaBar
                                                       : DesignOutput::Settled];
    return settled && *settled == 0 ? "not settled" : "not computed";
}

std::string EnergyText(const DesignResult& result, IntegrationModel model) {
    std::string text = std::string("Model: ") + NameOf(model).name + "\n";
    if (result.lossesGiven) text += kIdealHeading;
    const bool stuck = result.energyGaps.losses == EnergyGap::DisplacerDoesNotMove;
    for (const DesignOutput output : ShownOutputs(result)) {
        if (output == kLossyCycleOutputs.front()) {
            text += kLossyHeading;
            // A displacer held still: one line says so in place of the figures.
            if (stuck) text += EnergyGapReason(EnergyGap::DisplacerDoesNotMove) + "\n";
        }
        if (stuck && IsLossFigure(output)) continue;
        text += std::string(OutputColumn(output).caption) + ": " + EnergyValueText(result, output) +
                "\n";
    }
    return text;
}

std::string EnergyCsv(const DesignResult& result, IntegrationModel model) {
    std::string header = "model";
    std::string row = NameOf(model).name;
    for (const DesignOutput output : ShownOutputs(result)) {
        header += ',';
        header += OutputColumn(output).name;
        row += ',';
        if (const std::optional<double>& value = result[output]) AppendCsvNumber(row, *value);
    }
    if (result.lossesGiven) {
        // Why the lossy cycle's cells are empty, when a reason outside the runs' gaps holds.
        header += ",losses_note";
        row += ',';
        row += CsvField(EnergyGapReason(result.energyGaps.losses));
    }
    return header + "\n" + row + "\n";
}

}  // namespace velmora
