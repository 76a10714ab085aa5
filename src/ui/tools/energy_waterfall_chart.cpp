#include "ui/tools/energy_waterfall_chart.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QHorizontalStackedBarSeries>
#include <QLegendMarker>
#include <algorithm>

#include "ui/tools/grouped_axis.h"

namespace velmora {

namespace {

QBarSet* Set(const QString& name, const QColor& color) {
    auto* set = new QBarSet(name);
    set->setColor(color);
    set->setBorderColor(color);
    return set;
}

}  // namespace

QChart* MakeWaterfallChart(const std::vector<WaterfallStep>& steps, const NumberSettings& numbers) {
    auto* chart = new QChart;
    chart->setTitle(steps.empty() ? "Loss waterfall (W): no settled run" : "Loss waterfall (W)");
    // Room on the right for the last label of the watts axis, centred on its tick.
    chart->setMargins(QMargins(2, 2, 18, 2));
    // Stacked in this order on each side of zero: the transparent base, then the bar.
    QBarSet* positiveBase = Set("base", Qt::transparent);
    QBarSet* negativeBase = Set("base below zero", Qt::transparent);
    QBarSet* levels = Set("Power or heat", QColor(30, 80, 200));
    QBarSet* losses = Set("Loss", QColor(210, 90, 40));
    QBarSet* negativeLosses = Set("Loss below zero", QColor(210, 90, 40));
    QStringList labels;
    double low = 0, high = 0;
    // The axis lists categories from the bottom up: reversed, the waterfall reads downwards.
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        labels << QString::fromStdString(WaterfallLabel(*step, numbers));
        const StackedParts parts = StackedPartsOf(*step);
        *positiveBase << (step->level ? 0 : parts.positiveBase);
        *negativeBase << (step->level ? 0 : parts.negativeBase);
        *levels << (step->level ? step->to : 0);
        *losses << (step->level ? 0 : parts.positiveLength);
        *negativeLosses << (step->level ? 0 : parts.negativeLength);
        low = std::min({low, step->from, step->to});
        high = std::max({high, step->from, step->to});
    }
    auto* series = new QHorizontalStackedBarSeries;
    for (QBarSet* set : {positiveBase, negativeBase, levels, losses, negativeLosses})
        series->append(set);
    series->setBarWidth(0.7);
    chart->addSeries(series);
    auto* categories = new QBarCategoryAxis;
    categories->append(labels);
    chart->addAxis(categories, Qt::AlignLeft);
    series->attachAxis(categories);
    QCategoryAxis* watts = GroupedValueAxis(low, high, 4, numbers, "W");
    chart->addAxis(watts, Qt::AlignBottom);
    series->attachAxis(watts);
    // Only the two kinds of bar need a word; the bases and the split below zero are drawing.
    chart->legend()->setAlignment(Qt::AlignBottom);
    for (QBarSet* hidden : {positiveBase, negativeBase, negativeLosses})
        for (QLegendMarker* marker : chart->legend()->markers(series))
            if (marker->label() == hidden->label()) marker->setVisible(false);
    return chart;
}

}  // namespace velmora
