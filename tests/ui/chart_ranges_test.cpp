// A window chart axis shows the tick labels an exported chart draws for the same scale (the
// scales themselves are tested with the exported charts, export/axis_scale), and PV colours.
#include <gtest/gtest.h>

#include <QChart>
#include <QChartView>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>

#include "ui/charts/chart_copier.h"
#include "ui/charts/pv_point_cloud.h"

namespace velmora {
namespace {

// The texts of the labels a rendered chart shows on its vertical axis, bottom to top.
std::vector<std::string> ShownLabels(const AxisScale& scale) {
    QChartView view;
    auto* series = new QLineSeries;
    series->append(0, scale.min);
    series->append(1, scale.max);
    view.chart()->addSeries(series);
    auto* x = new QValueAxis;
    auto* y = new QValueAxis;
    view.chart()->addAxis(x, Qt::AlignBottom);
    view.chart()->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    x->setLabelsVisible(false);
    ApplyScale(y, scale);
    view.resize(500, 700);
    view.grab();
    std::vector<std::pair<double, std::string>> labels;
    for (QGraphicsItem* item : view.scene()->items()) {
        auto* text = dynamic_cast<QGraphicsTextItem*>(item);
        if (text == nullptr || text->toPlainText().isEmpty() || !text->isVisible()) continue;
        labels.push_back({-text->scenePos().y(), text->toPlainText().toStdString()});
    }
    std::sort(labels.begin(), labels.end());
    std::vector<std::string> texts;
    for (const auto& label : labels) texts.push_back(label.second);
    return texts;
}

std::vector<std::string> ExportedLabels(const AxisScale& scale) {
    std::vector<std::string> labels;
    for (const double v : TickValues(scale)) labels.push_back(TickLabel(v, scale.decimals));
    return labels;
}

TEST(ChartTicks, TheWindowShowsTheTicksAnExportedChartDraws) {
    const PointSeries curve = {{0, 48.3}, {1, 64.1}};
    const AxisScale scales[] = {
        ScaleFor(AxisRange{}, {&curve}), ScaleFor(AxisRange{false, -63.5, 63.5}, {}),
        AutoScale(-0.3, 0.25),           AutoScale(0.0021, 0.0034),
        AutoScale(3816989.7, 7657366.5), AxisScale{0, 100, 1, 0},  // more than 50 steps: five ticks
    };
    for (const AxisScale& scale : scales)
        EXPECT_EQ(ShownLabels(scale), ExportedLabels(scale)) << scale.min << " to " << scale.max;
}

TEST(PvPointColors, RedInTheLowByteThenGreenThenBlue) {
    EXPECT_EQ(PvPointColor(0), qRgb(0, 0, 0));
    EXPECT_EQ(PvPointColor(255), qRgb(255, 0, 0));
    EXPECT_EQ(PvPointColor(256), qRgb(0, 1, 0));
    EXPECT_EQ(PvPointColor(0x030201), qRgb(1, 2, 3));
}

}  // namespace
}  // namespace velmora
