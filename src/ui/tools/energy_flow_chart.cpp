#include "ui/tools/energy_flow_chart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <algorithm>

#include "ui/tools/grouped_axis.h"

namespace velmora {

namespace {

struct Bar {
    const char* label;
    DesignOutput atSpeed;
    std::optional<DesignOutput> atOmegaBar;
};
constexpr Bar kBars[] = {
    {"Indicated", DesignOutput::IndicatedPower, DesignOutput::IndicatedPowerAtOmegaBar},
    {"Shaft", DesignOutput::ShaftPower, DesignOutput::ShaftPowerAtOmegaBar},
    {"Rod loss", DesignOutput::RodWorkLoss, std::nullopt},
    {"Heat in", DesignOutput::HeatIn, std::nullopt},
    {"Heat out", DesignOutput::HeatOut, std::nullopt},
};

}  // namespace

QChart* MakeFlowChart(const DesignResult& result, const NumberSettings& numbers) {
    auto* chart = new QChart;
    chart->setTitle("Power and heat flow (W)");
    auto* speedSet = new QBarSet("At engine speed");
    auto* omegaSet = new QBarSet("Simulated at Omega Bar");
    QStringList labels;
    double low = 0, high = 0;
    for (const Bar& bar : kBars) {
        labels << bar.label;
        const double a = result[bar.atSpeed].value_or(0);
        const double b = bar.atOmegaBar ? result[*bar.atOmegaBar].value_or(0) : 0;
        *speedSet << a;
        *omegaSet << b;
        low = std::min({low, a, b});
        high = std::max({high, a, b});
    }
    auto* series = new QBarSeries;
    series->append(speedSet);
    series->append(omegaSet);
    chart->addSeries(series);
    auto* x = new QBarCategoryAxis;
    x->append(labels);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    QCategoryAxis* y = GroupedValueAxis(low, high, 5, numbers, "W");
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    return chart;
}

}  // namespace velmora
