#pragma once

#include <QLineSeries>
#include <QString>
#include <QXYSeries>

#include "simulation/simulation_state.h"
#include "ui/chart_ranges.h"

class QValueAxis;

namespace velmora {

class ChartPanel;
class PvPointCloud;

// Replaces the points of a series in one step (one repaint instead of one per point).
void CopySeries(const PointSeries& from, QXYSeries* to);

// Sets an axis to the scale with round dynamic ticks.
void ApplyScale(QValueAxis* axis, const AxisScale& scale);

// Chart title and axis titles; empty texts (no run yet) leave the titles as they are.
void ApplyTitles(ChartPanel* chart, const ChartSetup& setup);

// The main graph or its copy: red curve left, blue right, cursor on the left axis.
void CopyMainChart(ChartPanel* chart, const ChartSetup& setup, const PointSeries& red,
                   const PointSeries& blue, const PointSeries& cursor, QLineSeries* redSeries,
                   QLineSeries* blueSeries, QLineSeries* cursorSeries);

// The pressure/volume diagram over the extents the run found.
void CopyPvChart(ChartPanel* chart, const SimulationState& sim, PvPointCloud* points,
                 QXYSeries* phasePoint);

// The power/speed curve; its right axis starts at 0.
void CopyPowerChart(ChartPanel* chart, const PowerCurve& curve, QLineSeries* power,
                    QLineSeries* phaseOrTorque);

// The left-axis scale that CopyMainChart gives the chart: the animation cursor spans it.
AxisScale LeftScaleOf(const ChartSetup& setup, const PointSeries& red);

}  // namespace velmora
