#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "simulation/raster_surface.h"

namespace velmora {

// One point of a line series, in the units the chart shows.
struct PlotPoint {
    double x = 0;
    double y = 0;
};

using PointSeries = std::vector<PlotPoint>;

// One point of the pressure/volume diagram with its colour: a 24-bit value, red in the low
// byte, then green, then blue.
struct ColoredPoint {
    double x = 0;
    double y = 0;
    std::uint32_t color = 0;
};

// A value axis: automatic, or fixed to [min, max].
struct AxisRange {
    bool automatic = true;
    double min = 0;
    double max = 0;
};

// Titles and ranges of one chart, as the window copies them into its chart component.
struct ChartSetup {
    std::string Title;
    std::string LeftAxisTitle;
    std::string RightAxisTitle;
    std::string BottomAxisTitle;
    AxisRange LeftAxis;
    AxisRange RightAxis;
};

// The power/speed curve of Chart3: power (W) and phase (degrees) or torque (N m) over RPM.
struct PowerCurve {
    PointSeries PowerSeries;
    PointSeries PhaseOrTorqueSeries;
    std::string Title = "Power/Phase vs RPM";
    std::string RightAxisTitle = "Phase Angle (deg)";
};

// Everything of the simulation that lives with the window between runs: step count, leak
// average, sample lists, chart contents, PV extents and the cycle summary. Plain data; the
// window copies it into its widgets after a compute run.
struct SimulationState {
    // One-degree steps since the schedule last restarted the count; after a run that graphed
    // a cycle it is the number of graphed steps.
    std::int32_t SimStepCount = 0;
    double AverageEnginePressure = 0;  // Pa

    // One entry per graphed step, each the 15-significant-digit text of a double. SampleX is
    // in seconds or degrees (the x value of the curves); the other four are SI.
    std::vector<std::string> SampleX;
    std::vector<std::string> SampleDispPos;
    std::vector<std::string> SamplePistonPos;
    std::vector<std::string> SamplePressure;
    std::vector<std::string> SampleTotalVolume;

    // Main graph (MainChart) and its copy on the design page (MainChartA).
    PointSeries Series1;   // red curve, left axis
    PointSeries Series2;   // blue curve, right axis
    PointSeries Series3;   // animation cursor line, left axis
    PointSeries Series1a;  // copy of Series1
    PointSeries Series2a;  // copy of Series2
    PointSeries Series3a;  // copy of the cursor line
    ChartSetup MainChart;
    ChartSetup MainChartA;

    // Pressure/volume diagram, in output units.
    std::vector<ColoredPoint> PVSeries;
    PointSeries PVPhaseSeries;  // the animation's current point
    ChartSetup PVChart;
    double PVMinVolume = 0;
    double PVMaxVolume = 0;
    double PVMinPressure = 0;
    double PVMaxPressure = 0;
    std::int32_t PVPointCount = 0;

    // Cycle summary of the last graphed cycle; empty until the first one.
    std::string DwellDegreesLine;
    std::string DwellPercentLine;
    std::string IntegratedPressureLine;
    std::string DwellLabel;  // caption of lDwell and lDwellA

    std::string DeltaTeeCaption;  // caption of lDeltaTee, three lines joined by CR LF

    PowerCurve Chart3;

    // Text buffers of the previous run's samples, reused by the next run so that refilling
    // the lists allocates nothing. Holds no sample; the window has no use for it.
    std::vector<std::string> RecycledSampleTexts;

    // The hidden image the PV diagram is measured on, kept so that each run reuses it.
    RasterSurface PVImage{0, 0};
};

}  // namespace velmora
