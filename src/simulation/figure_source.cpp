#include "simulation/figure_source.h"

#include "simulation/cycle_model.h"

namespace velmora {

FigureSource SourceOf(DesignOutput output, IntegrationModel model) {
    switch (output) {
        case DesignOutput::PVPowerAtEngineSpeed:
        case DesignOutput::PVPowerAtOmegaBar:
        case DesignOutput::DwellHi:
        case DesignOutput::DwellLo:
        case DesignOutput::PressureHi:
        case DesignOutput::PressureLo:
        case DesignOutput::CurveMaxPower:
        case DesignOutput::CurveMaxPowerSpeed:
        case DesignOutput::CurveMaxPowerPhase:
            return FigureSource::OneDegreeRun;
        case DesignOutput::IndicatedPower:
            return CycleModelOf(model).GivesIndicatedPower() ? FigureSource::ChosenModel
                                                             : FigureSource::OneDegreeRun;
        default:
            return OutputColumn(output).energy ? FigureSource::ChosenModel : FigureSource::Analysis;
    }
}

std::string SourceText(DesignOutput output, IntegrationModel model) {
    switch (SourceOf(output, model)) {
        case FigureSource::Analysis:
            return "closed-form analysis";
        case FigureSource::OneDegreeRun:
            return "one-degree run";
        case FigureSource::ChosenModel:
            break;
    }
    return std::string(NameOf(model).caption) + " model";
}

}  // namespace velmora
