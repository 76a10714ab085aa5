#include "simulation/simulation_output.h"

#include <cmath>
#include <cstdint>

#include "report/analysis_report.h"
#include "report/number_text.h"

namespace velmora {
namespace {

// Overflowing inputs (values near the largest double) must not leak inf or NaN into a series
// or a sample text; such a value is shown as 0.
double Shown(double value) {
    return std::isfinite(value) ? value : 0.0;
}

void AppendSample(SampleList& list, double value) {
    list.push_back(RoundedSample(value));
}

// A sample as its list would hold it rounded.
double Sample(const SimulationState& sim, double stored) {
    return sim.RawSamples ? RoundedSample(stored) : stored;
}

// Whether a displacer position sample lies within 1% of the half stroke from a stop, decided on
// the sample as its list would hold it rounded. Rounding to 15 digits moves a value by at most
// 5e-15 of itself, and the test is monotone in |x|: when both ends of a wider band around a raw
// value agree, the rounded value agrees too, and only a value at the band's edge is rounded.
bool AtAStop(const SimulationState& sim, double x, double halfStroke) {
    if (sim.RawSamples) {
        const double size = std::fabs(x);
        const bool low = ShortfallWithin(100, size * (1 - 1e-14), halfStroke);
        const bool high = ShortfallWithin(100, size * (1 + 1e-14), halfStroke);
        if (low == high) return low;
    }
    return ShortfallWithin(100, std::fabs(Sample(sim, x)), halfStroke);
}

std::size_t NewestStart(std::size_t size, std::size_t count) {
    return size > count ? size - count : 0;
}

}  // namespace

void ClearSampleLists(SimulationState& sim) {
    for (SampleList* list : {&sim.SampleX, &sim.SampleDispPos, &sim.SamplePistonPos,
                             &sim.SamplePressure, &sim.SampleTotalVolume})
        list->clear();
}

void RecordStep(SimulationState& sim, const StepUnits& units, CycleGraphs* graphs,
                const StepValues& step, Recording recording) {
    if (recording == Recording::Everything && graphs != nullptr) {
        graphs->Step(sim.SimStepCount, step);
        AppendSample(sim.SamplePistonPos, step.pistonPos);
        AppendSample(sim.SampleTotalVolume, step.totalVolume);
    }
    if (recording == Recording::ResultsOnly) {
        // Rounded when the cycle is summarized (sim.RawSamples). The piston's positions serve
        // the energy figures of the recorded revolution (energy_balance.h).
        sim.SampleDispPos.push_back(step.dispPos);
        sim.SamplePressure.push_back(step.pressure);
        sim.SamplePistonPos.push_back(step.pistonPos);
    } else {
        AppendSample(sim.SampleDispPos, step.dispPos);
        AppendSample(sim.SamplePressure, step.pressure);
    }

    const double volume = Shown(units.volume.ToOutput(step.totalVolume));
    const double pressure = Shown(units.pressure.ToOutput(step.pressure));
    sim.PVSeries.push_back(
        {volume, pressure, static_cast<std::uint32_t>(sim.PVPointCount) & 0xFFFFFFu});
    if (volume < sim.PVMinVolume) sim.PVMinVolume = volume;
    if (volume > sim.PVMaxVolume) sim.PVMaxVolume = volume;
    if (pressure < sim.PVMinPressure) sim.PVMinPressure = pressure;
    if (pressure > sim.PVMaxPressure) sim.PVMaxPressure = pressure;
    // Wraps like the 32-bit counter it is instead of overflowing.
    sim.PVPointCount = static_cast<std::int32_t>(static_cast<std::uint32_t>(sim.PVPointCount) + 1u);
}

CycleSummary SummarizeCycleValues(const SimulationState& sim, const ParameterSet& params) {
    constexpr std::size_t kCycleSteps = 361;

    CycleSummary summary;
    long long& hi = summary.DwellHi;
    long long& lo = summary.DwellLo;
    for (std::size_t i = NewestStart(sim.SampleDispPos.size(), kCycleSteps);
         i < sim.SampleDispPos.size(); ++i) {
        const double x = sim.SampleDispPos[i];
        if (!AtAStop(sim, x, params.DispHalfStroke)) continue;
        if (x > 0) {
            ++hi;
        } else {
            ++lo;
        }
    }
    summary.DwellHiPercent = RoundHalfEven(static_cast<double>(hi) * 100 / 360);
    summary.DwellLoPercent = RoundHalfEven(static_cast<double>(lo) * 100 / 360);

    double above = 0;
    double below = 0;
    for (std::size_t i = NewestStart(sim.SamplePressure.size(), kCycleSteps);
         i < sim.SamplePressure.size(); ++i) {
        const double d = Sample(sim, sim.SamplePressure[i]) - params.MeanEnginePressure;
        if (d > 0) {
            above += d;
        } else {
            below -= d;
        }
    }
    // Every pressure equal to the mean leaves nothing to divide: both shares are shown as 0.
    // RoundHalfEven turns an overflowing share into 0 as well.
    const double total = above + below;
    summary.PressureShared = total != 0;
    summary.PressureAbovePercent = total != 0 ? RoundHalfEven(100 * above / total) : 0;
    summary.PressureBelowPercent = total != 0 ? RoundHalfEven(100 * below / total) : 0;
    return summary;
}

void SummarizeCycle(SimulationState& sim, const ParameterSet& params) {
    const CycleSummary s = SummarizeCycleValues(sim, params);
    sim.Summary = s;
    sim.ShownSummary = s;
}

}  // namespace velmora
