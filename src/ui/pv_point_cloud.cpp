#include "ui/pv_point_cloud.h"

#include <QChart>
#include <QPainter>
#include <QValueAxis>

namespace velmora {

QRgb PvPointColor(std::uint32_t value) {
    return qRgb(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

PvPointCloud::PvPointCloud(QChart* chart, QValueAxis* xAxis, QValueAxis* yAxis)
    : QGraphicsItem(chart), chart_(chart), xAxis_(xAxis), yAxis_(yAxis) {
    setZValue(10);
    setFlag(QGraphicsItem::ItemClipsToShape, false);
    area_ = chart_->plotArea();
    QObject::connect(chart_, &QChart::plotAreaChanged,
                     [this](const QRectF&) { PlotAreaChanged(); });
    QObject::connect(xAxis_, &QValueAxis::rangeChanged, [this](qreal, qreal) { update(); });
    QObject::connect(yAxis_, &QValueAxis::rangeChanged, [this](qreal, qreal) { update(); });
}

void PvPointCloud::SetPoints(const std::vector<ColoredPoint>& points) {
    points_ = points;
    update();
}

void PvPointCloud::Clear() {
    points_.clear();
    update();
}

void PvPointCloud::PlotAreaChanged() {
    prepareGeometryChange();
    area_ = chart_->plotArea();
}

QRectF PvPointCloud::boundingRect() const {
    return area_.adjusted(-2, -2, 2, 2);
}

void PvPointCloud::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const double xMin = xAxis_->min();
    const double xSpan = xAxis_->max() - xMin;
    const double yMin = yAxis_->min();
    const double ySpan = yAxis_->max() - yMin;
    if (points_.empty() || xSpan <= 0 || ySpan <= 0 || area_.isEmpty()) return;
    painter->save();
    painter->setClipRect(area_);
    painter->setPen(Qt::NoPen);
    const double sx = area_.width() / xSpan;
    const double sy = area_.height() / ySpan;
    QRgb current = PvPointColor(points_.front().color);
    painter->setBrush(QColor(current));
    for (const ColoredPoint& point : points_) {
        const QRgb color = PvPointColor(point.color);
        if (color != current) {
            current = color;
            painter->setBrush(QColor(current));
        }
        const double px = area_.left() + (point.x - xMin) * sx;
        const double py = area_.bottom() - (point.y - yMin) * sy;
        painter->drawRect(QRectF(px - 1, py - 1, 2, 2));
    }
    painter->restore();
}

}  // namespace velmora
