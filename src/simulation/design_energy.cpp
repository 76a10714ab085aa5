#include "simulation/design_energy.h"

#include <cmath>

#include "simulation/cycle_simulation.h"
#include "simulation/load_curve.h"
#include "simulation/lossy_energy.h"
#include "simulation/simulation_host.h"
#include "simulation/simulation_output.h"

namespace velmora {

namespace {

EnergyGap GapOf(AccurateOutcome outcome) {
    switch (outcome) {
        case AccurateOutcome::Settled:
            return EnergyGap::None;
        case AccurateOutcome::CycleLimit:
        case AccurateOutcome::StepLimit:
            return EnergyGap::NotSettled;
        case AccurateOutcome::MissingInput:
            return EnergyGap::MissingInput;
    }
    return EnergyGap::None;
}

// Why a finished one-degree run at `speed` gives no figures; None when it does.
EnergyGap SpecifiedGap(const ParameterSet& p, const Design& design, double speed,
                       const SimulationState& sim) {
    if (speed <= 0) return EnergyGap::NoEngineSpeed;
    if (sim.LastRevolution.complete) return EnergyGap::None;
    // The reasons the run stops before its first cycle.
    if (p.DispMass == 0) return EnergyGap::MissingInput;
    if (!design.curvesChosen) return EnergyGap::NoCurveChosen;
    return EnergyGap::NoCycleComputed;
}

// Why there is no run at Omega Bar: a missing input leaves Omega Bar unknown too, and a
// displacer that does not snap (Beta < 1) has none.
EnergyGap WithoutOmegaBar(const ParameterSet& p, EnergyGap atSpeed) {
    if (atSpeed == EnergyGap::MissingInput) return atSpeed;
    return p.Beta > 0 && p.Beta < 1 ? EnergyGap::DoesNotSnap : EnergyGap::NoOmegaBar;
}

}  // namespace

DesignEnergy AccurateEnergy(const ParameterSet& analysed, const Design& design, bool atOmegaBar) {
    AccurateCycleOptions options;
    options.gravity = design.displacerWeight;
    options.pressureEqualization = design.pressureEqualization;
    options.atOmegaBar = atOmegaBar;
    options.recordSamples = false;
    const AccurateCycleResult run = RunAccurateCycle(analysed, options);

    DesignEnergy e;
    e.ownIndicatedPower = true;
    e.settled = run.settled;
    e.outcome = run.atSpeed.outcome;
    e.computed = e.outcome != AccurateOutcome::MissingInput;
    e.atSpeedGap = GapOf(e.outcome);
    if (run.atSpeed.settled) e.atSpeed = run.atSpeed.energy;
    if (run.omegaBarRun) {
        e.omegaBarOutcome = run.atOmegaBar.outcome;
        e.omegaBarGap = GapOf(e.omegaBarOutcome);
        if (run.atOmegaBar.settled) e.atOmegaBar = run.atOmegaBar.energy;
    } else if (atOmegaBar) {
        e.omegaBarGap = WithoutOmegaBar(analysed, e.atSpeedGap);
    }
    return e;
}

DesignEnergy SpecifiedEnergy(const ParameterSet& analysed, const Design& design,
                             const SimulationState& sim, SimulationState& scratch,
                             bool atOmegaBar) {
    DesignEnergy e;
    e.lawsChecked = true;
    CycleIntegrals cycle;
    e.atSpeedGap = SpecifiedGap(analysed, design, analysed.EngineSpeed, sim);
    if (e.atSpeedGap == EnergyGap::None &&
        IntegrateLastRevolution(sim.LastRevolution, analysed, cycle))
        e.atSpeed = EnergyOfCycle(cycle, analysed, analysed.EngineSpeed);
    e.settled = e.atSpeed.has_value();
    e.computed = e.atSpeed.has_value();
    if (!atOmegaBar) return e;
    if (analysed.OmegaBar <= 0) {
        e.omegaBarGap = WithoutOmegaBar(analysed, e.atSpeedGap);
    } else {
        // The same schedule run again with Omega Bar as the engine speed: simulated there,
        // not the engine-speed diagram scaled by its frequency.
        ParameterSet p = analysed;
        p.EngineSpeed = analysed.OmegaBar;
        SimulationHost host;
        SimulationNotes notes;
        scratch.SimStepCount = 0;
        scratch.Summary.reset();
        RunSimulation(p, design, scratch, notes, host, Recording::ResultsOnly);
        e.omegaBarGap = SpecifiedGap(p, design, analysed.OmegaBar, scratch);
        if (e.omegaBarGap == EnergyGap::None &&
            IntegrateLastRevolution(scratch.LastRevolution, analysed, cycle))
            e.atOmegaBar = EnergyOfCycle(cycle, analysed, analysed.OmegaBar);
    }
    return e;
}

namespace {

std::optional<double> Finite(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

// The tolerance of the laws' checks: the one-degree integrals of a sound cycle close far
// within it.
constexpr double kLawTolerance = 0.01;

// Why the one-degree model's heat figures of `s` are impossible, None when they are not. The
// first law: the indicated work equals the net heat. The second: no engine between the hot and
// the cold temperature turns more of its heat into work than Carnot's efficiency, and one
// that takes heat in gives work out (efficiency from 0 to Carnot's).
EnergyGap ImpossibleHeat(const CycleEnergy& s) {
    if (std::abs(s.balanceResidual) > kLawTolerance) return EnergyGap::BreaksFirstLaw;
    if (s.heatIn <= 0) return EnergyGap::None;  // no efficiency to judge
    if (s.carnot > 0 && s.efficiency > s.carnot * (1 + kLawTolerance))
        return EnergyGap::BreaksSecondLaw;
    if (s.efficiency < 0 || (s.carnot <= 0 && s.efficiency > 0))
        return EnergyGap::EfficiencyBeyondCarnot;
    return EnergyGap::None;
}

}  // namespace

void AddEnergy(DesignResult& r, const DesignEnergy& e, bool energyColumns) {
    if (e.ownIndicatedPower) {
        r[DesignOutput::IndicatedPower].reset();
        if (e.atSpeed) r[DesignOutput::IndicatedPower] = Finite(e.atSpeed->indicatedPower);
    }
    if (!energyColumns) return;
    r.energyGaps.atSpeed = e.atSpeedGap;
    r.energyGaps.atOmegaBar = e.omegaBarGap;
    // The one-degree indicated power is the loop of the graphed cycle's PV points.
    if (!r[DesignOutput::IndicatedPower])
        r.energyGaps.indicatedPower = e.atSpeedGap != EnergyGap::None || e.ownIndicatedPower
                                          ? e.atSpeedGap
                                          : EnergyGap::NoCycleGraphed;
    if (e.atSpeed) {
        const CycleEnergy& s = *e.atSpeed;
        r[DesignOutput::ShaftPower] = Finite(s.shaftPower);
        r[DesignOutput::RodWorkLoss] = Finite(s.rodPower);
        if (e.lawsChecked) r.energyGaps.heat = ImpossibleHeat(s);
    }
    if (e.atSpeed && r.energyGaps.heat == EnergyGap::None) {
        const CycleEnergy& s = *e.atSpeed;
        r[DesignOutput::HeatIn] = Finite(s.heatInPower);
        r[DesignOutput::HeatOut] = Finite(s.heatOutPower);
        // An efficiency exists where heat is taken in (EnergyOfCycle leaves 0 otherwise).
        if (s.heatIn > 0 && (s.efficiency != 0 || s.shaftWork == 0)) {
            r[DesignOutput::Efficiency] = Finite(s.efficiency);
            if (s.carnot > 0) r[DesignOutput::CarnotFraction] = Finite(s.carnotFraction);
        }
    }
    if (e.atOmegaBar) {
        r[DesignOutput::IndicatedPowerAtOmegaBar] = Finite(e.atOmegaBar->indicatedPower);
        r[DesignOutput::ShaftPowerAtOmegaBar] = Finite(e.atOmegaBar->shaftPower);
    }
    // Missing inputs are not a run that failed to settle: nothing is said of it. Each run
    // answers for itself: `settled` for the run at engine speed, `settled_omega_bar` for the
    // one at Omega Bar (the one-degree model's runs keep the default outcome, Settled).
    if (e.computed) r[DesignOutput::Settled] = e.outcome == AccurateOutcome::Settled ? 1.0 : 0.0;
    if (e.atOmegaBar)
        r[DesignOutput::SettledOmegaBar] =
            e.omegaBarOutcome == AccurateOutcome::Settled ? 1.0 : 0.0;
    else if (e.omegaBarGap == EnergyGap::NotSettled)
        r[DesignOutput::SettledOmegaBar] = 0.0;
}

void AddLossFigures(DesignResult& r, const ParameterSet& analysed, const Design& design) {
    r.lossesGiven = true;
    const auto rpm = [](std::optional<double> speed) -> std::optional<double> {
        if (!speed) return std::nullopt;
        return *speed * 60 / (2 * 3.14159265358979323846);
    };
    const LossyRun run = RunLossyCycle(analysed, design, analysed.EngineSpeed);
    // A displacer held still by its rod guide makes no engine to search over speed either.
    if (run.settled && !run.displacerMoves) {
        r.energyGaps.losses = EnergyGap::DisplacerDoesNotMove;
        return;
    }
    const UnderLoad load = SearchUnderLoad(analysed, design);
    r[DesignOutput::MaxBrakePower] = load.maxBrakePower;
    r[DesignOutput::SpeedAtMaxBrakePower] = rpm(load.speedAtMaxBrakePower);
    r[DesignOutput::NoLoadSpeed] = rpm(load.noLoadSpeed);
    r[DesignOutput::RunningSpeed] = rpm(load.runningSpeed);
    r[DesignOutput::MinHotTemp] = MinHotTemp(analysed, design);
    if (!run.settled) return;
    const std::pair<DesignOutput, double> figures[] = {
        {DesignOutput::LossyIndicatedPower, run.indicatedPower},
        {DesignOutput::LossyShaftPower, run.shaftPower},
        {DesignOutput::LossyRodWorkLoss, run.rodPower},
        {DesignOutput::LossyHeatIn, run.gasHeatIn},
        {DesignOutput::LossyHeatOut, run.gasHeatOut},
        {DesignOutput::BrakePower, run.brakePower},
        {DesignOutput::BrakeEfficiency, run.brakeEfficiency},
        {DesignOutput::ForcedWork, run.forcedWork},
        {DesignOutput::MechanismLoss, run.mechanismLoss},
        {DesignOutput::AnnulusFrictionLoss, run.annulusFrictionLoss},
        {DesignOutput::RodFrictionLoss, run.rodFrictionLoss},
        {DesignOutput::ImpactLoss, run.impactLoss},
        {DesignOutput::ConductionLoss, run.conductionLoss},
        {DesignOutput::ShuttleLoss, run.shuttleLoss},
        {DesignOutput::ReheatLoss, run.reheatLoss},
        {DesignOutput::HeatInTotal, run.heatInTotal},
        {DesignOutput::HotGasTemp, run.hotGasTemp},
        {DesignOutput::ColdGasTemp, run.coldGasTemp},
        {DesignOutput::BealeNumber, run.bealeNumber},
        {DesignOutput::WestNumber, run.westNumber},
    };
    for (const auto& [output, value] : figures) r[output] = Finite(value);
}

const char* OutcomeText(AccurateOutcome outcome) {
    switch (outcome) {
        case AccurateOutcome::Settled:
            return "settled";
        case AccurateOutcome::CycleLimit:
            return "not settled (cycle limit reached)";
        case AccurateOutcome::StepLimit:
            return "not settled (step limit reached)";
        case AccurateOutcome::MissingInput:
            return "not computed (an input is missing)";
    }
    return "";
}

}  // namespace velmora
