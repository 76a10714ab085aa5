#pragma once

#include <vector>

#include "report/unit_text.h"
#include "simulation/pv_outline.h"
#include "simulation/raster_surface.h"
#include "simulation/simulation_state.h"

namespace velmora {

// The PV power is measured on a raster, and it stays here with its raster (pv_outline.h, and
// raster_surface.h for the plain form) rather than with the pictures above the simulation: it
// is a physics figure of the run, which the cycle simulation records for sweeps, the optimizer
// and the energy figures, and a layer may not reach up for it. Its input stays the recorded
// diagram in output units, converted back to SI before it is drawn, because the pixels it
// counts depend on those exact doubles.

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
PVDiagramArea MeasurePVDiagram(const SimulationState& sim, const OutputChoices& units,
                               PVOutline& image);
// The same on an image of its own.
PVDiagramArea MeasurePVDiagram(const SimulationState& sim, const OutputChoices& units);

// The same measurement drawn and flood-filled pixel by pixel on a byte image: slower, kept as
// the plain form of the method that the tests hold the fast one against.
PVDiagramArea MeasurePVDiagramOnImage(const SimulationState& sim, const OutputChoices& units,
                                      RasterSurface& image);

// Power (W) of a measured diagram at `speed` rad/s: speed / 6.28318 times the work.
double PVPowerAt(const PVDiagramArea& diagram, double speed);

// PVPower of one speed: MeasurePVDiagram followed by PVPowerAt.
double PVPower(const SimulationState& sim, const OutputChoices& units, double speed);

}  // namespace velmora
