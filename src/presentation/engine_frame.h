#pragma once

#include <string>

#include "engine/parameter_set.h"
#include "presentation/engine_drawing.h"
#include "presentation/shown_run.h"
#include "report/unit_text.h"
#include "simulation/simulation_state.h"

namespace velmora {

// What the window knows at the moment it draws a frame.
struct EngineFrameRequest {
    int position = 0;        // sample position, clamped to the samples
    bool animating = false;  // AnimateButton shows "Stop Animate"
    int xAxisChoice = 0;     // XAxisRG: 0 "Seconds", 1 "Degrees"
    // MainChartA's left-axis range as shown; the cursor line spans it on both charts.
    double cursorMin = 0;
    double cursorMax = 0;
    int width = kEngineImageWidth;
    int height = kEngineImageHeight;
};

struct EngineFrame {
    bool drawn = false;  // false when there is no sample to show
    int position = 0;    // the clamped position
    double xv = 0;       // SampleX value
    double xb = 0;       // displacer lower face above its lowest position (m)
    double xpb = 0;      // piston above its lowest position (m)
    EnginePicture picture;
};

// A sample text back to its value; 0 for a text that is not a number.
double SampleValue(const std::string& text);

// Everything DrawEngine does for one sample except asking for a computation when there are no
// samples: replaces Series3, Series3a and PVPhaseSeries, marks the sample that the bottom-axis
// titles of MainChart and MainChartA name (chart_titles.h), and returns the engine picture.
// Without samples nothing changes.
EngineFrame DrawEngineFrame(ShownRun& sim, const ParameterSet& params, const OutputUnits& units,
                            const EngineFrameRequest& request);

// The bottom-axis title for a sample: the part of `current` before " -- ", followed by the
// phase while the engine stands still.
std::string PhaseAxisTitle(const std::string& current, bool animating, int xAxisChoice, double xv,
                           const NumberSettings& numbers);

}  // namespace velmora
