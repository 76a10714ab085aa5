#pragma once

#include <QRectF>

#include "export/chart_data.h"

class QPainter;

namespace velmora {

// Draws the chart into `area` of the painter's device in vector operations: title, axes with
// round ticks and titles (left red, right blue, as in the window), then one path per curve.
// Text and lines scale with the area (sized for 1600 x 1000 units).
void PaintChart(QPainter& painter, const QRectF& area, const ChartData& chart);

}  // namespace velmora
