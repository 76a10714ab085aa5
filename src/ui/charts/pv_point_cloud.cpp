#include "ui/charts/pv_point_cloud.h"

#include <QChart>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

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
    if (points_.empty() || !(xSpan > 0) || !(ySpan > 0) || area_.isEmpty()) return;
    // The squares are set pixel by pixel into one transparent image: a thousand brush changes
    // and rectangle fills cost far more.
    const int width = static_cast<int>(area_.width()) + 1;
    const int height = static_cast<int>(area_.height()) + 1;
    if (image_.size() != QSize(width, height))
        image_ = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    image_.fill(Qt::transparent);
    const double sx = (width - 1) / xSpan;
    const double sy = (height - 1) / ySpan;
    for (const ColoredPoint& point : points_) {
        const double px = (point.x - xMin) * sx;
        const double py = (height - 1) - (point.y - yMin) * sy;
        if (!(px >= -1 && px <= width && py >= -1 && py <= height)) continue;
        const int x0 = static_cast<int>(std::floor(px - 0.5));
        const int y0 = static_cast<int>(std::floor(py - 0.5));
        const QRgb color = 0xFF000000u | PvPointColor(point.color);
        for (int y = std::max(0, y0); y < std::min(height, y0 + 2); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
            for (int x = std::max(0, x0); x < std::min(width, x0 + 2); ++x) line[x] = color;
        }
    }
    painter->drawImage(area_.topLeft(), image_);
}

}  // namespace velmora
