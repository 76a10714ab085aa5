#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/simulation_notes.h"
#include "report/unit_text.h"
#include "simulation/pv_outline.h"

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

// How the latest power/speed sweep ended, which the title of Chart3 says.
enum class PowerSweepEnd { NotSwept, PhaseUnknown, NoPositivePower, MaxFound };

// The power/speed curve of Chart3: power (W) and phase (degrees) or torque (N m) over RPM.
struct PowerCurve {
    PointSeries PowerSeries;
    PointSeries PhaseOrTorqueSeries;
    // What its titles are made of: how the latest sweep ended, in which output units, and
    // whether it showed phase (else torque). A sweep that does not start keeps them.
    PowerSweepEnd End = PowerSweepEnd::NotSwept;
    OutputUnits Units;
    bool PhaseShown = true;
    // The maximum its title names; MaxFound false when the sweep ended early or no speed gave
    // a positive power (the maximum of the sweep that found one is kept).
    bool MaxFound = false;
    double MaxPower = 0;  // W
    double MaxPhase = 0;  // rad
    double MaxSpeed = 0;  // rad/s
};

// A list of samples, one per graphed step: each value rounded to 15 significant digits, as
// its text (SampleText) shows it and reads back.
using SampleList = std::vector<double>;

// sin(step angle + x-axis offset) of the step counts from 0, worked out once and kept for the
// next run with the same offset: a sweep's designs all share them. The values are those the
// step would compute itself, to the last bit.
class StepSines {
  public:
    double At(std::int32_t stepCount, double offset);

  private:
    double offset_ = 0;
    std::vector<double> values_;
};

// The step values of the newest simulated cycle, as computed (not rounded), whether it was
// graphed or not: the energy figures come from the last revolution of the schedule, and how many
// cycles are drawn must not decide whether they exist.
struct SimulatedRevolution {
    static constexpr std::size_t kSteps = 361;
    // dispPos[0] is the displacer's position before the cycle's first step; dispPos[k + 1] its
    // position after step k.
    std::array<double, kSteps + 1> dispPos{};
    std::array<double, kSteps> pistonPos{};
    std::array<double, kSteps> pressure{};
    bool complete = false;  // all steps of a cycle are in, since the run began
};

// Everything of the simulation that lives with the window between runs: step count, leak
// average, sample lists, the PV points and extents, the cycle summary and the power/speed
// curve. Plain data; what the charts draw of it is kept beside it, above the simulation
// (presentation/shown_run.h).
struct SimulationState {
    // One-degree steps since the schedule last restarted the count; after a run that graphed
    // a cycle it is the number of graphed steps.
    std::int32_t SimStepCount = 0;
    double AverageEnginePressure = 0;  // Pa

    // One entry per graphed step. SampleX is in seconds or degrees (the x value of the
    // curves); the other four are SI.
    SampleList SampleX;
    SampleList SampleDispPos;
    SampleList SamplePistonPos;
    SampleList SamplePressure;
    SampleList SampleTotalVolume;

    // Pressure/volume diagram, in output units: the points the PV powers are measured on (and
    // the diagram draws) with their extents.
    std::vector<ColoredPoint> PVSeries;
    double PVMinVolume = 0;
    double PVMaxVolume = 0;
    double PVMinPressure = 0;
    double PVMaxPressure = 0;
    std::int32_t PVPointCount = 0;

    // Cycle summary of the last graphed cycle the window shows (lDwell, lDwellA); empty until
    // the first one.
    std::optional<CycleSummary> ShownSummary;
    // The summary of the latest cycle summarized, also by a run that records only results;
    // empty until the first one.
    std::optional<CycleSummary> Summary;

    PowerCurve Chart3;

    // The hidden image the PV diagram is measured on, kept so that each run reuses it.
    PVOutline PVImage{0, 0};
    StepSines Sines;
    // The displacer position and pressure samples hold the step's values as computed, not yet
    // rounded (a run that records only its results rounds just the cycle it summarizes).
    bool RawSamples = false;
    // The last cycle the run simulated, graphed or not.
    SimulatedRevolution LastRevolution;
};

}  // namespace velmora
