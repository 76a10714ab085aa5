#pragma once

#include <optional>
#include <vector>

#include "report/unit_text.h"
#include "simulation/simulation_state.h"

namespace velmora {

// One corner of a pressure/volume loop in SI units.
struct LoopPoint {
    double volume = 0;    // m^3
    double pressure = 0;  // Pa
};

// The cycle integral of p dV (J) around the closed polygon through the points, the last
// joined back to the first: positive for a loop run clockwise in the volume/pressure plane
// (an engine), negative for one run anticlockwise; the lobes of a self-crossing loop count
// with their own signs. Exact for the polygon up to rounding.
double LoopWork(const std::vector<LoopPoint>& loop);

// LoopWork of the newest 360 points of sim.PVSeries (those the diagram measures), converted
// back to SI from `units` as the diagram does; empty with fewer than three points.
std::optional<double> IndicatedWork(const SimulationState& sim, const OutputChoices& units);

}  // namespace velmora
