#pragma once

#include <vector>

#include "model/units.h"
#include "simulation/raster_surface.h"
#include "simulation/simulation_state.h"

namespace velmora {

// Side of the square image the diagram is measured on.
inline constexpr int kPVImageSize = 500;

// The pressure/volume diagram of the newest 360 recorded points, measured on the image:
// the work of one cycle (J) and how the enclosed pixels were counted.
struct PVDiagramArea {
    double work = 0;           // J per cycle
    long pixels = 0;           // enclosed pixels, outline included
    bool usedPolygon = false;  // counted by the polygon instead of the flood fill
};

// Measures the diagram in sim.PVSeries against the extents of sim (both in output units),
// drawing it on `image` (kPVImageSize square; its pixels are replaced). Equal volume or
// pressure extents give no work.
PVDiagramArea MeasurePVDiagram(const SimulationState& sim, const OutputUnits& units,
                               RasterSurface& image);
// The same on an image of its own.
PVDiagramArea MeasurePVDiagram(const SimulationState& sim, const OutputUnits& units);

// Power (W) of a measured diagram at `speed` rad/s: speed / 6.28318 times the work.
double PVPowerAt(const PVDiagramArea& diagram, double speed);

// PVPower of one speed: MeasurePVDiagram followed by PVPowerAt.
double PVPower(const SimulationState& sim, const OutputUnits& units, double speed);

}  // namespace velmora
