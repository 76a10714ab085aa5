#pragma once

#include <QColor>
#include <QGraphicsObject>
#include <QPolygonF>

#include "presentation/legend_place.h"
#include "simulation/simulation_state.h"

class QChart;
class QValueAxis;

namespace velmora {

// A curve drawn straight into a chart's plot area as one polyline with a cosmetic pen. The
// chart's own line series recomputes a stroked outline of every curve for hit testing, which
// for a thousand points costs more than a frame; this item only maps and draws.
class PlotCurve : public QGraphicsObject {
    Q_OBJECT
  public:
    PlotCurve(const QString& objectName, QChart* chart, QValueAxis* xAxis, QValueAxis* yAxis,
              const QColor& color);

    void SetPoints(const PointSeries& points);
    const PointSeries& Points() const { return points_; }

    // The points in chart coordinates, on the axes and plot area as they are now.
    std::vector<PixelPoint> PixelPoints() const;

    // Whether the drawn polyline passes within `tolerance` pixels of `pos` (chart coordinates).
    bool PassesNear(const QPointF& pos, qreal tolerance) const;

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  private:
    // Maps the points into the plot area; false when there is nothing to draw.
    bool MapPoints(QPolygonF& out) const;

    QChart* chart_;
    QValueAxis* xAxis_;
    QValueAxis* yAxis_;
    QColor color_;
    PointSeries points_;
    QRectF area_;
    QPolygonF polyline_;  // reused between paints
};

}  // namespace velmora
