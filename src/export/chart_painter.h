#pragma once

#include <QRectF>
#include <optional>

#include "export/chart_data.h"

class QPainter;

namespace velmora {

// Draws the chart into `area` of the painter's device in vector operations: title, axes with
// round ticks and titles (left red, right blue, as in the window), then one path per curve.
// Text and lines scale with the area (sized for 1600 x 1000 units). The legend goes in a
// corner of the plot that no curve crosses, or, where every corner is crossed, below the plot.
struct PaintedChart {
    QRectF plot;                   // the frame the curves are drawn in
    std::optional<QRectF> legend;  // the legend's box, when the chart has a legend
};
PaintedChart PaintChart(QPainter& painter, const QRectF& area, const ChartData& chart);

}  // namespace velmora
