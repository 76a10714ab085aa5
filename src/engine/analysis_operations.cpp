#include "engine/analysis_operations.h"

#include <cmath>

#include "engine/units.h"

namespace velmora {

// physics.md §9, Phase, dwell time and Schmidt work.
CheckedValue CheckedArcSin(double x) {
    if (!(x * x < 1)) return {0, false};
    return {std::atan(x / std::sqrt(1 - x * x)), true};
}

// F(x) = coth(pi x / 2) / x: physics.md §9, Omega Bar.
double OverdriveFunction(double x) {
    const double e = std::exp(kPi * x);
    // (e + 1) / (e - 1) is 1 to double precision long before exp overflows; without this the
    // quotient inf / inf would end every search with a NaN near x = 226.
    if (std::isinf(e)) return 1 / x;
    return ((e + 1) * (1 / x)) / (e - 1);
}

namespace {

// Beyond this x, F(x) equals 1 / x to double precision, so the coarse search may jump to just
// below 1 / chi instead of stepping there (chi below 0.001, i.e. Beta barely above 1, would
// otherwise take millions of steps).
constexpr double kCoarseSearchJump = 1000;

// Every stage ends after this many steps even if x stops advancing (x + step == x).
constexpr int kMaxStageSteps = 20000;

double StepWhileAtLeast(double x, double step, double chi) {
    for (int i = 0; i < kMaxStageSteps && OverdriveFunction(x) >= chi; ++i) {
        x = x + step;
    }
    return x;
}

}  // namespace

// physics.md §9, Omega Bar.
double FindGammaM(double chi) {
    // 0 by definition for chi 0. A negative or non-finite chi has no solution (F is positive
    // everywhere): 0 as well, rather than a search that never ends.
    if (!(chi > 0) || !std::isfinite(chi)) return 0;
    double x = 0.1;
    for (int i = 0; i < kMaxStageSteps && OverdriveFunction(x) >= chi; ++i) {
        x = x + 0.1;
        if (x > kCoarseSearchJump) {
            const double steps = std::floor((1 / chi - x) / 0.1) - 2;
            if (steps > 0) x = x + steps * 0.1;
            x = StepWhileAtLeast(x, 0.1, chi);
            break;
        }
    }
    x = x - 0.1 + 0.01;
    x = StepWhileAtLeast(x, 0.01, chi);
    x = x - 0.01 + 0.001;
    x = StepWhileAtLeast(x, 0.001, chi);
    return x;
}

// physics.md §9, Omega Bar.
double OmegaBarSDivisor(double chi) {
    // Negative or non-finite chi: no divisor (the iteration would never meet its end test).
    if (!(chi > 0) || !std::isfinite(chi)) return 0;
    double x = 1 / chi;
    // The iteration ends within three rounds for every positive chi; the cap only guards
    // against values that stop being finite.
    for (int i = 0; i < 100; ++i) {
        const double c = OverdriveFunction(x);
        const double e = 1 - c / chi;
        if (c < chi) {
            x = x + x * e;
        } else {
            x = x - x * e;
        }
        if (!std::isfinite(x)) return 0;
        if (ShortfallWithin(100, chi, c)) return x;
    }
    return 0;
}

// physics.md §9, Phase, dwell time and Schmidt work.
CheckedValue TeeZeroTime(const ParameterSet& params, double speed) {
    const CheckedValue a =
        CheckedArcSin((1 - params.Tau - params.Rho) / (params.Lambda * params.Kappa));
    if (!a.valid) return {0, false};
    const double t = a.value * (1 / speed);
    if (!std::isfinite(t)) return {0, false};
    return {t, true};
}

// physics.md §9, Phase, dwell time and Schmidt work.
double SchmidtWorkAt(const ParameterSet& params, double alpha) {
    const double vd = params.DispArea * params.DispStroke;
    // Callers guard the displacer's area and stroke; without them there is no work to find.
    if (vd == 0) return 0;
    const double vp = params.PistonArea * params.PistonStroke;
    const double w = vp / vd;
    const double s = params.DeadSpaceVol / vd;
    const double tau = params.Tau;
    const double x = std::sqrt(w * w + (1 - tau) * (1 - tau) - 2 * (1 - tau) * w * std::cos(alpha));
    const double sum = (1 + tau + w) + 4 * s * tau / (1 + tau);
    const double work = (w * std::sin(alpha) / (sum + std::sqrt(sum * sum - x * x))) *
                        ((1 - tau) * kPi * params.MeanEnginePressure * vd);
    // A work that overflows (or is undefined for absurd ratios) counts as not computable.
    return std::isfinite(work) ? work : 0;
}

double PowerFromWork(double speed, double work) {
    return speed / kTwoPi * work;
}

// physics.md §9, Reference checks.
bool ShortfallWithin(double divisor, double value, double reference) {
    return reference - value < reference / divisor;
}

}  // namespace velmora
