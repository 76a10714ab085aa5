#include "export/held_design.h"

#include <algorithm>
#include <cmath>

#include "form/design_form.h"

namespace velmora {

HeldDesign HoldDesign(const RecordingSession& session, std::string name) {
    return {std::move(name),
            ReadDesign(session.State).design,
            ChartOf(session, ChartKind::Main),
            ChartOf(session, ChartKind::PressureVolume),
            ChartOf(session, ChartKind::Power),
            {}};
}

AxisScale WidenedScale(const AxisScale& scale, double low, double high) {
    if (!std::isfinite(low) || !std::isfinite(high) || (low >= scale.min && high <= scale.max))
        return scale;
    return AutoScale(std::min(low, scale.min), std::max(high, scale.max));
}

bool CurveExtent(const std::vector<ChartCurve>& curves, bool rightAxis, bool xValues, double& low,
                 double& high) {
    low = INFINITY;
    high = -INFINITY;
    for (const ChartCurve& curve : curves) {
        if (!xValues && curve.rightAxis != rightAxis) continue;
        for (const PlotPoint& p : curve.points) {
            const double v = xValues ? p.x : p.y;
            if (!std::isfinite(v)) continue;
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    return low <= high;
}

ChartData WithHeldCurves(const ChartData& live, const std::string& liveName, const ChartData& held,
                         const std::string& heldName) {
    ChartData chart = live;
    chart.curves.clear();
    for (ChartCurve curve : held.curves) {
        curve.name = "held: " + heldName + ", " + curve.name;
        curve.faint = true;
        chart.curves.push_back(std::move(curve));
    }
    chart.curves.insert(chart.curves.end(), live.curves.begin(), live.curves.end());
    double low = 0;
    double high = 0;
    if (CurveExtent(held.curves, false, true, low, high))
        chart.scales.bottom = WidenedScale(chart.scales.bottom, low, high);
    if (CurveExtent(held.curves, false, false, low, high))
        chart.scales.left = WidenedScale(chart.scales.left, low, high);
    if (CurveExtent(held.curves, true, false, low, high))
        chart.scales.right = WidenedScale(chart.scales.right, low, high);
    const std::uint32_t rgb = live.curves.empty() ? 0 : live.curves.front().rgb;
    chart.legend = {{"live: " + liveName, rgb, false}, {"held: " + heldName, rgb, true}};
    return chart;
}

}  // namespace velmora
