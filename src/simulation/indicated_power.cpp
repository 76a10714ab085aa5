#include "simulation/indicated_power.h"

namespace velmora {

namespace {
constexpr std::size_t kOutlinePoints = 360;
}

double LoopWork(const std::vector<LoopPoint>& loop) {
    if (loop.size() < 3) return 0;
    // Trapezoids of p over each volume step, with pressures taken relative to the first
    // corner: the closed sum is the same, and the small differences keep the rounding small
    // where the loop is thin against the mean pressure.
    const double base = loop.front().pressure;
    double work = 0;
    for (std::size_t i = 0; i < loop.size(); ++i) {
        const LoopPoint& a = loop[i];
        const LoopPoint& b = loop[(i + 1) % loop.size()];
        work += ((a.pressure - base) + (b.pressure - base)) * (b.volume - a.volume);
    }
    return work / 2;
}

std::optional<double> IndicatedWork(const SimulationState& sim, const OutputChoices& units) {
    const std::size_t size = sim.PVSeries.size();
    const std::size_t first = size > kOutlinePoints ? size - kOutlinePoints : 0;
    if (size - first < 3) return std::nullopt;
    std::vector<LoopPoint> loop;
    loop.reserve(size - first);
    const OutputConverter volume(UnitFamily::Volume, units);
    const OutputConverter pressure(UnitFamily::Pressure, units);
    for (std::size_t i = first; i < size; ++i)
        loop.push_back(
            {volume.FromOutput(sim.PVSeries[i].x), pressure.FromOutput(sim.PVSeries[i].y)});
    return LoopWork(loop);
}

}  // namespace velmora
