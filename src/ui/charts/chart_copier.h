#pragma once

#include <QString>
#include <QXYSeries>

#include "export/axis_scale.h"
#include "presentation/chart_titles.h"
#include "presentation/shown_run.h"
#include "simulation/simulation_state.h"

class QValueAxis;

namespace velmora {

class ChartPanel;
class PlotCurve;
class PvPointCloud;

// Replaces the points of a series in one step (one repaint instead of one per point).
void CopySeries(const PointSeries& from, QXYSeries* to);
void CopySeries(const PointSeries& from, PlotCurve* to);

// Titles, set only when they change (each change lays the chart out again).
void SetAxisTitle(QValueAxis* axis, const std::string& title);
void SetChartTitle(ChartPanel* chart, const std::string& title);

// Sets an axis to the scale with round dynamic ticks.
void ApplyScale(QValueAxis* axis, const AxisScale& scale);

// Chart title and axis titles; empty texts (no run yet) leave the titles as they are.
void ApplyTitles(ChartPanel* chart, const ChartTitles& titles);

// The main graph or its copy: red curve left, blue right, cursor on the left axis.
void CopyMainChart(ChartPanel* chart, const ChartSetup& setup, const ChartTitles& titles,
                   const PointSeries& red, const PointSeries& blue, const PointSeries& cursor,
                   PlotCurve* redSeries, PlotCurve* blueSeries, PlotCurve* cursorSeries);

// The pressure/volume diagram over the extents the run found.
void CopyPvChart(ChartPanel* chart, const ShownRun& sim, PvPointCloud* points,
                 QXYSeries* phasePoint);

// The power/speed curve; its right axis starts at 0.
void CopyPowerChart(ChartPanel* chart, const PowerCurve& curve, PlotCurve* power,
                    PlotCurve* phaseOrTorque);

// The left-axis scale that CopyMainChart gives the chart: the animation cursor spans it.
AxisScale LeftScaleOf(const ChartSetup& setup, const PointSeries& red);

}  // namespace velmora
