#include "export/axis_scale.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace velmora {

namespace {

// More steps than this and the axis shows five ticks instead of one per step.
constexpr double kMaxTickSteps = 50;

int DecimalsFor(double step) {
    if (!(step > 0) || !std::isfinite(step)) return 0;
    const int digits = static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    return std::clamp(digits, 0, 12);
}

AxisScale WithStep(double min, double max, double step) {
    return {min, max, step, DecimalsFor(step)};
}

// Extent of the y values (or x values) of the series; false when there are none.
bool Extent(std::initializer_list<const PointSeries*> data, bool xValues, double& low,
            double& high) {
    low = std::numeric_limits<double>::infinity();
    high = -low;
    for (const PointSeries* series : data) {
        if (series == nullptr) continue;
        for (const PlotPoint& point : *series) {
            const double v = xValues ? point.x : point.y;
            if (!std::isfinite(v)) continue;
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    return low <= high;
}

}  // namespace

double NiceStep(double span) {
    if (!(span > 0) || !std::isfinite(span)) return 1;
    const double raw = span / 5;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double fraction = raw / power;
    const double nice = fraction < 1.5 ? 1 : fraction < 3.5 ? 2 : fraction < 7.5 ? 5 : 10;
    return nice * power;
}

AxisScale AutoScale(double low, double high) {
    if (!std::isfinite(low) || !std::isfinite(high) || low > high) return WithStep(0, 1, 0.2);
    if (low == high) {
        const double band = low == 0 ? 1 : std::abs(low) * 0.1;
        low -= band;
        high += band;
    }
    const double step = NiceStep(high - low);
    const double min = std::floor(low / step + 1e-9) * step;
    const double max = std::ceil(high / step - 1e-9) * step;
    return WithStep(min, max > min ? max : min + step, step);
}

AxisScale WithAtMostSteps(const AxisScale& scale, int maxSteps) {
    const double span = scale.max - scale.min;
    if (!(scale.step > 0) || !(span > 0) || !std::isfinite(span) || maxSteps < 1) return scale;
    double step = scale.step;
    while (span / step > maxSteps + 1e-9) {
        const double power = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
        const double fraction = step / power;
        step = (fraction < 1.5 ? 2 : fraction < 3.5 ? 5 : 10) * power;
    }
    return WithStep(scale.min, scale.max, step);
}

AxisScale ScaleFor(const AxisRange& range, std::initializer_list<const PointSeries*> data) {
    if (!range.automatic && std::isfinite(range.min) && std::isfinite(range.max) &&
        range.max > range.min)
        return WithStep(range.min, range.max, NiceStep(range.max - range.min));
    double low = 0;
    double high = 0;
    if (!Extent(data, false, low, high)) return WithStep(0, 1, 0.2);
    return AutoScale(low, high);
}

AxisScale BottomScaleFor(std::initializer_list<const PointSeries*> data) {
    double low = 0;
    double high = 0;
    if (!Extent(data, true, low, high)) return WithStep(0, 1, 0.2);
    if (low == high) return AutoScale(low, high);
    return WithStep(low, high, NiceStep(high - low));
}

bool TicksAtSteps(const AxisScale& scale) {
    const double span = scale.max - scale.min;
    return scale.step > 0 && span > 0 && span / scale.step <= kMaxTickSteps;
}

double TickAnchor(const AxisScale& scale) {
    return scale.step * 1e-7;
}

std::vector<double> TickValues(const AxisScale& scale) {
    std::vector<double> values;
    if (!(scale.max > scale.min) || !std::isfinite(scale.max - scale.min)) return values;
    if (!TicksAtSteps(scale)) {
        for (int i = 0; i < 5; ++i) values.push_back(scale.min + i * (scale.max - scale.min) / 4);
        return values;
    }
    // The chart axis's own arithmetic, step for step, so that both place the same ticks.
    const double anchor = TickAnchor(scale);
    double value = anchor - std::floor((anchor - scale.min) / scale.step) * scale.step;
    while (value <= scale.max) {
        values.push_back(value);
        value += scale.step;
    }
    return values;
}

AxisScale ColourBarScale(double low, double high) {
    const AxisScale automatic = AutoScale(low, high);
    if (!std::isfinite(low) || !std::isfinite(high) || !(high > low)) return automatic;
    // The round steps from a tenth to ten times the automatic one, smallest first.
    const double power = std::pow(10.0, std::floor(std::log10(automatic.step) + 1e-9) - 1);
    AxisScale best = automatic;
    double bestMiss = INFINITY;
    for (double decade = power; decade <= power * 1000; decade *= 10) {
        for (const double nice : {1.0, 2.0, 2.5, 5.0}) {
            const double step = nice * decade;
            const double min = std::floor(low / step + 1e-9) * step;
            const double max = std::ceil(high / step - 1e-9) * step;
            const double steps = std::round((max - min) / step);
            const double miss = steps < 4 ? 4 - steps : steps > 6 ? steps - 6 : 0;
            if (miss < bestMiss) {
                bestMiss = miss;
                best = WithStep(min, max, step);
                if (nice == 2.5) best.decimals = DecimalsFor(step / 10);  // 0.25 needs two
            }
        }
    }
    return best;
}

std::vector<double> ScaleStepValues(const AxisScale& scale) {
    std::vector<double> values;
    if (!(scale.step > 0) || !(scale.max > scale.min)) return values;
    const double steps = std::round((scale.max - scale.min) / scale.step);
    if (!(steps <= 1000)) return values;
    for (int i = 0; i <= static_cast<int>(steps); ++i) {
        const double value = scale.min + i * scale.step;
        // Whole multiples of the step come out exact (no "0.30000000000000004").
        values.push_back(std::round(value / scale.step) * scale.step);
    }
    return values;
}

std::string TickLabel(double value, int decimals) {
    char text[400];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return "?";
    std::string label(text, result.ptr);
    // A value that rounds to zero is written without its sign.
    if (label.front() == '-' && label.find_first_not_of("-0.") == std::string::npos)
        label.erase(0, 1);
    return label;
}

std::string GroupedTickLabel(double value, int decimals) {
    std::string label = TickLabel(value, decimals);
    const std::size_t digits = label.front() == '-' ? 1 : 0;
    const std::size_t dot = label.find('.');
    for (std::size_t end = dot == std::string::npos ? label.size() : dot; end > digits + 3;
         end -= 3)
        label.insert(end - 3, ",");
    return label;
}

ChartScales MainChartScales(const ChartSetup& setup, const PointSeries& red,
                            const PointSeries& blue) {
    return {BottomScaleFor({&red, &blue}), ScaleFor(setup.LeftAxis, {&red}),
            ScaleFor(setup.RightAxis, {&blue})};
}

ChartScales PvChartScales(const ShownRun& sim, int widthPixels) {
    if (sim.PVSeries.empty()) return {AutoScale(0, 1), AutoScale(0, 1), AutoScale(0, 1)};
    // Volume labels such as "4,850,000" are wide for a chart of half the window.
    const AxisScale bottom = WithAtMostSteps(AutoScale(sim.PVMinVolume, sim.PVMaxVolume),
                                             std::max(2, widthPixels / kVolumeLabelPixels));
    const AxisScale left = sim.PVChart.LeftAxis.automatic
                               ? AutoScale(sim.PVMinPressure, sim.PVMaxPressure)
                               : ScaleFor(sim.PVChart.LeftAxis, {});
    return {bottom, left, AutoScale(0, 1)};
}

ChartScales PowerChartScales(const PowerCurve& curve) {
    const AxisScale right = ScaleFor(AxisRange{}, {&curve.PhaseOrTorqueSeries});
    return {BottomScaleFor({&curve.PowerSeries, &curve.PhaseOrTorqueSeries}),
            ScaleFor(AxisRange{}, {&curve.PowerSeries}),
            AutoScale(0, std::max(right.max, 0.0) > 0 ? right.max : 1)};
}

}  // namespace velmora
