#include "ui/charts/chart_panel.h"

#include <QFont>
#include <QGraphicsLayout>
#include <QLocale>
#include <QMouseEvent>
#include <QPen>
#include <algorithm>

#include "ui/charts/plot_curve.h"

namespace velmora {

namespace {

void StyleAxis(QValueAxis* axis, const QColor& color) {
    const QFont font("Arial", 8);
    axis->setLabelsFont(font);
    axis->setTitleFont(font);
    axis->setLabelsColor(color);
    axis->setTitleBrush(color);
    axis->setLinePenColor(color);
}

}  // namespace

QLocale ChartLocale() {
    QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C) locale = QLocale(QLocale::English, QLocale::UnitedStates);
    locale.setNumberOptions(QLocale::DefaultNumberOptions);  // with group separators
    return locale;
}

ChartPanel::ChartPanel(const QString& objectName, const QString& title, QWidget* parent)
    : QChartView(parent),
      chart_(new QChart),
      bottom_(new QValueAxis),
      left_(new QValueAxis),
      right_(new QValueAxis) {
    setObjectName(objectName);
    chart_->setTitle(title);
    chart_->legend()->hide();
    chart_->setBackgroundBrush(Qt::white);
    chart_->setPlotAreaBackgroundVisible(false);
    chart_->setAnimationOptions(QChart::NoAnimation);
    chart_->setMargins(QMargins(2, 2, 2, 2));
    chart_->layout()->setContentsMargins(0, 0, 0, 0);
    chart_->setBackgroundRoundness(0);
    QFont titleFont = chart_->titleFont();
    titleFont.setPointSize(9);
    titleFont.setBold(true);
    chart_->setTitleFont(titleFont);

    StyleAxis(bottom_, Qt::black);
    StyleAxis(left_, Qt::red);
    StyleAxis(right_, Qt::blue);
    right_->setGridLineVisible(false);  // one grid, the left axis's
    // Tick labels as an engineer writes them: "5,000,000", never "5e+06".
    chart_->setLocalizeNumbers(true);
    chart_->setLocale(ChartLocale());
    chart_->addAxis(bottom_, Qt::AlignBottom);
    chart_->addAxis(left_, Qt::AlignLeft);
    chart_->addAxis(right_, Qt::AlignRight);
    bottom_->setRange(0, 1);
    left_->setRange(0, 1);
    right_->setRange(0, 1);

    // The view made a chart of its own, and setChart only gives up ownership of it.
    QChart* initialChart = chart();
    setChart(chart_);
    delete initialChart;
    setRenderHint(QPainter::Antialiasing, false);
    setFrameShape(QFrame::NoFrame);
    // Small enough for an 800 x 550 window, large enough that titles and ticks stay readable;
    // the window's minimum size follows from it.
    setMinimumSize(200, 170);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);  // Esc ends a zoom
}

PlotCurve* ChartPanel::AddCurve(const QString& objectName, const QColor& color, bool rightAxis) {
    auto* curve = new PlotCurve(objectName, chart_, bottom_, rightAxis ? right_ : left_, color);
    curves_.push_back(curve);
    return curve;
}

QScatterSeries* ChartPanel::AddSquareSeries(const QString& objectName, const QColor& color) {
    auto* series = new QScatterSeries(chart_);
    series->setObjectName(objectName);
    series->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    series->setMarkerSize(2);
    series->setColor(color);
    series->setBorderColor(color);
    series->setPen(Qt::NoPen);
    chart_->addSeries(series);
    series->attachAxis(bottom_);
    series->attachAxis(left_);
    return series;
}

int ChartPanel::PlotLeft() const {
    return mapFromScene(chart_->mapToScene(chart_->plotArea().topLeft())).x();
}

int ChartPanel::PlotRight() const {
    return mapFromScene(chart_->mapToScene(chart_->plotArea().topRight())).x();
}

void ChartPanel::EmitClick(const QPoint& at) {
    const QPointF inChart = chart_->mapFromScene(mapToScene(at));
    // Within two pixels of a one-pixel line counts as on it.
    const bool onCurve = std::any_of(curves_.begin(), curves_.end(), [&](const PlotCurve* curve) {
        return curve->PassesNear(inChart, 2);
    });
    if (onCurve)
        emit seriesClicked(UnzoomedX(at.x()));
    else
        emit chartClicked(UnzoomedX(at.x()));
}

}  // namespace velmora
