#include "ui/tools/energy_cycle_chart.h"

#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

namespace velmora {

namespace {

struct Extent {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    void Add(double v) {
        low = std::min(low, v);
        high = std::max(high, v);
    }
    bool Empty() const { return !(low <= high); }
};

QLineSeries* Loop(const QString& name, const std::vector<StepValues>& steps,
                  const OutputUnits& units, const QColor& color, Extent& volume, Extent& pressure) {
    auto* series = new QLineSeries;
    series->setName(name);
    series->setPen(QPen(color, 2));
    for (const StepValues& step : steps) {
        const double v = VolumeToOutput(units, step.totalVolume);
        const double p = PressureToOutput(units, step.pressure);
        series->append(v, p);
        volume.Add(v);
        pressure.Add(p);
    }
    if (!steps.empty()) series->append(series->at(0));  // closed
    return series;
}

// A step of 1, 2 or 5 times a power of ten giving about `count` steps over `range`.
double NiceStep(double range, int count) {
    const double rough = range / count;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (factor * power >= rough) return factor * power;
    return 10 * power;
}

// Labels at whole multiples of a nice step, about `steps` of them apart, so that they stay
// readable on a narrow window (volumes run to seven digits).
QValueAxis* Axis(const QString& title, const Extent& extent, int steps) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    if (extent.Empty()) {
        axis->setRange(0, 1);
        return axis;
    }
    const double range = std::max(extent.high - extent.low, 1e-9 * std::abs(extent.high));
    const double step = range > 0 ? NiceStep(range, steps) : 1;
    axis->setRange(std::floor(extent.low / step) * step, std::ceil(extent.high / step) * step);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(axis->min());
    axis->setTickInterval(step);
    const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step))));
    axis->setLabelFormat(QString("%.%1f").arg(decimals));
    return axis;
}

}  // namespace

QChart* MakeCycleChart(const std::vector<StepValues>& oneDegree,
                       const std::vector<StepValues>& accurate, const OutputUnits& units) {
    auto* chart = new QChart;
    chart->setTitle("Pressure/volume loop of one revolution");
    Extent volume, pressure;
    QLineSeries* specified =
        Loop(oneDegree.empty() ? "One-degree model (no graphed cycle)" : "One-degree model",
             oneDegree, units, QColor(200, 40, 40), volume, pressure);
    QLineSeries* exact = Loop(accurate.empty() ? "Accurate model (not settled)" : "Accurate model",
                              accurate, units, QColor(30, 80, 200), volume, pressure);
    chart->addSeries(specified);
    chart->addSeries(exact);
    auto* x = Axis(QString("Total Volume (%1)")
                       .arg(QString::fromStdString(UnitName(UnitFamily::Volume, units))),
                   volume, 3);
    auto* y = Axis(
        QString("Pressure (%1)").arg(QString::fromStdString(UnitName(UnitFamily::Pressure, units))),
        pressure, 5);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QLineSeries* series : {specified, exact}) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

}  // namespace velmora
