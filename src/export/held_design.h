#pragma once

#include <string>

#include "export/chart_data.h"
#include "export/session_exports.h"
#include "form/control_state.h"
#include "engine/design.h"

namespace velmora {

// A design's three charts kept for comparison with the designs computed after it.
struct HeldDesign {
    std::string name;
    Design design;  // its numbers, for the figures a report gives beside the live design's
    ChartData main;
    ChartData pv;
    ChartData power;
    // The inputs of the held run: its figures are computed from them the same way as the
    // live design's (the Energy and Power window).
    ControlState controls;
    const ChartData& Of(ChartKind kind) const {
        return kind == ChartKind::Main ? main : kind == ChartKind::PressureVolume ? pv : power;
    }
};

// The charts of the session's last run, as its exports draw them, under `name`.
HeldDesign HoldDesign(const RecordingSession& session, std::string name);

// `scale` widened to whole steps over [low, high] as well, when that lies outside it;
// otherwise `scale` itself, so that a chart without held curves keeps its ticks.
AxisScale WidenedScale(const AxisScale& scale, double low, double high);

// The extent of the x (or y) values of the curves on one axis; false when there are none.
bool CurveExtent(const std::vector<ChartCurve>& curves, bool rightAxis, bool xValues, double& low,
                 double& high);

// The live chart with the held one's curves under it: drawn first and faint, named
// "held: NAME, CURVE", the axes widened to show them, and a legend naming both designs.
ChartData WithHeldCurves(const ChartData& live, const std::string& liveName, const ChartData& held,
                         const std::string& heldName);

}  // namespace velmora
