// A held design under the live one: faint curves drawn first, axes widened to show them, a
// legend naming both designs, and the data table with the held curves' own x column.
#include "export/held_design.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QSize>

#include "export/chart_image.h"

namespace velmora {
namespace {

ChartData Chart(double scale) {
    ChartData chart;
    chart.title = "Main";
    chart.bottomTitle = "degrees";
    chart.leftTitle = "Position";
    chart.rightTitle = "Pressure";
    PointSeries left;
    PointSeries right;
    for (int i = 0; i <= 36; ++i) {
        left.push_back({i * 10.0, scale * i});
        right.push_back({i * 10.0, 100 + scale * i});
    }
    chart.curves.push_back({"Position", left, 0xFF0000, false, false});
    chart.curves.push_back({"Pressure", right, 0x0000FF, true, false});
    chart.scales = {AutoScale(0, 360), AutoScale(0, scale * 36), AutoScale(100, 100 + scale * 36)};
    return chart;
}

TEST(HeldDesign, HeldCurvesGoUnderTheLiveOnesWithALegendAndWiderAxes) {
    const ChartData live = Chart(1);
    const ChartData held = Chart(2);
    const ChartData both = WithHeldCurves(live, "KESTMORE", held, "KESTMORE (05:20)");
    ASSERT_EQ(both.curves.size(), 4u);
    EXPECT_TRUE(both.curves[0].faint);
    EXPECT_TRUE(both.curves[1].faint);
    EXPECT_FALSE(both.curves[2].faint);
    EXPECT_EQ(both.curves[0].name, "held: KESTMORE (05:20), Position");
    EXPECT_EQ(both.curves[2].name, "Position");
    ASSERT_EQ(both.legend.size(), 2u);
    EXPECT_EQ(both.legend[0].text, "live: KESTMORE");
    EXPECT_EQ(both.legend[1].text, "held: KESTMORE (05:20)");
    EXPECT_TRUE(both.legend[1].faint);
    // The held curves reach 72 and 172: the axes take them in with round ends.
    EXPECT_GE(both.scales.left.max, 72);
    EXPECT_GE(both.scales.right.max, 172);
    EXPECT_EQ(both.scales.bottom.max, live.scales.bottom.max);  // inside already: unchanged

    // Table: the held curves with their own x column, then the live ones as before.
    const std::string table = ChartDataTable(both, ',');
    // Names with a comma are quoted (RFC 4180): the header has as many fields as every row.
    EXPECT_EQ(table.substr(0, table.find('\n')),
              "held: degrees,\"held: KESTMORE (05:20), Position\",\"held: KESTMORE (05:20), "
              "Pressure\",degrees,Position,Pressure");
    EXPECT_NE(table.find("\n10,2,102,10,1,101\n"), std::string::npos);
    // Without a held design the table is what it always was.
    EXPECT_EQ(ChartDataTable(live, ',').substr(0, 26), "degrees,Position,Pressure\n");

    // The figures carry the legend; faint curves are lighter than the live ones.
    const QByteArray svg = ChartSvg(both, QSize(800, 500));
    EXPECT_TRUE(svg.contains("held: KESTMORE (05:20)"));
    EXPECT_TRUE(svg.contains("live: KESTMORE"));
    const QImage image = ChartImage(both, QSize(800, 500));
    const QImage plain = ChartImage(live, QSize(800, 500));
    EXPECT_NE(image, plain);
    image.save("/tmp/velmora_held_chart.png");
}

TEST(HeldDesign, WidenedScaleKeepsAScaleThatAlreadyHoldsTheRange) {
    const AxisScale scale = AutoScale(0, 10);
    const AxisScale same = WidenedScale(scale, 1, 9);
    EXPECT_EQ(same.min, scale.min);
    EXPECT_EQ(same.max, scale.max);
    EXPECT_EQ(same.step, scale.step);
    const AxisScale wider = WidenedScale(scale, -3, 9);
    EXPECT_LE(wider.min, -3);
    EXPECT_GE(wider.max, 10);
    EXPECT_EQ(WidenedScale(scale, NAN, 4).max, scale.max);
}

}  // namespace
}  // namespace velmora
