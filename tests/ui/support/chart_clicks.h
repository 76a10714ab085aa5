#pragma once

#include <QCoreApplication>
#include <QMouseEvent>

#include "ui/charts/chart_panel.h"

namespace velmora::testing {

// A left-button press and release at (x, y) in the chart's view coordinates.
inline void ClickChart(ChartPanel* chart, int x, int y) {
    QWidget* target = chart->viewport();
    const QPointF at(x, y);
    const QPointF global = target->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

// A row of the plot area in view coordinates, a quarter of the way down from its top.
inline int PlotRow(ChartPanel* chart) {
    const QRectF area = chart->chart()->plotArea();
    const QPointF point(area.left(), area.top() + area.height() / 4);
    return chart->mapFromScene(chart->chart()->mapToScene(point)).y();
}

}  // namespace velmora::testing
