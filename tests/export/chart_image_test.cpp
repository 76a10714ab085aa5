// Chart figures: well-formed SVG with one path per curve, PNG at the asked size.
#include "export/chart_image.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QXmlStreamReader>

#include "export/chart_painter.h"
#include "export/session_exports.h"
#include "export/support/export_fixture.h"

namespace velmora {
namespace {

struct SvgCounts {
    bool wellFormed = false;
    int paths = 0;
    std::vector<std::string> texts;
};

SvgCounts ReadSvg(const QByteArray& svg) {
    SvgCounts counts;
    QXmlStreamReader reader(svg);
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement()) continue;
        if (reader.name() == QLatin1String("path")) ++counts.paths;
        if (reader.name() == QLatin1String("text"))
            counts.texts.push_back(reader.readElementText().trimmed().toStdString());
    }
    counts.wellFormed = !reader.hasError();
    return counts;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class ChartImageTest : public ::testing::Test {
  protected:
    void SetUp() override { testing::LoadAndCompute(session, testing::ExamplePath("Default.INI")); }
    RecordingSession session;
};

TEST_F(ChartImageTest, SvgOfEachChartHasOnePathPerCurveAndItsTitles) {
    for (const ChartKind kind : {ChartKind::Main, ChartKind::PressureVolume, ChartKind::Power}) {
        const ChartData chart = ChartOf(session, kind);
        const SvgCounts svg = ReadSvg(ChartSvg(chart, QSize(1600, 1000)));
        EXPECT_TRUE(svg.wellFormed);
        EXPECT_EQ(svg.paths, static_cast<int>(chart.curves.size()));
        EXPECT_TRUE(Contains(svg.texts, chart.title)) << chart.title;
        EXPECT_TRUE(Contains(svg.texts, chart.bottomTitle)) << chart.bottomTitle;
        EXPECT_TRUE(Contains(svg.texts, chart.leftTitle)) << chart.leftTitle;
        for (const std::string& text : svg.texts) EXPECT_EQ(text.find("e+"), std::string::npos);
    }
    const ChartData main = ChartOf(session, ChartKind::Main);
    EXPECT_EQ(main.title, "Displacer Position and Piston Position");
    EXPECT_EQ(main.curves.size(), 2u);
    EXPECT_EQ(main.curves[0].points.size(), session.Sim.Series1.size());
}

TEST_F(ChartImageTest, PngHasTheAskedSizeAndShowsBothCurveColours) {
    const QByteArray png = ChartPng(ChartOf(session, ChartKind::Main), QSize(1600, 1000));
    QImage image;
    ASSERT_TRUE(image.loadFromData(png, "PNG"));
    EXPECT_EQ(image.size(), QSize(1600, 1000));
    int red = 0;
    int blue = 0;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            const QRgb c = image.pixel(x, y);
            if (qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60) ++red;
            if (qBlue(c) > 200 && qGreen(c) < 60 && qRed(c) < 60) ++blue;
        }
    }
    EXPECT_GT(red, 500);
    EXPECT_GT(blue, 500);
    const QByteArray small = ChartPng(ChartOf(session, ChartKind::Power), QSize(400, 250));
    ASSERT_TRUE(image.loadFromData(small, "PNG"));
    EXPECT_EQ(image.size(), QSize(400, 250));
}

TEST_F(ChartImageTest, CopyDataTableHasOneLinePerPoint) {
    const std::string table = ChartDataTable(ChartOf(session, ChartKind::Main), '\t');
    const auto lines = std::count(table.begin(), table.end(), '\n');
    EXPECT_EQ(lines, static_cast<long>(session.Sim.Series1.size()) + 1);
    EXPECT_EQ(table.substr(0, table.find('\n')),
              "Degrees\tDisplacer Position (mm)\tPiston Position (mm)");
    EXPECT_EQ(table.find(','), std::string::npos);
}

// A chart on [0, 1] x [0, 1] with a legend, its curves given as point lists.
ChartData LegendChart(const std::vector<PointSeries>& curves) {
    ChartData chart;
    chart.title = "Legend";
    chart.scales.bottom = {0, 1, 0.2, 1};
    chart.scales.left = {0, 1, 0.2, 1};
    for (const PointSeries& points : curves)
        chart.curves.push_back({"c", points, 0xFF0000, false, false});
    chart.legend = {{"live: A", 0xFF0000, false}, {"held: B (10:00:00)", 0xFF0000, true}};
    return chart;
}

PaintedChart PaintedInImage(const ChartData& chart) {
    QImage image(1600, 1000, QImage::Format_ARGB32);
    QPainter painter(&image);
    return PaintChart(painter, QRectF(0, 0, 1600, 1000), chart);
}

// The legend never hides a curve: in a free corner inside the plot, and below the plot when
// curves cross all four corners (both diagonals: every corner box holds a segment).
TEST(ChartImage, TheLegendGoesBelowThePlotWhenEveryCornerIsCrossed) {
    const PaintedChart free = PaintedInImage(LegendChart({{{0, 0.5}, {1, 0.5}}}));
    ASSERT_TRUE(free.legend);
    EXPECT_TRUE(free.plot.contains(*free.legend));

    const PaintedChart crossed = PaintedInImage(LegendChart({{{0, 0}, {1, 1}}, {{0, 1}, {1, 0}}}));
    ASSERT_TRUE(crossed.legend);
    EXPECT_GE(crossed.legend->top(), crossed.plot.bottom());
    EXPECT_LE(crossed.legend->bottom(), 1000);
    // The plot gives up the legend's height, no more.
    EXPECT_LT(crossed.plot.height(), free.plot.height());
    EXPECT_GT(crossed.plot.height(), free.plot.height() - 2 * crossed.legend->height());

    const PaintedChart none = PaintedInImage([] {
        ChartData chart = LegendChart({{{0, 0}, {1, 1}}});
        chart.legend.clear();
        return chart;
    }());
    EXPECT_FALSE(none.legend);
    EXPECT_EQ(none.plot, free.plot);
}

TEST(ChartImage, EmptyChartStillDraws) {
    ChartData chart;
    chart.title = "Main Graph";
    chart.curves.push_back({"red", {}, 0xFF0000, false, false});
    const SvgCounts svg = ReadSvg(ChartSvg(chart, QSize(800, 500)));
    EXPECT_TRUE(svg.wellFormed);
    EXPECT_EQ(svg.paths, 0);
}

}  // namespace
}  // namespace velmora
