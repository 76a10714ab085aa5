#include "ui/charts/chart_copier.h"

#include <QList>
#include <QPointF>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "export/held_design.h"
#include "ui/charts/chart_panel.h"
#include "ui/charts/plot_curve.h"
#include "ui/charts/pv_point_cloud.h"

namespace velmora {

void CopySeries(const PointSeries& from, QXYSeries* to) {
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(from.size()));
    for (const PlotPoint& p : from) points.append(QPointF(p.x, p.y));
    to->replace(points);
}

void SetAxisTitle(QValueAxis* axis, const std::string& title) {
    const QString text = QString::fromStdString(title);
    if (axis->titleText() != text) axis->setTitleText(text);
}

void SetChartTitle(ChartPanel* chart, const std::string& title) {
    const QString text = QString::fromStdString(title);
    if (chart->chart()->title() == text) return;
    chart->chart()->setTitle(text);
    chart->setToolTip(text);  // a narrow chart cuts a long title
}

void CopySeries(const PointSeries& from, PlotCurve* to) {
    to->SetPoints(from);
}

void ApplyScale(QValueAxis* axis, const AxisScale& scale) {
    // The axis places its ticks as TickValues says, which exported charts draw too.
    const bool dynamic = TicksAtSteps(scale);
    // The charts localize their numbers, so large values read with group separators.
    const QString format = QString("%.%1f").arg(scale.decimals);
    // Every change lays the axis labels out again, which is most of a run's drawing cost.
    if (axis->min() == scale.min && axis->max() == scale.max && axis->labelFormat() == format &&
        (axis->tickType() == QValueAxis::TicksDynamic) == dynamic &&
        (!dynamic || axis->tickInterval() == scale.step))
        return;
    // Dynamic ticks are laid out at every change: switch them off while range and step change
    // together, or an old small step over a new large range asks for millions of ticks.
    axis->setTickType(QValueAxis::TicksFixed);
    axis->setRange(scale.min, scale.max);
    if (dynamic) {
        axis->setTickAnchor(TickAnchor(scale));
        axis->setTickInterval(scale.step);
        axis->setTickType(QValueAxis::TicksDynamic);
    } else {
        axis->setTickCount(5);
    }
    axis->setLabelFormat(format);
}

namespace {

// The scales widened to show a held design's curves as well, where the axis is automatic.
ChartScales WithHeld(const ChartPanel* chart, ChartScales scales, bool leftAutomatic,
                     bool rightAutomatic) {
    const std::vector<ChartCurve>& held = chart->HeldCurves();
    double low = 0;
    double high = 0;
    if (CurveExtent(held, false, true, low, high))
        scales.bottom = WidenedScale(scales.bottom, low, high);
    if (leftAutomatic && CurveExtent(held, false, false, low, high))
        scales.left = WidenedScale(scales.left, low, high);
    if (rightAutomatic && CurveExtent(held, true, false, low, high))
        scales.right = WidenedScale(scales.right, low, high);
    return scales;
}

}  // namespace

void ApplyTitles(ChartPanel* chart, const ChartTitles& titles) {
    if (!titles.Title.empty()) SetChartTitle(chart, titles.Title);
    if (!titles.LeftAxisTitle.empty()) SetAxisTitle(chart->LeftAxis(), titles.LeftAxisTitle);
    if (!titles.RightAxisTitle.empty()) SetAxisTitle(chart->RightAxis(), titles.RightAxisTitle);
    if (!titles.BottomAxisTitle.empty()) SetAxisTitle(chart->BottomAxis(), titles.BottomAxisTitle);
}

AxisScale LeftScaleOf(const ChartSetup& setup, const PointSeries& red) {
    return MainChartScales(setup, red, {}).left;
}

void CopyMainChart(ChartPanel* chart, const ChartSetup& setup, const ChartTitles& titles,
                   const PointSeries& red, const PointSeries& blue, const PointSeries& cursor,
                   PlotCurve* redSeries, PlotCurve* blueSeries, PlotCurve* cursorSeries) {
    ApplyTitles(chart, titles);
    const ChartScales scales = WithHeld(chart, MainChartScales(setup, red, blue),
                                        setup.LeftAxis.automatic, setup.RightAxis.automatic);
    ApplyScale(chart->BottomAxis(), scales.bottom);
    ApplyScale(chart->LeftAxis(), scales.left);
    ApplyScale(chart->RightAxis(), scales.right);
    CopySeries(red, redSeries);
    CopySeries(blue, blueSeries);
    CopySeries(cursor, cursorSeries);
}

void CopyPvChart(ChartPanel* chart, const ShownRun& sim, PvPointCloud* points,
                 QXYSeries* phasePoint) {
    ApplyTitles(chart, PVChartTitles(sim.Graphs));
    ChartScales scales = PvChartScales(sim, chart->width());
    if (!chart->HeldCurves().empty()) {
        scales = WithHeld(chart, scales, sim.PVChart.LeftAxis.automatic, false);
        scales.bottom =
            WithAtMostSteps(scales.bottom, std::max(2, chart->width() / kVolumeLabelPixels));
    }
    ApplyScale(chart->BottomAxis(), scales.bottom);
    ApplyScale(chart->LeftAxis(), scales.left);
    points->SetPoints(sim.PVSeries);
    CopySeries(sim.PVPhaseSeries, phasePoint);
}

void CopyPowerChart(ChartPanel* chart, const PowerCurve& curve, PlotCurve* power,
                    PlotCurve* phaseOrTorque) {
    SetChartTitle(chart, PowerCurveTitle(curve));
    SetAxisTitle(chart->RightAxis(), PowerCurveRightAxisTitle(curve));
    const ChartScales scales = WithHeld(chart, PowerChartScales(curve), true, true);
    ApplyScale(chart->BottomAxis(), scales.bottom);
    ApplyScale(chart->LeftAxis(), scales.left);
    ApplyScale(chart->RightAxis(), scales.right);
    CopySeries(curve.PowerSeries, power);
    CopySeries(curve.PhaseOrTorqueSeries, phaseOrTorque);
}

}  // namespace velmora
