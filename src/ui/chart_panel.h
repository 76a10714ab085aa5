#pragma once

#include <QChartView>
#include <QColor>
#include <QScatterSeries>
#include <QString>
#include <QValueAxis>
#include <vector>

namespace velmora {

class PlotCurve;

// A flat chart without legend on a white back wall, with a bottom axis and a left (red) and
// a right (blue) value axis, as every chart of the window has.
class ChartPanel : public QChartView {
    Q_OBJECT
  public:
    ChartPanel(const QString& objectName, const QString& title, QWidget* parent = nullptr);

    QValueAxis* BottomAxis() const { return bottom_; }
    QValueAxis* LeftAxis() const { return left_; }
    QValueAxis* RightAxis() const { return right_; }

    // A curve without point marks on the left or right axis.
    PlotCurve* AddCurve(const QString& objectName, const QColor& color, bool rightAxis);
    // A series of 2 x 2 pixel squares without connecting line.
    QScatterSeries* AddSquareSeries(const QString& objectName, const QColor& color);

    // Pixel columns of the plot rectangle in the view's coordinates.
    int PlotLeft() const;
    int PlotRight() const;

  signals:
    // Left mouse press on the chart, with the x pixel in the view's coordinates: on one of
    // its curves, or anywhere else.
    void seriesClicked(int x);
    void chartClicked(int x);

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QChart* chart_;
    QValueAxis* bottom_;
    QValueAxis* left_;
    QValueAxis* right_;
    std::vector<PlotCurve*> curves_;
};

}  // namespace velmora
