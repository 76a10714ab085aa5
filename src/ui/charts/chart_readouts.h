#pragma once

#include <QPointF>
#include <QRectF>
#include <vector>

#include "simulation/simulation_state.h"

namespace velmora {

// The index of the point whose x lies nearest to `x` (the first of equals); -1 for none.
int NearestByX(const PointSeries& points, double x);

// The index of the point nearest to `at` in pixels, the points mapped into `area` over the
// given axis ranges; -1 for none.
int NearestInPixels(const std::vector<ColoredPoint>& points, const QPointF& at, const QRectF& area,
                    double xMin, double xMax, double yMin, double yMax);

}  // namespace velmora
