#pragma once

#include <optional>

namespace velmora {

// A typed count of millions of cycles would keep the window busy for hours and fill memory
// with their curves; counts above this many cycles are taken as this many.
inline constexpr int kMaxCycleCount = 1000;

// The dwell and integrated-pressure summary of one graphed cycle.
struct CycleSummary {
    long long DwellHi = 0;  // steps within 1% of the upper stop (degrees)
    long long DwellLo = 0;
    long long DwellHiPercent = 0;
    long long DwellLoPercent = 0;
    bool PressureShared = false;  // false when every pressure equals the mean (no total)
    long long PressureAbovePercent = 0;
    long long PressureBelowPercent = 0;
};

// What the cycle simulation of a compute run has to say beside the PV powers, as values; the
// report writer turns them into lines.
struct SimulationNotes {
    bool countsLimited = false;  // a cycle count above the limit was lowered to it
    // An automatic equalization run: the mean pressure it settled at (Pa) and after how many
    // cycles, or that it never settled within the allowed count.
    bool leakAdjusted = false;
    double adjustedPressure = 0;
    int leakCycles = 0;
    bool equilibrated = false;
    // The run went through its schedule: the summary of the last graphed cycle is reported
    // (empty lines before the first one).
    bool summaryReported = false;
    std::optional<CycleSummary> summary;
};

}  // namespace velmora
