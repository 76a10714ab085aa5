#include "ui/charts/chart_copier.h"

#include <QList>
#include <QPointF>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

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
    const double span = scale.max - scale.min;
    const bool dynamic = scale.step > 0 && span > 0 && span / scale.step <= 50;
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
        // Anchored a hair above 0 so the zero tick never reads "-0.0".
        axis->setTickAnchor(scale.step * 1e-7);
        axis->setTickInterval(scale.step);
        axis->setTickType(QValueAxis::TicksDynamic);
    } else {
        axis->setTickCount(5);
    }
    axis->setLabelFormat(format);
}

void ApplyTitles(ChartPanel* chart, const ChartSetup& setup) {
    if (!setup.Title.empty()) SetChartTitle(chart, setup.Title);
    if (!setup.LeftAxisTitle.empty()) SetAxisTitle(chart->LeftAxis(), setup.LeftAxisTitle);
    if (!setup.RightAxisTitle.empty()) SetAxisTitle(chart->RightAxis(), setup.RightAxisTitle);
    if (!setup.BottomAxisTitle.empty()) SetAxisTitle(chart->BottomAxis(), setup.BottomAxisTitle);
}

AxisScale LeftScaleOf(const ChartSetup& setup, const PointSeries& red) {
    return ScaleFor(setup.LeftAxis, {&red});
}

void CopyMainChart(ChartPanel* chart, const ChartSetup& setup, const PointSeries& red,
                   const PointSeries& blue, const PointSeries& cursor, PlotCurve* redSeries,
                   PlotCurve* blueSeries, PlotCurve* cursorSeries) {
    ApplyTitles(chart, setup);
    ApplyScale(chart->BottomAxis(), BottomScaleFor({&red, &blue}));
    ApplyScale(chart->LeftAxis(), LeftScaleOf(setup, red));
    ApplyScale(chart->RightAxis(), ScaleFor(setup.RightAxis, {&blue}));
    CopySeries(red, redSeries);
    CopySeries(blue, blueSeries);
    CopySeries(cursor, cursorSeries);
}

void CopyPvChart(ChartPanel* chart, const SimulationState& sim, PvPointCloud* points,
                 QXYSeries* phasePoint) {
    ApplyTitles(chart, sim.PVChart);
    if (sim.PVSeries.empty()) {
        ApplyScale(chart->BottomAxis(), AutoScale(0, 1));
        ApplyScale(chart->LeftAxis(), AutoScale(0, 1));
    } else {
        // Volume labels such as "4,850,000" are wide for a chart of half the window.
        constexpr int kVolumeLabelPixels = 75;
        ApplyScale(chart->BottomAxis(),
                   WithAtMostSteps(AutoScale(sim.PVMinVolume, sim.PVMaxVolume),
                                   std::max(2, chart->width() / kVolumeLabelPixels)));
        ApplyScale(chart->LeftAxis(), sim.PVChart.LeftAxis.automatic
                                          ? AutoScale(sim.PVMinPressure, sim.PVMaxPressure)
                                          : ScaleFor(sim.PVChart.LeftAxis, {}));
    }
    points->SetPoints(sim.PVSeries);
    CopySeries(sim.PVPhaseSeries, phasePoint);
}

void CopyPowerChart(ChartPanel* chart, const PowerCurve& curve, PlotCurve* power,
                    PlotCurve* phaseOrTorque) {
    SetChartTitle(chart, curve.Title);
    SetAxisTitle(chart->RightAxis(), curve.RightAxisTitle);
    ApplyScale(chart->BottomAxis(),
               BottomScaleFor({&curve.PowerSeries, &curve.PhaseOrTorqueSeries}));
    ApplyScale(chart->LeftAxis(), ScaleFor(AxisRange{}, {&curve.PowerSeries}));
    AxisScale right = ScaleFor(AxisRange{}, {&curve.PhaseOrTorqueSeries});
    right = AutoScale(0, std::max(right.max, 0.0) > 0 ? right.max : 1);
    ApplyScale(chart->RightAxis(), right);
    CopySeries(curve.PowerSeries, power);
    CopySeries(curve.PhaseOrTorqueSeries, phaseOrTorque);
}

}  // namespace velmora
