#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

#include "export/axis_scale.h"

namespace velmora {

// The colour map of one output over two varied inputs: cells in a colour scale, cells where
// the engine is overdriven hatched, designs that will not run (Beta below 1) cross-hatched,
// contour lines at the colour bar's ticks with their values, round axis ticks and a labelled
// colour bar. The first input runs along x, the second along y; cell k = i * ny + j.
class DesignSpaceMap : public QWidget {
    Q_OBJECT
  public:
    explicit DesignSpaceMap(QWidget* parent = nullptr);

    struct Data {
        std::vector<double> x;
        std::vector<double> y;
        QString xTitle;
        QString yTitle;
        QString valueTitle;
        std::vector<std::optional<double>> values;  // nx * ny, empty: not computed (yet)
        std::vector<bool> overdriven;               // nx * ny
        std::vector<bool> willNotRun;               // nx * ny, Beta below 1
        std::optional<double> markerX;              // the current design
        std::optional<double> markerY;
    };
    void SetData(Data data);
    const Data& Values() const { return data_; }

    // The cell under a widget position, or -1; the centre of a cell.
    int CellAt(QPoint position) const;
    QPoint CellCentre(int cell) const;

  signals:
    void CellHovered(int cell);
    void CellClicked(int cell);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QRect PlotRect() const;
    QPointF ToWidget(double i, double j) const;  // cell coordinates, cell centres at integers
    void PaintAxes(QPainter& painter) const;
    void PaintColourBar(QPainter& painter, const AxisScale& scale) const;
    void PaintLegend(QPainter& painter) const;

    Data data_;
};

// A colour of the map's scale for t in [0, 1] (dark blue through green to yellow).
QColor MapColour(double t);

// Where `value` lies along a map axis of cell values (even or logarithmic steps), as a
// fraction from its first to its last value.
double AxisFraction(const std::vector<double>& axis, double value);

// The values of an axis of cell values that carry a tick: round values within it, from the
// window's tick algorithm (1, 2 and 5 times powers of ten on a logarithmic axis), and the
// decimals their labels need.
std::vector<double> MapTicks(const std::vector<double>& axis, int& decimals);

}  // namespace velmora
