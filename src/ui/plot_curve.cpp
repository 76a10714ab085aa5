#include "ui/plot_curve.h"

#include <QChart>
#include <QPainter>
#include <QValueAxis>

namespace velmora {

PlotCurve::PlotCurve(const QString& objectName, QChart* chart, QValueAxis* xAxis, QValueAxis* yAxis,
                     const QColor& color)
    : QGraphicsObject(chart), chart_(chart), xAxis_(xAxis), yAxis_(yAxis), color_(color) {
    setObjectName(objectName);
    setZValue(5);
    area_ = chart_->plotArea();
    connect(chart_, &QChart::plotAreaChanged, this, [this](const QRectF& area) {
        prepareGeometryChange();
        area_ = area;
    });
    connect(xAxis_, &QValueAxis::rangeChanged, this, [this](qreal, qreal) { update(); });
    connect(yAxis_, &QValueAxis::rangeChanged, this, [this](qreal, qreal) { update(); });
}

void PlotCurve::SetPoints(const PointSeries& points) {
    points_ = points;
    update();
}

QRectF PlotCurve::boundingRect() const {
    return area_.adjusted(-1, -1, 1, 1);
}

void PlotCurve::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const double xMin = xAxis_->min();
    const double xSpan = xAxis_->max() - xMin;
    const double yMin = yAxis_->min();
    const double ySpan = yAxis_->max() - yMin;
    if (points_.size() < 2 || !(xSpan > 0) || !(ySpan > 0) || area_.isEmpty()) return;
    const double sx = area_.width() / xSpan;
    const double sy = area_.height() / ySpan;
    polyline_.resize(static_cast<qsizetype>(points_.size()));
    for (std::size_t i = 0; i < points_.size(); ++i)
        polyline_[static_cast<qsizetype>(i)] = QPointF(area_.left() + (points_[i].x - xMin) * sx,
                                                       area_.bottom() - (points_[i].y - yMin) * sy);
    painter->save();
    painter->setClipRect(
        area_.adjusted(-1, -1, 1, 1));  // a curve resting on a fixed limit stays visible
    painter->setRenderHint(QPainter::Antialiasing, false);
    QPen pen(color_);
    pen.setCosmetic(true);
    pen.setWidth(1);
    painter->setPen(pen);
    painter->drawPolyline(polyline_);
    painter->restore();
}

}  // namespace velmora
