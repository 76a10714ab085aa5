#include "simulation/design_energy.h"

#include <cmath>

#include "simulation/cycle_simulation.h"
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

// Why there is no run at Omega Bar: a missing input leaves Omega Bar unknown too.
EnergyGap WithoutOmegaBar(EnergyGap atSpeed) {
    return atSpeed == EnergyGap::MissingInput ? atSpeed : EnergyGap::NoOmegaBar;
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
        e.omegaBarGap = WithoutOmegaBar(e.atSpeedGap);
    }
    return e;
}

DesignEnergy SpecifiedEnergy(const ParameterSet& analysed, const Design& design,
                             const SimulationState& sim, SimulationState& scratch,
                             bool atOmegaBar) {
    DesignEnergy e;
    CycleIntegrals cycle;
    e.atSpeedGap = SpecifiedGap(analysed, design, analysed.EngineSpeed, sim);
    if (e.atSpeedGap == EnergyGap::None &&
        IntegrateLastRevolution(sim.LastRevolution, analysed, cycle))
        e.atSpeed = EnergyOfCycle(cycle, analysed, analysed.EngineSpeed);
    e.settled = e.atSpeed.has_value();
    e.computed = e.atSpeed.has_value();
    if (!atOmegaBar) return e;
    if (analysed.OmegaBar <= 0) {
        e.omegaBarGap = WithoutOmegaBar(e.atSpeedGap);
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
    // Missing inputs are not a run that failed to settle: nothing is said of it.
    if (e.computed) r[DesignOutput::Settled] = e.settled ? 1.0 : 0.0;
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
