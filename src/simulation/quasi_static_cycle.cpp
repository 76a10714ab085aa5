#include "simulation/quasi_static_cycle.h"

#include <cmath>
#include <numbers>

#include "model/units.h"
#include "simulation/accurate_cycle.h"

namespace velmora {
namespace {

double Degrees0To360(double radians) {
    double d = radians * 180 / std::numbers::pi;
    d = std::fmod(d, 360.0);
    return d < 0 ? d + 360 : d;
}

}  // namespace

QuasiStaticCycle QuasiStaticLimit(const ParameterSet& p, bool gravity) {
    QuasiStaticCycle q;
    const double gasMass = AccurateGasMass(p);
    if (gasMass <= 0 || p.DispRodArea <= 0 || p.PistonArea <= 0 || p.PistonHalfStroke <= 0 ||
        p.DispHalfStroke <= 0)
        return q;
    const double MR = gasMass * kGasConstant;
    const double pm = p.MeanEnginePressure;
    const double h = p.DispHalfStroke;
    const double Ar = p.DispRodArea;
    const double k = p.SpringConstant;
    const double xc = p.SpringCenter;
    const double weight = gravity ? p.DispMass * kGravity : 0.0;

    // Sum of V / T = D0 + a x + b sin(theta).
    const double D0 = p.DispArea * h / p.HotTemp +
                      ((p.DispArea - Ar) * h + p.PistonArea * p.PistonHalfStroke) / p.ColdTemp +
                      p.DeadSpaceVol / p.DeadSpaceTemp;
    const double a = p.DispArea / p.HotTemp - (p.DispArea - Ar) / p.ColdTemp;
    const double b = p.PistonArea * p.PistonHalfStroke / p.ColdTemp;
    const double cLow = D0 - a * h;
    const double cHigh = D0 + a * h;

    // The force on the rod balances spring and weight at these pressures.
    const double pUp = pm - (k * (h + xc) - weight) / Ar;
    const double pDown = pm + (k * (h - xc) + weight) / Ar;
    if (pUp <= 0 || pDown <= 0) return q;
    const double sUp = (MR / pUp - cLow) / b;
    const double sDown = (MR / pDown - cHigh) / b;
    if (!(std::abs(sUp) < 1 && std::abs(sDown) < 1 && sUp < sDown)) return q;

    // Each jump must carry through: the force keeps its direction all the way across.
    const auto force = [&](double x, double s) {
        return Ar * (MR / (D0 + a * x + b * s) - pm) - k * (x - xc) - weight;
    };
    constexpr int kChecks = 200;
    for (int i = 1; i < kChecks; ++i) {
        const double x = -h + 2 * h * i / kChecks;
        if (force(x, sUp) <= 0 || force(x, sDown) >= 0) return q;
    }

    q.valid = true;
    q.leaveLowPressure = pUp;
    q.leaveHighPressure = pDown;
    // Leaving the low stop while sin(theta) falls through sUp, the high stop while it rises
    // through sDown.
    q.leaveLowDeg = Degrees0To360(std::numbers::pi - std::asin(sUp));
    q.leaveHighDeg = Degrees0To360(std::asin(sDown));

    // Piston: p b T_c ds on each stop integrates to M R T_c ln(c + b s) between its jumps.
    const double pistonLow = std::log((cLow + b * sUp) / (cLow + b * sDown));
    const double pistonHigh = std::log((cHigh + b * sDown) / (cHigh + b * sUp));
    q.integrals.pistonWork = MR * p.ColdTemp * (pistonLow + pistonHigh);
    // Rod: p A_r dx across the stroke at fixed crank angle, up at sUp and down at sDown.
    const auto jump = [&](double s) {
        if (std::abs(a * h) < 1e-12 * D0) return 2 * h * Ar * MR / (D0 + b * s);
        return Ar * MR / a * std::log((cHigh + b * s) / (cLow + b * s));
    };
    q.integrals.rodWork = jump(sUp) - jump(sDown);
    // The hot space changes only in the jumps, by A_d dx where the rod takes A_r dx.
    q.integrals.hotHeat = p.DispArea / Ar * q.integrals.rodWork;
    q.integrals.coldHeat = q.integrals.pistonWork + q.integrals.rodWork - q.integrals.hotHeat;
    q.integrals.deadHeat = 0;
    return q;
}

}  // namespace velmora
