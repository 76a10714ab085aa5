#include "ui/tools/energy_cycle_chart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <limits>

#include "ui/tools/grouped_axis.h"

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

// An axis over the extent with labels grouped in the user's locale (volumes run to seven
// digits), about `steps` of them so that they stay readable on a narrow window.
QCategoryAxis* Axis(const QString& title, const Extent& extent, int steps,
                    const NumberSettings& numbers) {
    if (extent.Empty()) return GroupedValueAxis(0, 1, steps, numbers, title);
    return GroupedValueAxis(extent.low, extent.high, steps, numbers, title);
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
                   volume, 3, units.numbers);
    auto* y = Axis(
        QString("Pressure (%1)").arg(QString::fromStdString(UnitName(UnitFamily::Pressure, units))),
        pressure, 5, units.numbers);
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
