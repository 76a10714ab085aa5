#pragma once

#include <QGraphicsItem>
#include <QImage>
#include <QRgb>
#include <vector>

#include "simulation/simulation_state.h"

class QChart;
class QValueAxis;

namespace velmora {

// The pressure/volume points, each a 2 x 2 pixel square in its own colour. Drawn directly
// into the chart's plot area: a scatter series per colour would mean a thousand series.
class PvPointCloud : public QGraphicsItem {
  public:
    PvPointCloud(QChart* chart, QValueAxis* xAxis, QValueAxis* yAxis);

    void SetPoints(const std::vector<ColoredPoint>& points);
    void Clear();
    std::size_t Count() const { return points_.size(); }
    const std::vector<ColoredPoint>& Points() const { return points_; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  private:
    void PlotAreaChanged();

    QChart* chart_;
    QValueAxis* xAxis_;
    QValueAxis* yAxis_;
    std::vector<ColoredPoint> points_;
    QRectF area_;
    QImage image_;  // reused between paints
};

// The colour of a point from its 24-bit value (red in the low byte, then green, then blue).
QRgb PvPointColor(std::uint32_t value);

}  // namespace velmora
