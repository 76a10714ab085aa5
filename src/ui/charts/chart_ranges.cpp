#include "ui/charts/chart_ranges.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velmora {

namespace {

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

}  // namespace velmora
