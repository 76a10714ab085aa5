#pragma once

#include <array>
#include <optional>

#include "engine/design.h"
#include "engine/parameter_set.h"
#include "simulation/accurate_cycle.h"
#include "simulation/design_result.h"
#include "simulation/energy_balance.h"
#include "simulation/simulation_state.h"

namespace velmora {

// Work, heat and efficiency of one design under the model it chooses, at engine speed and
// simulated at Omega Bar. An empty figure could not be computed, for the reason its gap gives:
// missing inputs, no revolution simulated, no Omega Bar, or an accurate run that did not settle
// (its numbers would pretend).
struct DesignEnergy {
    // The model's indicated power replaces the one-degree run's (cycle_model.h).
    bool ownIndicatedPower = false;
    // Whether the model could run: with an input missing, nothing is said of settling.
    bool computed = false;
    // The heat figures are withheld when the cycle breaks a law: the one-degree model's
    // discrete revolution can (doc/physics.md section 5); an error-controlled one cannot.
    bool lawsChecked = false;
    std::optional<CycleEnergy> atSpeed;
    std::optional<CycleEnergy> atOmegaBar;
    EnergyGap atSpeedGap = EnergyGap::None;
    EnergyGap omegaBarGap = EnergyGap::None;
    bool settled = false;  // the one-degree model's fixed cycles count as settled once run
    // How the accurate runs ended (Settled for the one-degree model).
    AccurateOutcome outcome = AccurateOutcome::Settled;
    AccurateOutcome omegaBarOutcome = AccurateOutcome::Settled;
};

// The figures an energy view shows (window table, velmora-cli energy), in order.
inline constexpr std::array<DesignOutput, 11> kEnergyOutputs{
    DesignOutput::IndicatedPower,
    DesignOutput::ShaftPower,
    DesignOutput::RodWorkLoss,
    DesignOutput::IndicatedPowerAtOmegaBar,
    DesignOutput::ShaftPowerAtOmegaBar,
    DesignOutput::HeatIn,
    DesignOutput::HeatOut,
    DesignOutput::Efficiency,
    DesignOutput::CarnotFraction,
    DesignOutput::Settled,
    DesignOutput::SettledOmegaBar,
};

// The figures of the lossy cycle (lossy_energy.h) at engine speed, shown after kEnergyOutputs
// for a design with losses.
inline constexpr std::array<DesignOutput, 20> kLossOutputs{
    DesignOutput::BrakePower,    DesignOutput::BrakeEfficiency,      DesignOutput::ForcedWork,
    DesignOutput::MechanismLoss, DesignOutput::AnnulusFrictionLoss,  DesignOutput::RodFrictionLoss,
    DesignOutput::ImpactLoss,    DesignOutput::ConductionLoss,       DesignOutput::ShuttleLoss,
    DesignOutput::ReheatLoss,    DesignOutput::HeatInTotal,          DesignOutput::HotGasTemp,
    DesignOutput::ColdGasTemp,   DesignOutput::BealeNumber,          DesignOutput::WestNumber,
    DesignOutput::MaxBrakePower, DesignOutput::SpeedAtMaxBrakePower, DesignOutput::NoLoadSpeed,
    DesignOutput::RunningSpeed,  DesignOutput::MinHotTemp,
};

// The lossy gas cycle's own figures at engine speed, the counterparts of the ideal ones in
// kEnergyOutputs, shown before kLossOutputs.
inline constexpr std::array<DesignOutput, 5> kLossyCycleOutputs{
    DesignOutput::LossyIndicatedPower, DesignOutput::LossyShaftPower,
    DesignOutput::LossyRodWorkLoss,    DesignOutput::LossyHeatIn,
    DesignOutput::LossyHeatOut,
};

// The lossy cycle's figures of the analysed parameter set at engine speed into the result.
void AddLossFigures(DesignResult& result, const ParameterSet& analysed, const Design& design);

// The accurate runs of the analysed parameter set (before the one-degree run changes its
// mean pressure), with the design's weight and equalization choices; `atOmegaBar` adds the
// second run.
DesignEnergy AccurateEnergy(const ParameterSet& analysed, const Design& design, bool atOmegaBar);

// The one-degree model's figures: the last revolution its run simulated at engine speed (in
// `sim`, from a run that has just finished), however many cycles it graphed, and, when
// `atOmegaBar`, a second run at Omega Bar into `scratch`.
DesignEnergy SpecifiedEnergy(const ParameterSet& analysed, const Design& design,
                             const SimulationState& sim, SimulationState& scratch, bool atOmegaBar);

// The energy columns of the result and why those left empty are; indicated_power_w too when the
// model is accurate (it holds the chosen model's signed indicated power).
void AddEnergy(DesignResult& result, const DesignEnergy& energy, bool energyColumns);

// The text of an accurate run that did not settle, for a window or a note: "not settled
// (cycle limit)".
const char* OutcomeText(AccurateOutcome outcome);

}  // namespace velmora
