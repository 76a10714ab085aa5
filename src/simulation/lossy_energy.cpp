#include "simulation/lossy_energy.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmora {

namespace {

constexpr double kFixedPointTolerance = 1e-9;
constexpr int kMaxFixedPointRounds = 60;
// While the gas temperatures are further than this (relative) from repeating, the accurate runs
// integrate with kCoarseTolerance.
constexpr double kCoarseRounds = 1e-5;
constexpr double kCoarseTolerance = 1e-6;

// Relative change of the gas temperatures between two rounds of the fixed point.
double Change(double before, double after) {
    return std::abs(after - before) / after;
}

// The residual r = G(T) - T of the fixed point solved for its root by Broyden's method: each
// step T -= J^-1 r with J, the residual's Jacobian, corrected by every step's change (the good
// Broyden update). J starts as -I / relaxation, which makes the first step the plain (or
// relaxed) iteration T = G(T); when a step makes the residual grow, J starts again from there
// with half the relaxation.
struct Broyden {
    std::array<double, 4> j{-1, 0, 0, -1};
    double relaxation = 1;
    double lastNorm = INFINITY;
    bool hasLast = false;
    double lastHot = 0, lastCold = 0, lastRh = 0, lastRc = 0;

    void Restart() {
        j = {-1 / relaxation, 0, 0, -1 / relaxation};
        hasLast = false;
    }
    // The next temperatures from the residual (rh, rc) at (hot, cold). `sameMap`: the last
    // residual came from runs of the same tolerance; across a change of tolerance the change of
    // the residual holds the runs' difference too, and teaches nothing of J.
    void Step(double& hot, double& cold, double rh, double rc, bool sameMap) {
        const double norm = std::hypot(rh / hot, rc / cold);
        if (!sameMap) {
            // J stays as the coarse rounds left it.
        } else if (norm > lastNorm) {
            relaxation *= 0.5;
            Restart();
        } else if (hasLast) {
            const double dh = hot - lastHot, dc = cold - lastCold;
            const double dd = dh * dh + dc * dc;
            if (dd > 0) {
                const double eh = (rh - lastRh) - (j[0] * dh + j[1] * dc);
                const double ec = (rc - lastRc) - (j[2] * dh + j[3] * dc);
                j = {j[0] + eh * dh / dd, j[1] + eh * dc / dd, j[2] + ec * dh / dd,
                     j[3] + ec * dc / dd};
            }
        }
        lastNorm = norm;
        hasLast = true;
        lastHot = hot, lastCold = cold, lastRh = rh, lastRc = rc;
        const double det = j[0] * j[3] - j[1] * j[2];
        double stepHot = rh, stepCold = rc;  // the plain iteration when J is unusable
        if (std::isfinite(det) && det != 0) {
            stepHot = -(j[3] * rh - j[1] * rc) / det;
            stepCold = -(-j[2] * rh + j[0] * rc) / det;
        }
        // A step that would leave no engine (cold at or above hot) is cut back.
        for (int i = 0; i < 30 && !(hot + stepHot > cold + stepCold && cold + stepCold > 0); ++i)
            stepHot *= 0.5, stepCold *= 0.5;
        hot += stepHot;
        cold += stepCold;
    }
};

}  // namespace

double AnnulusDamping(const LossInputs& l, double dispDiameter, double meanGasTemp) {
    if (l.annulusGap <= 0 || dispDiameter <= 0) return 0;
    const double area = std::numbers::pi / 4 * dispDiameter * dispDiameter;
    const double mu = Viscosity(PropertiesOf(l.gas), meanGasTemp);
    return 12 * mu * l.displacerLength * area * area /
           (std::numbers::pi * dispDiameter * std::pow(l.annulusGap, 3));
}

double ShuttleHeat(const LossInputs& l, double dispDiameter, double fullStroke, double hotWall,
                   double coldWall, double meanGasTemp) {
    if (l.annulusGap <= 0 || l.displacerLength <= 0) return 0;
    const double k = Conductivity(PropertiesOf(l.gas), meanGasTemp);
    return std::numbers::pi / 8 * k * fullStroke * fullStroke * dispDiameter *
           (hotWall - coldWall) / (l.annulusGap * l.displacerLength);
}

LossyRun RunLossyCycle(const ParameterSet& analysed, const Design& design, double speed,
                       GasTemperatureStart* start) {
    const LossInputs& l = design.losses;
    const GasProperties& gas = PropertiesOf(l.gas);
    const double hotWall = analysed.HotTemp, coldWall = analysed.ColdTemp;
    LossyRun r;
    r.speed = speed;
    r.hotGasTemp = hotWall;
    r.coldGasTemp = coldWall;

    AccurateCycleOptions options;
    options.gravity = design.displacerWeight;
    options.pressureEqualization = design.pressureEqualization;
    options.atOmegaBar = false;
    options.recordSamples = true;
    options.restitution = l.restitution;
    options.dryFriction = l.rodFriction;

    AccurateSpeedRun run;
    ParameterSet p = analysed;
    double annulus = 0;
    // The gas temperatures depend on the heats of the cycle they drive: solved from the wall
    // temperatures (or a nearby speed's solution) until they repeat. Without conductances one
    // round is exact.
    const bool finite = l.heaterConductance > 0 || l.coolerConductance > 0;
    r.fixedPoint = !finite;
    Broyden solver;
    const bool warm =
        finite && start != nullptr && start->known && start->hot > start->cold && start->cold > 0;
    if (warm) {
        r.hotGasTemp = l.heaterConductance > 0 ? start->hot : hotWall;
        r.coldGasTemp = l.coolerConductance > 0 ? start->cold : coldWall;
        solver.j = start->jacobian;
    }
    for (int round = 0; round < (finite ? kMaxFixedPointRounds : 1); ++round) {
        p.HotTemp = r.hotGasTemp;
        p.ColdTemp = r.coldGasTemp;
        annulus = AnnulusDamping(l, p.DispDiameter, 0.5 * (r.hotGasTemp + r.coldGasTemp));
        options.damping = annulus + l.rodDamping;
        // Far from the fixed point a coarser integration steers as well; the rounds that
        // decide it, and the figures, take the full tolerance.
        const bool far = round == 0 || solver.lastNorm > kCoarseRounds;
        const double lastTolerance = options.relTol;
        options.relTol = finite && far ? kCoarseTolerance : AccurateCycleOptions{}.relTol;
        // A coarse round never gives the figures, so it needs no one-degree samples.
        options.recordSamples = !(finite && far);
        run = RunAccurateCycleAt(p, options, speed);
        if (!run.settled || !finite) break;
        const double hot = l.heaterConductance > 0
                               ? hotWall - run.energy.heatInPower / l.heaterConductance
                               : hotWall;
        const double cold = l.coolerConductance > 0
                                ? coldWall + run.energy.heatOutPower / l.coolerConductance
                                : coldWall;
        if (!(hot > cold) || !(cold > 0)) break;  // no engine between such temperatures
        if (options.relTol == AccurateCycleOptions{}.relTol &&
            Change(r.hotGasTemp, hot) <= kFixedPointTolerance &&
            Change(r.coldGasTemp, cold) <= kFixedPointTolerance) {
            r.fixedPoint = true;
            break;
        }
        solver.Step(r.hotGasTemp, r.coldGasTemp, hot - r.hotGasTemp, cold - r.coldGasTemp,
                    round == 0 || options.relTol == lastTolerance);
    }
    if (start != nullptr && finite && r.fixedPoint)
        *start = {true, r.hotGasTemp, r.coldGasTemp, solver.j};
    r.outcome = run.outcome;
    r.settled = run.settled && r.fixedPoint;
    if (!run.settled) return r;

    const double f = speed / (2 * std::numbers::pi);
    const CycleEnergy& energy = run.energy;
    // The forced work: the share of the piston's cycle in which the crank drives the gas
    // against the buffer pressure, on the one-degree samples (trapezoids, closed over the turn).
    const std::vector<AccurateSample>& s = run.samples;
    double forced = 0, massLow = 0, massHigh = 0;
    for (std::size_t k = 0; k < s.size(); ++k) {
        const AccurateSample& a = s[k];
        const AccurateSample& b = s[(k + 1) % s.size()];
        const double dVp = p.PistonArea * (b.pistonPos - a.pistonPos);
        forced += std::max(0.0, -(0.5 * (a.pressure + b.pressure) - run.bufferPressure) * dVp);
        const double hotMass = a.pressure * a.hotVolume / (gas.gasConstant * r.hotGasTemp);
        massLow = k == 0 ? hotMass : std::min(massLow, hotMass);
        massHigh = k == 0 ? hotMass : std::max(massHigh, hotMass);
    }
    const double e = l.mechanismEffectiveness;
    // A displacer held still leaves the piston a closed reversible cycle of no work (the run's
    // figure is rounding); the mechanism still takes its share of the forced work.
    const double shaftWork = run.displacerMoves ? energy.shaftWork : 0.0;
    const double brakeWork = e * shaftWork - (1 / e - e) * forced;

    const double share = options.damping > 0 ? annulus / options.damping : 0;
    r.displacerMoves = run.displacerMoves;
    r.indicatedPower = energy.indicatedPower;
    r.shaftPower = energy.shaftPower;
    r.rodPower = energy.rodPower;
    r.forcedWork = forced;
    r.brakePower = brakeWork * f;
    r.brakeTorque = brakeWork / (2 * std::numbers::pi);
    r.mechanismLoss = (shaftWork - brakeWork) * f;
    // The viscous forces share their work by their coefficients; the dry friction's work is
    // its force times the distance travelled (dry_friction in the run).
    const double viscous = run.dissipation - run.dryFrictionLoss;
    r.annulusFrictionLoss = share * viscous * f;
    r.dryFrictionLoss = run.dryFrictionLoss * f;
    r.rodFrictionLoss = (1 - share) * viscous * f + r.dryFrictionLoss;
    r.impactLoss = run.impactLoss * f;
    r.rodWork = energy.rodWork;
    r.conductionLoss = l.staticConductance * (hotWall - coldWall);
    r.shuttleLoss = ShuttleHeat(l, p.DispDiameter, 2 * p.DispHalfStroke, hotWall, coldWall,
                                0.5 * (r.hotGasTemp + r.coldGasTemp));
    r.reheatLoss = (1 - l.regeneratorEffectiveness) * gas.cp * (massHigh - massLow) *
                   (r.hotGasTemp - r.coldGasTemp) * f;
    r.gasHeatIn = energy.heatInPower;
    r.gasHeatOut = energy.heatOutPower;
    r.heatInTotal = r.gasHeatIn + r.conductionLoss + r.shuttleLoss + r.reheatLoss;
    r.brakeEfficiency = r.heatInTotal > 0 ? r.brakePower / r.heatInTotal : 0;
    const double swept = 2 * p.PistonArea * p.PistonHalfStroke;
    r.bealeNumber = r.brakePower / (p.MeanEnginePressure * swept * f);
    if (hotWall > coldWall)
        r.westNumber = r.bealeNumber * (hotWall + coldWall) / (hotWall - coldWall);
    return r;
}

}  // namespace velmora
