#include "ui/tools/brake_speed_chart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <algorithm>
#include <limits>

#include "ui/tools/grouped_axis.h"

namespace velmora {

namespace {

const QColor kPowerColor(30, 80, 200);
const QColor kTorqueColor(200, 40, 40);

struct Extent {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    void Add(const PlotLine& line, bool x) {
        for (const auto& [a, b] : line.points) {
            low = std::min(low, x ? a : b);
            high = std::max(high, x ? a : b);
        }
    }
};

// Both value axes include zero, with a little room above and below the curves, and put it at
// the same height: the power's sign and the torque against the load line read at one glance.
void AlignZeros(Extent& power, Extent& torque) {
    for (Extent* e : {&power, &torque}) {
        if (!(e->low <= e->high)) e->low = 0, e->high = 1;
        e->low = std::min(e->low, 0.0);
        e->high = std::max(e->high, 0.0);
        const double room = 0.06 * std::max(e->high - e->low, 1e-9);
        e->high += room;
        if (e->low < 0) e->low -= room;
    }
    // The share of each axis below zero; the larger one for both.
    const double below =
        std::max(-power.low / (power.high - power.low), -torque.low / (torque.high - torque.low));
    if (!(below < 1)) return;
    for (Extent* e : {&power, &torque}) e->low = -below * e->high / (1 - below);
}

template <class Series>
Series* Filled(const PlotLine& line, Series* series) {
    series->setName(QString::fromStdString(line.name));
    for (const auto& [x, y] : line.points) series->append(x, y);
    return series;
}

QLineSeries* Line(const PlotLine& line, const QColor& color, Qt::PenStyle style) {
    auto* series = Filled(line, new QLineSeries);
    series->setPen(QPen(color, 2, style));
    return series;
}

QScatterSeries* Marker(const PlotLine& line, const QColor& color) {
    auto* series = Filled(line, new QScatterSeries);
    series->setMarkerSize(11);
    series->setColor(color);
    series->setBorderColor(Qt::black);
    return series;
}

}  // namespace

QChart* MakeBrakeSpeedChart(const BrakeChartSeries& s, const NumberSettings& numbers) {
    auto* chart = new QChart;
    chart->setTitle(QString::fromStdString(s.note.empty() ? s.title : s.title + "<br>" + s.note));
    Extent speed, power, torque;
    speed.Add(s.power, true);
    power.Add(s.power, false);
    torque.Add(s.torque, false);
    torque.Add(s.load, false);
    AlignZeros(power, torque);
    QCategoryAxis* x = GroupedValueAxis(speed.low, speed.high, 4, numbers,
                                        QString::fromStdString(s.speedAxisTitle));
    QCategoryAxis* left = GroupedValueAxis(power.low, power.high, 6, numbers,
                                           QString::fromStdString(s.powerAxisTitle), false);
    QCategoryAxis* right = GroupedValueAxis(torque.low, torque.high, 6, numbers,
                                            QString::fromStdString(s.torqueAxisTitle), false);
    left->setLabelsColor(kPowerColor);
    right->setLabelsColor(kTorqueColor);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(left, Qt::AlignLeft);
    chart->addAxis(right, Qt::AlignRight);
    const auto add = [&](QAbstractSeries* series, QAbstractAxis* axis) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(axis);
    };
    add(Line(s.power, kPowerColor, Qt::SolidLine), left);
    add(Line(s.torque, kTorqueColor, Qt::SolidLine), right);
    if (!s.load.points.empty()) add(Line(s.load, Qt::black, Qt::DashLine), right);
    if (!s.runningTorque.points.empty()) {
        add(Marker(s.runningTorque, kTorqueColor), right);
        QScatterSeries* onPower = Marker(s.runningPower, kPowerColor);
        add(onPower, left);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    // The title names the running point, which the two round markers show: the legend keeps
    // its room for the curves.
    for (QLegendMarker* marker : chart->legend()->markers())
        if (marker->series() != nullptr &&
            marker->series()->type() == QAbstractSeries::SeriesTypeScatter)
            marker->setVisible(false);
    return chart;
}

}  // namespace velmora
