#pragma once

#include <QChartView>
#include <QColor>
#include <QLocale>
#include <QScatterSeries>
#include <QString>
#include <QStringList>
#include <QValueAxis>
#include <functional>
#include <vector>

class QGraphicsTextItem;
class QRubberBand;

#include "export/chart_data.h"

namespace velmora {

class PlotCurve;

// The locale the charts write their numbers in: the user's, with group separators ("4,850,000").
QLocale ChartLocale();

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

    // Hover readout: the text for the axis values under the mouse (bottom, left and right
    // axis) and the point in chart coordinates; empty text shows nothing.
    using Readout = std::function<QString(double x, double left, const QPointF& inChart)>;
    void SetReadout(Readout readout) { readout_ = std::move(readout); }
    QString ReadoutAt(const QPoint& viewPos) const;

    // A held design's curves, drawn faint under the live ones, and the legend naming both
    // designs; their extent counts in the automatic scales (chart_copier). Empty: none.
    void SetHeld(const std::vector<ChartCurve>& curves, const std::vector<LegendEntry>& legend);
    const std::vector<ChartCurve>& HeldCurves() const { return held_; }
    // The legend's lines as shown, empty without a held design.
    QStringList LegendLines() const;

    // Rubber-band zoom: the axes show the values inside `viewRect` until ResetZoom (double
    // click, Esc) or EndZoom (the next computation sets its own ranges).
    void ZoomTo(const QRect& viewRect);
    void ResetZoom();
    void EndZoom() { saved_.clear(); }
    bool IsZoomed() const { return !saved_.empty(); }
    // The value of an axis at a view pixel, as the axis shows it now.
    double ValueAt(const QValueAxis* axis, const QPoint& viewPos) const;

  signals:
    // Left mouse press on the chart, with the x pixel in the view's coordinates: on one of
    // its curves, or anywhere else.
    void seriesClicked(int x);
    void chartClicked(int x);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // A pointer at rest asks for a tooltip: over the plot it is the readout again, so the
    // value stays to be read; elsewhere the chart's own tooltip (its title).
    bool viewportEvent(QEvent* event) override;
    // The legend follows the curves: each drawing places it where none passes.
    void paintEvent(QPaintEvent* event) override;

  private:
    // An axis as it was before the first zoom.
    struct SavedAxis {
        QValueAxis* axis;
        double min, max, interval, anchor;
        QValueAxis::TickType type;
        int count;
        QString format;
    };
    void EmitClick(const QPoint& at);
    // The x pixel the same bottom-axis value has on the unzoomed chart.
    int UnzoomedX(int x) const;

    Readout readout_;
    std::vector<SavedAxis> saved_;
    QRubberBand* band_ = nullptr;
    QPoint pressAt_;
    bool pressed_ = false;
    bool dragging_ = false;
    QChart* chart_;
    QValueAxis* bottom_;
    QValueAxis* left_;
    QValueAxis* right_;
    std::vector<PlotCurve*> curves_;
    std::vector<ChartCurve> held_;
    std::vector<PlotCurve*> heldCurves_;
    std::vector<LegendEntry> legend_;
    QGraphicsTextItem* legendItem_ = nullptr;
    // Every corner of the plot was crossed by a curve: the legend sits above the plot, in a
    // band the chart's top margin makes for it, until the legend goes or changes.
    bool legendAbove_ = false;
    void SetLegendAbove(bool above);
    void PlaceLegend();
};

}  // namespace velmora
