#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "engine/parameter_set.h"
#include "report/unit_text.h"
#include "simulation/simulation_state.h"

namespace velmora {

// The results of one design, in the order of the output columns.
enum class DesignOutput : int {
    SchmidtWork,
    SchmidtPower,
    PVPowerAtEngineSpeed,
    PVPowerAtOmegaBar,
    IndicatedPower,
    OmegaBar,
    Beta,
    BetaS,
    Chi,
    GammaM,
    AlphaBar,
    TeeZero,
    DwellHi,
    DwellLo,
    PressureHi,
    PressureLo,
    DispPowerLoss,
    DispPowerLossFraction,
    MaxDispVelocity,
    CurveMaxPower,
    CurveMaxPowerSpeed,
    CurveMaxPowerPhase,
    ShaftPower,
    RodWorkLoss,
    IndicatedPowerAtOmegaBar,
    ShaftPowerAtOmegaBar,
    HeatIn,
    HeatOut,
    Efficiency,
    CarnotFraction,
    Settled,
    SettledOmegaBar,
    BrakePower,
    BrakeEfficiency,
    ForcedWork,
    MechanismLoss,
    AnnulusFrictionLoss,
    RodFrictionLoss,
    ImpactLoss,
    ConductionLoss,
    ShuttleLoss,
    ReheatLoss,
    HeatInTotal,
    HotGasTemp,
    ColdGasTemp,
    BealeNumber,
    WestNumber,
    MaxBrakePower,
    SpeedAtMaxBrakePower,
    NoLoadSpeed,
    RunningSpeed,
    MinHotTemp,
    LossyIndicatedPower,
    LossyShaftPower,
    LossyRodWorkLoss,
    LossyHeatIn,
    LossyHeatOut,
};
inline constexpr std::size_t kDesignOutputCount = 57;

// One output column: its CSV name (SI unit in the name), its caption in the window, and
// whether it needs the power/speed curve (which costs more than the rest together) or the
// energy run (the cycle's integrals, a second cycle simulated at Omega Bar, and the accurate
// run when the design asks for it); both are computed only when asked for.
struct DesignOutputColumn {
    DesignOutput output;
    const char* name;
    const char* caption;
    bool powerCurve;
    bool energy = false;
};

// The one table of output columns, in DesignOutput order.
inline constexpr std::array<DesignOutputColumn, kDesignOutputCount> kDesignOutputColumns{{
    {DesignOutput::SchmidtWork, "schmidt_work_j", "Schmidt work (J)", false},
    {DesignOutput::SchmidtPower, "schmidt_power_w", "Schmidt power (W)", false},
    {DesignOutput::PVPowerAtEngineSpeed, "pv_power_engine_speed_w", "PV power at engine speed (W)",
     false},
    {DesignOutput::PVPowerAtOmegaBar, "pv_power_omega_bar_w", "PV power at Omega Bar (W)", false},
    {DesignOutput::IndicatedPower, "indicated_power_w", "Indicated power (W)", false},
    {DesignOutput::OmegaBar, "omega_bar_rad_s", "Omega Bar (rad/s)", false},
    {DesignOutput::Beta, "beta", "Beta", false},
    {DesignOutput::BetaS, "beta_s", "Beta S", false},
    {DesignOutput::Chi, "chi", "Chi", false},
    {DesignOutput::GammaM, "gamma_m", "GammaM", false},
    {DesignOutput::AlphaBar, "alpha_bar_deg", "Alpha Bar (deg)", false},
    {DesignOutput::TeeZero, "tee_zero_deg", "Tee Zero (deg)", false},
    {DesignOutput::DwellHi, "dwell_hi_deg", "Dwell hi (deg)", false},
    {DesignOutput::DwellLo, "dwell_lo_deg", "Dwell lo (deg)", false},
    {DesignOutput::PressureHi, "pressure_hi_percent", "Integrated pressure hi (%)", false},
    {DesignOutput::PressureLo, "pressure_lo_percent", "Integrated pressure lo (%)", false},
    {DesignOutput::DispPowerLoss, "disp_power_loss_w", "Displacer power loss (W)", false},
    {DesignOutput::DispPowerLossFraction, "disp_power_loss_fraction",
     "Displacer power loss fraction", false},
    {DesignOutput::MaxDispVelocity, "max_disp_velocity_m_s", "Max displacer velocity (m/s)", false},
    {DesignOutput::CurveMaxPower, "curve_max_power_w", "Power/speed curve max power (W)", true},
    {DesignOutput::CurveMaxPowerSpeed, "curve_max_power_speed_rad_s", "Speed of max power (rad/s)",
     true},
    {DesignOutput::CurveMaxPowerPhase, "curve_max_power_phase_deg", "Phase at max power (deg)",
     true},
    {DesignOutput::ShaftPower, "shaft_power_w", "Shaft power (W)", false, true},
    {DesignOutput::RodWorkLoss, "rod_work_loss_w", "Rod work lost at the stops (W)", false, true},
    {DesignOutput::IndicatedPowerAtOmegaBar, "indicated_power_omega_bar_w",
     "Indicated power simulated at Omega Bar (W)", false, true},
    {DesignOutput::ShaftPowerAtOmegaBar, "shaft_power_omega_bar_w",
     "Shaft power simulated at Omega Bar (W)", false, true},
    {DesignOutput::HeatIn, "heat_in_w", "Heat in (W)", false, true},
    {DesignOutput::HeatOut, "heat_out_w", "Heat out (W)", false, true},
    {DesignOutput::Efficiency, "efficiency", "Thermal efficiency", false, true},
    {DesignOutput::CarnotFraction, "carnot_fraction", "Fraction of Carnot efficiency", false, true},
    {DesignOutput::Settled, "settled", "Settled", false, true},
    {DesignOutput::SettledOmegaBar, "settled_omega_bar", "Settled at Omega Bar", false, true},
    // The accurate model with the design's losses, gas and load; empty for a design without
    // [Gas], [Losses] or [Load].
    {DesignOutput::BrakePower, "brake_power_w", "Brake power (W)", false, true},
    {DesignOutput::BrakeEfficiency, "brake_efficiency", "Brake efficiency (brake power / heat in)",
     false, true},
    {DesignOutput::ForcedWork, "forced_work_j", "Forced work (J)", false, true},
    {DesignOutput::MechanismLoss, "mechanism_loss_w", "Mechanism loss (W)", false, true},
    {DesignOutput::AnnulusFrictionLoss, "annulus_friction_loss_w", "Annulus friction loss (W)",
     false, true},
    {DesignOutput::RodFrictionLoss, "rod_friction_loss_w", "Rod friction loss (W)", false, true},
    {DesignOutput::ImpactLoss, "impact_loss_w", "Impact loss at the stops (W)", false, true},
    {DesignOutput::ConductionLoss, "conduction_loss_w", "Conduction loss (W)", false, true},
    {DesignOutput::ShuttleLoss, "shuttle_loss_w", "Shuttle loss (W)", false, true},
    {DesignOutput::ReheatLoss, "reheat_loss_w", "Reheat loss (W)", false, true},
    {DesignOutput::HeatInTotal, "heat_in_total_w", "Total heat in (W)", false, true},
    {DesignOutput::HotGasTemp, "hot_gas_temp_k", "Hot gas temperature (K)", false, true},
    {DesignOutput::ColdGasTemp, "cold_gas_temp_k", "Cold gas temperature (K)", false, true},
    {DesignOutput::BealeNumber, "beale_number", "Beale number", false, true},
    {DesignOutput::WestNumber, "west_number", "West number", false, true},
    // The engine under load: a search over speed (and over the hot temperature) of the same.
    {DesignOutput::MaxBrakePower, "max_brake_power_w", "Maximum brake power (W)", false, true},
    {DesignOutput::SpeedAtMaxBrakePower, "speed_at_max_brake_power_rpm",
     "Speed of maximum brake power (RPM)", false, true},
    {DesignOutput::NoLoadSpeed, "no_load_speed_rpm", "No-load speed (RPM)", false, true},
    {DesignOutput::RunningSpeed, "running_speed_rpm", "Running speed under the load (RPM)", false,
     true},
    {DesignOutput::MinHotTemp, "min_hot_temp_k", "Minimum hot temperature to run (K)", false, true},
    // The lossy gas cycle's own figures at engine speed (the ideal ones are shaft_power_w ...).
    {DesignOutput::LossyIndicatedPower, "lossy_indicated_power_w",
     "Indicated power with losses (W)", false, true},
    {DesignOutput::LossyShaftPower, "lossy_shaft_power_w", "Shaft power with losses (W)", false,
     true},
    {DesignOutput::LossyRodWorkLoss, "lossy_rod_work_loss_w", "Rod work with losses (W)", false,
     true},
    {DesignOutput::LossyHeatIn, "lossy_heat_in_w", "Gas heat in with losses (W)", false, true},
    {DesignOutput::LossyHeatOut, "lossy_heat_out_w", "Gas heat out with losses (W)", false, true},
}};

// The columns before the loss figures (which only a design with [Gas], [Losses] or [Load]
// fills): the lists that offer every figure of any design.
inline constexpr std::size_t kIdealOutputCount = static_cast<std::size_t>(DesignOutput::BrakePower);

inline const DesignOutputColumn& OutputColumn(DesignOutput output) {
    return kDesignOutputColumns[static_cast<std::size_t>(output)];
}

// The column of a CSV name, or nullptr.
const DesignOutputColumn* FindOutputColumn(std::string_view name);

// Whether a column is computed only when asked for (power/speed curve, energy run).
inline bool ComputedOnRequest(const DesignOutputColumn& column) {
    return column.powerCurve || column.energy;
}

// Why energy figures that were asked for are empty.
enum class EnergyGap : int {
    None,             // given (or not asked for)
    MissingInput,     // an input is missing or unreadable: no run
    NoEngineSpeed,    // the engine speed is not positive
    NoCycleComputed,  // the cycle schedule simulated no whole revolution
    NoCurveChosen,    // without both graph curves chosen the one-degree run does not start
    NotSettled,       // the accurate run did not settle
    NoOmegaBar,       // the second run needs Omega Bar
    NoCycleGraphed,   // the one-degree indicated power is the loop of the graphed cycle
    DoesNotSnap,      // Beta < 1: the displacer does not snap, so no cycle is run
    // The one-degree run's recorded cycle is impossible, so its heat figures are withheld:
    BreaksFirstLaw,          // work and net heat differ by more than 1%
    BreaksSecondLaw,         // the heats destroy entropy by more than 1% of the hot heat's
    EfficiencyBeyondCarnot,  // the efficiency lies outside 0 to Carnot
    // The rod's dry friction holds the displacer still over the whole settled revolution.
    DisplacerDoesNotMove,
};

// The gaps of the energy figures, by the run they come from.
struct EnergyGaps {
    EnergyGap atSpeed = EnergyGap::None;
    EnergyGap atOmegaBar = EnergyGap::None;
    EnergyGap indicatedPower = EnergyGap::None;
    EnergyGap heat = EnergyGap::None;    // heat in and out, efficiency, Carnot fraction
    EnergyGap losses = EnergyGap::None;  // the lossy cycle's figures at engine speed
};

// The results of one design. An empty value could not be computed (missing inputs, a failed
// analysis step, no graphed cycle, an accurate run that did not settle, or not asked for).
struct DesignResult {
    std::array<std::optional<double>, kDesignOutputCount> values{};
    double engineSpeed = 0;    // rad/s, as read
    EnergyGaps energyGaps;     // why asked-for energy figures are empty
    bool lossesGiven = false;  // the design has [Gas], [Losses] or [Load]: loss figures are shown

    std::optional<double>& operator[](DesignOutput output) {
        return values[static_cast<std::size_t>(output)];
    }
    const std::optional<double>& operator[](DesignOutput output) const {
        return values[static_cast<std::size_t>(output)];
    }

    // Engine speed above Omega Bar; empty without Omega Bar.
    std::optional<bool> Overdriven() const;
};

// The results of a finished compute run (inputs read, analysis, simulation, displacer loss)
// from its parameter set and simulation state; the power/speed curve columns stay empty.
DesignResult ResultOfRun(const ParameterSet& params, const SimulationState& sim,
                         const OutputChoices& units);

// The power/speed curve columns from a computed curve.
void AddCurveMaximum(DesignResult& result, const PowerCurve& curve);

}  // namespace velmora
