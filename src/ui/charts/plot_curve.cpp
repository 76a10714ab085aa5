#include "ui/charts/plot_curve.h"

#include <QChart>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>

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

bool PlotCurve::MapPoints(QPolygonF& out) const {
    const double xMin = xAxis_->min();
    const double xSpan = xAxis_->max() - xMin;
    const double yMin = yAxis_->min();
    const double ySpan = yAxis_->max() - yMin;
    if (points_.size() < 2 || !(xSpan > 0) || !(ySpan > 0) || area_.isEmpty()) return false;
    const double sx = area_.width() / xSpan;
    const double sy = area_.height() / ySpan;
    out.resize(static_cast<qsizetype>(points_.size()));
    for (std::size_t i = 0; i < points_.size(); ++i)
        out[static_cast<qsizetype>(i)] = QPointF(area_.left() + (points_[i].x - xMin) * sx,
                                                 area_.bottom() - (points_[i].y - yMin) * sy);
    return true;
}

std::vector<PixelPoint> PlotCurve::PixelPoints() const {
    const QRectF area = chart_->plotArea();
    const double xMin = xAxis_->min();
    const double xSpan = xAxis_->max() - xMin;
    const double yMin = yAxis_->min();
    const double ySpan = yAxis_->max() - yMin;
    std::vector<PixelPoint> out;
    if (!isVisible() || !(xSpan > 0) || !(ySpan > 0) || area.isEmpty()) return out;
    out.reserve(points_.size());
    for (const PlotPoint& p : points_)
        out.push_back({area.left() + (p.x - xMin) * area.width() / xSpan,
                       area.bottom() - (p.y - yMin) * area.height() / ySpan});
    return out;
}

bool PlotCurve::PassesNear(const QPointF& pos, qreal tolerance) const {
    if (!isVisible() || !area_.adjusted(-1, -1, 1, 1).contains(pos)) return false;
    QPolygonF line;
    if (!MapPoints(line)) return false;
    for (qsizetype i = 1; i < line.size(); ++i) {
        const QPointF a = line[i - 1];
        const QPointF d = line[i] - a;
        const qreal length2 = QPointF::dotProduct(d, d);
        const qreal t =
            length2 > 0 ? std::clamp(QPointF::dotProduct(pos - a, d) / length2, 0.0, 1.0) : 0.0;
        const QPointF gap = pos - (a + t * d);
        if (QPointF::dotProduct(gap, gap) <= tolerance * tolerance) return true;
    }
    return false;
}

void PlotCurve::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    if (!MapPoints(polyline_)) return;
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
