#pragma once

#include <vector>

#include "engine/parameter_set.h"
#include "report/analysis_report.h"
#include "simulation/simulation_host.h"
#include "simulation/simulation_state.h"

namespace velmora {

// The displacer's free travel from the upper stop, starting at the stroke start time, at time
// t (s) and crank speed `speed` (rad/s); not valid when the stroke start cannot be computed.
CheckedValue AnalyticDispPosition(const ParameterSet& params, double t, double speed);

// The first time from `start` on, in steps of 0.1 * start / divisor up to `end`, at which the
// free travel has passed the lower stop by more than 1 / (divisor - 1) of the half stroke;
// 0 when there is none (still valid), not valid when the travel cannot be computed.
CheckedValue FindStopCrossing(const ParameterSet& params, double start, double end, double divisor,
                              double speed);

// The displacer's travel time from stop to stop, found in three ever finer searches; 0 when
// not found.
CheckedValue DisplacerTravelTime(const ParameterSet& params, double speed);

// Phase angle (rad) of the displacer motion at `speed`.
CheckedValue PhaseAtSpeed(const ParameterSet& params, double speed);

// Fills the power/speed curve for 2% to 100% of OmegaBar with power and, when `phaseShown`,
// phase in degrees ("Power/Phase"), else torque, and records what its titles say, in `units`.
void PowerSpeedCurve(const ParameterSet& params, const OutputUnits& units, bool phaseShown,
                     PowerCurve& curve, SimulationHost& host);

// The speeds (rad/s) the sweep of PowerSpeedCurve visits, in order, when no phase angle fails:
// the first PowerSeries.size() of them are the speeds of its points.
std::vector<double> PowerSweepSpeeds(double omegaBar);

}  // namespace velmora
