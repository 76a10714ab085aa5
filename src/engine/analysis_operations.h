#pragma once

#include "engine/parameter_set.h"

namespace velmora {

// Operations of the Ringbom analysis that the simulation, the power curve and the design page
// share. They use the program's coarse constants (pi = 3.14159).

struct CheckedValue {
    double value = 0;
    bool valid = false;
};

// The arcsine of x, valid when x * x < 1; otherwise 0 and not valid.
CheckedValue CheckedArcSin(double x);

// F(x) = ((exp(pi x) + 1) / x) / (exp(pi x) - 1): decreasing from infinity near 0 towards 0.
double OverdriveFunction(double x);

// The first point of the 0.001 grid, reached from below, where F falls under chi; 0 for chi 0
// (and for a negative or non-finite chi, which has no solution).
double FindGammaM(double chi);

// The multiplicative iteration for the Omega Bar S divisor; 0 for chi 0 (and for a negative or
// non-finite chi).
double OmegaBarSDivisor(double chi);

// Time from the start of the crank cycle to the start of the displacer stroke at `speed`,
// valid when (1 - Tau - Rho) / (Lambda Kappa) lies strictly inside (-1, 1). Uses the ratios
// without the spring.
CheckedValue TeeZeroTime(const ParameterSet& params, double speed);

// Schmidt work per cycle (J) at phase angle `alpha` (rad), from the full strokes; 0 when the
// displacer sweeps no volume or the result is not finite.
double SchmidtWorkAt(const ParameterSet& params, double alpha);

// Power (W) of `work` J per revolution at `speed` rad/s.
double PowerFromWork(double speed, double work);

// One-sided tolerance: true when reference - value < reference / divisor. A value above the
// reference always passes.
bool ShortfallWithin(double divisor, double value, double reference);

}  // namespace velmora
