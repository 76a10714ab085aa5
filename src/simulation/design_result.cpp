#include "simulation/design_result.h"

#include <cmath>

#include "report/analysis_report.h"
#include "simulation/indicated_power.h"

namespace velmora {

namespace {

// The parameter set's convention: 0 is "not given or not computable".
std::optional<double> Given(double value) {
    if (value == 0) return std::nullopt;
    return value;
}

}  // namespace

const DesignOutputColumn* FindOutputColumn(std::string_view name) {
    for (const DesignOutputColumn& column : kDesignOutputColumns)
        if (name == column.name) return &column;
    return nullptr;
}

std::optional<bool> DesignResult::Overdriven() const {
    const std::optional<double>& omegaBar = (*this)[DesignOutput::OmegaBar];
    if (!omegaBar) return std::nullopt;
    return engineSpeed > *omegaBar;
}

DesignResult ResultOfRun(const ParameterSet& p, const SimulationState& sim,
                         const OutputChoices& units) {
    DesignResult r;
    r.engineSpeed = p.EngineSpeed;
    // As the report: Schmidt results exist with their work, PV powers when not 0.
    if (p.SchmidtWork != 0) {
        r[DesignOutput::SchmidtWork] = p.SchmidtWork;
        if (p.OmegaBar != 0) r[DesignOutput::SchmidtPower] = p.SchmidtPower;
    }
    r[DesignOutput::PVPowerAtEngineSpeed] = Given(p.PVPowerAtEngineSpeed);
    r[DesignOutput::PVPowerAtOmegaBar] = Given(p.PVPowerAtOmegaBar);
    if (p.EngineSpeed != 0) {
        if (const std::optional<double> work = IndicatedWork(sim, units)) {
            const double power = RadPerSecToHz(p.EngineSpeed) * *work;
            if (std::isfinite(power)) r[DesignOutput::IndicatedPower] = power;
        }
    }
    r[DesignOutput::OmegaBar] = Given(p.OmegaBar);

    // Beta before the spring is applied, worked out again from the same operands; with a
    // spring that takes part the parameter set holds Beta S.
    const bool springBeta = p.SpringConstant != 0 && p.SpringFactor != 0;
    const double oneMinus = 1 - p.Tau - p.Rho;
    const double beta = springBeta ? p.Lambda * p.Kappa / oneMinus : p.Beta;
    if (oneMinus != 0 && std::isfinite(beta)) r[DesignOutput::Beta] = Given(beta);
    if (springBeta) r[DesignOutput::BetaS] = Given(p.Beta);
    r[DesignOutput::Chi] = Given(p.Chi);
    r[DesignOutput::GammaM] = Given(p.GammaM);
    if (p.AlphaBar != 0) r[DesignOutput::AlphaBar] = RadiansToDegrees(p.AlphaBar);
    if (p.TeeZero != 0 && p.EngineSpeed != 0)
        r[DesignOutput::TeeZero] = 360 * p.TeeZero / (kTwoPi / p.EngineSpeed);

    if (sim.Summary) {
        const CycleSummary& s = *sim.Summary;
        r[DesignOutput::DwellHi] = static_cast<double>(s.DwellHi);
        r[DesignOutput::DwellLo] = static_cast<double>(s.DwellLo);
        if (s.PressureShared) {
            r[DesignOutput::PressureHi] = static_cast<double>(s.PressureAbovePercent);
            r[DesignOutput::PressureLo] = static_cast<double>(s.PressureBelowPercent);
        }
    }

    const DisplacerLoss loss = ComputeDisplacerLoss(p);
    if (loss.computed) {
        r[DesignOutput::DispPowerLoss] = loss.loss;
        if (loss.fractionComputed) r[DesignOutput::DispPowerLossFraction] = loss.fraction;
        r[DesignOutput::MaxDispVelocity] = std::fabs(loss.velocity);
    }
    return r;
}

void AddCurveMaximum(DesignResult& result, const PowerCurve& curve) {
    if (!curve.MaxFound) return;
    result[DesignOutput::CurveMaxPower] = curve.MaxPower;
    result[DesignOutput::CurveMaxPowerSpeed] = curve.MaxSpeed;
    result[DesignOutput::CurveMaxPowerPhase] = RadiansToDegrees(curve.MaxPhase);
}

}  // namespace velmora
