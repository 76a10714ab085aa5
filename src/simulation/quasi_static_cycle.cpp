#include "simulation/quasi_static_cycle.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "report/unit_text.h"
#include "simulation/accurate_cycle.h"
#include "simulation/engine.h"

namespace velmora {
namespace {

double Degrees0To360(double radians) {
    double d = radians * 180 / std::numbers::pi;
    d = std::fmod(d, 360.0);
    return d < 0 ? d + 360 : d;
}

// The snapping engine: p = M R / D with D = D0 + a x + b sin(theta), and the force on the rod.
// The snapping engine: p = M R / D with D linearized, D = D0 + a x + b sin(theta)
// (doc/physics.md section 1), and the force on the rod.
struct SnapEngine : Engine {
    double D0 = 0, a = 0, b = 0, pistonSwing = 0;  // pistonSwing: A_p h_p, dV / d sin(theta)
    double LinearD(double x, double s) const { return D0 + a * x + b * s; }
    double ForceAt(double x, double s) const {
        return rodArea * (gasMassR / LinearD(x, s) - bufferPressure) -
               springConstant * (x - springCenter) - weight;
    }
};

// -2 (ln(1 + u) - u) / u^2, which is 1 at u = 0, without the cancellation of the formula.
double LogRatio(double u) {
    if (std::abs(u) < 1e-3) return 1 - u * (2.0 / 3 - u * (0.5 - u * (0.4 - u / 3)));
    return -2 * (std::log1p(u) - u) / (u * u);
}

// One crossing of a slowly turned crank (doc/physics.md, section 3): from the stop at
// -sigma h, leaving at crank angle theta0 where the force vanishes.
struct Crossing {
    bool valid = false;
    double time = 0;        // s from leaving to arriving
    double pistonWork = 0;  // J: what the turning of the crank during the crossing adds
    double rodWork = 0;
};

Crossing Cross(const SnapEngine& e, double sigma, double theta0, double speed) {
    Crossing c;
    const double xs = -sigma * e.dispHalfStroke;
    const double s0 = std::sin(theta0), c0 = std::cos(theta0);
    const double Ds = e.LinearD(xs, s0);
    const double gasStiffness = -e.rodArea * e.gasMassR * e.a / (Ds * Ds);
    const double kappa = gasStiffness - e.springConstant;  // dF/dx on leaving: the force grows away
    const double rate =
        -sigma * e.rodArea * e.gasMassR * e.b * c0 * speed / (Ds * Ds);  // its growth in time
    if (!(kappa > 0) || !(rate > 0) || !(e.dispMass > 0)) return c;
    const double lambda = std::sqrt(kappa / e.dispMass);

    // On a grid in w, xi = 2 h w^2 (xi: distance from the stop left), which spreads the points
    // where the time grows like ln(xi). t(xi) = ln(2 kappa lambda xi / rate) / lambda + I(xi),
    // I the integral of 1/v - 1/(lambda xi), v from the energy at the leaving angle.
    constexpr int kPoints = 20000;
    const double stroke = 2 * e.dispHalfStroke;
    double integral = 0, previous = 0, piston = 0, rod = 0, lastPiston = 0, lastRod = 0;
    double t = 0;
    for (int i = 1; i <= kPoints; ++i) {
        const double w = static_cast<double>(i) / kPoints;
        const double xi = stroke * w * w;
        const double dx = sigma * xi;
        // Kinetic energy over kappa xi^2 / 2.
        const double r = (gasStiffness * LogRatio(e.a * dx / Ds) - e.springConstant) / kappa;
        if (!(r > 0)) return c;
        const double f = 2 / (lambda * w) * (1 / std::sqrt(r) - 1);  // dI/dw
        integral += (f + previous) / 2 / kPoints;
        previous = f;
        t = std::log(2 * kappa * lambda * xi / rate) / lambda + integral;
        // The crossing is shifted in sin(theta) by c0 speed t: to first order that adds the
        // curl of p dV over the strip between the two paths.
        const double D = e.LinearD(xs + dx, s0);
        const double shift = c0 * speed * t * 2 * stroke * w;  // d(sin theta) d(xi)/dw
        const double pistonTerm = sigma * e.gasMassR * e.pistonSwing * e.a / (D * D) * shift;
        const double rodTerm = -sigma * e.gasMassR * e.rodArea * e.b / (D * D) * shift;
        piston += (pistonTerm + lastPiston) / 2 / kPoints;
        rod += (rodTerm + lastRod) / 2 / kPoints;
        lastPiston = pistonTerm;
        lastRod = rodTerm;
    }
    c.valid = true;
    c.time = t;
    c.pistonWork = piston;
    c.rodWork = rod;
    return c;
}

bool MakeSnapEngine(const ParameterSet& p, bool gravity, SnapEngine& e) {
    const double gasMass = AccurateGasMass(p);
    if (gasMass <= 0 || p.DispRodArea <= 0 || p.PistonArea <= 0 || p.PistonHalfStroke <= 0 ||
        p.DispHalfStroke <= 0)
        return false;
    static_cast<Engine&>(e) = EngineOf(p, gravity, 0, gasMass * kGasConstant);
    e.D0 = e.D(0, 0);
    e.a = e.dispArea / e.hotTemp - (e.dispArea - e.rodArea) / e.coldTemp;
    e.pistonSwing = e.pistonArea * e.pistonHalfStroke;
    e.b = e.pistonSwing / e.coldTemp;
    return true;
}

QuasiStaticCycle Limit(const ParameterSet& p, const SnapEngine& e, double& sUp, double& sDown) {
    QuasiStaticCycle q;
    const double h = e.dispHalfStroke, a = e.a, b = e.b, MR = e.gasMassR;
    const double cLow = e.D0 - a * h;
    const double cHigh = e.D0 + a * h;

    // The force on the rod balances spring and weight at these pressures.
    const double pUp =
        e.bufferPressure - (e.springConstant * (h + e.springCenter) - e.weight) / e.rodArea;
    const double pDown =
        e.bufferPressure + (e.springConstant * (h - e.springCenter) + e.weight) / e.rodArea;
    if (pUp <= 0 || pDown <= 0) return q;
    sUp = (MR / pUp - cLow) / b;
    sDown = (MR / pDown - cHigh) / b;
    if (!(std::abs(sUp) < 1 && std::abs(sDown) < 1 && sUp < sDown)) return q;

    // Each jump must carry through: the force keeps its direction all the way across.
    constexpr int kChecks = 200;
    for (int i = 1; i < kChecks; ++i) {
        const double x = -h + 2 * h * i / kChecks;
        if (e.ForceAt(x, sUp) <= 0 || e.ForceAt(x, sDown) >= 0) return q;
    }

    q.valid = true;
    q.leaveLowPressure = pUp;
    q.leaveHighPressure = pDown;
    // Leaving the low stop while sin(theta) falls through sUp, the high stop while it rises
    // through sDown.
    q.leaveLowDeg = Degrees0To360(std::numbers::pi - std::asin(sUp));
    q.leaveHighDeg = Degrees0To360(std::asin(sDown));
    q.arriveHighDeg = q.leaveLowDeg;
    q.arriveLowDeg = q.leaveHighDeg;

    // Piston: p b T_c ds on each stop integrates to M R T_c ln(c + b s) between its jumps.
    const double pistonLow = std::log((cLow + b * sUp) / (cLow + b * sDown));
    const double pistonHigh = std::log((cHigh + b * sDown) / (cHigh + b * sUp));
    q.integrals.pistonWork = MR * e.pistonSwing / b * (pistonLow + pistonHigh);
    // Rod: p A_r dx across the stroke at fixed crank angle, up at sUp and down at sDown.
    const auto jump = [&](double s) {
        if (std::abs(a * h) < 1e-12 * e.D0) return 2 * h * e.rodArea * MR / (e.D0 + b * s);
        return e.rodArea * MR / a * std::log((cHigh + b * s) / (cLow + b * s));
    };
    q.integrals.rodWork = jump(sUp) - jump(sDown);
    // The hot space changes only in the jumps, by A_d dx where the rod takes A_r dx.
    q.integrals.hotHeat = p.DispArea / e.rodArea * q.integrals.rodWork;
    q.integrals.coldHeat = q.integrals.pistonWork + q.integrals.rodWork - q.integrals.hotHeat;
    q.integrals.deadHeat = 0;
    return q;
}

}  // namespace

QuasiStaticCycle QuasiStaticLimit(const ParameterSet& p, bool gravity) {
    SnapEngine e;
    double sUp = 0, sDown = 0;
    return MakeSnapEngine(p, gravity, e) ? Limit(p, e, sUp, sDown) : QuasiStaticCycle{};
}

QuasiStaticCycle SlowCrankCycle(const ParameterSet& p, bool gravity, double speed) {
    SnapEngine e;
    double sUp = 0, sDown = 0;
    if (!MakeSnapEngine(p, gravity, e) || !(speed > 0)) return {};
    QuasiStaticCycle q = Limit(p, e, sUp, sDown);
    if (!q.valid) return q;
    const Crossing up = Cross(e, 1, std::numbers::pi - std::asin(sUp), speed);
    const Crossing down = Cross(e, -1, std::asin(sDown), speed);
    if (!up.valid || !down.valid) return {};
    q.arriveHighDeg = Degrees0To360((q.leaveLowDeg * std::numbers::pi / 180) + speed * up.time);
    q.arriveLowDeg = Degrees0To360((q.leaveHighDeg * std::numbers::pi / 180) + speed * down.time);
    q.integrals.pistonWork += up.pistonWork + down.pistonWork;
    q.integrals.rodWork += up.rodWork + down.rodWork;
    q.integrals.hotHeat = p.DispArea / e.rodArea * q.integrals.rodWork;
    q.integrals.coldHeat = q.integrals.pistonWork + q.integrals.rodWork - q.integrals.hotHeat;
    return q;
}

}  // namespace velmora
