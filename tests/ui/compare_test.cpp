// Tools > Hold for Comparison: the held run's curves stay, faint and under the live ones, on
// the main graph, the pressure/volume diagram and the power curve, with a legend naming both
// designs, until Release; while held, the chart exports include them.
#include <QAction>
#include <QFile>
#include <QGraphicsObject>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>

#include "export/chart_image.h"
#include "ui/charts/chart_panel.h"
#include "ui/charts/plot_curve.h"
#include "ui/commands/compare_commands.h"
#include "ui/commands/export_commands.h"
#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

bool Same(const PointSeries& a, const PointSeries& b) {
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(),
        [](const PlotPoint& p, const PlotPoint& q) { return p.x == q.x && p.y == q.y; });
}

// A curve drawn into a chart, by its object name.
QGraphicsObject* ChartItem(ChartPanel* chart, const QString& name) {
    for (QGraphicsItem* item : chart->chart()->childItems())
        if (QGraphicsObject* object = item->toGraphicsObject();
            object && object->objectName() == name)
            return object;
    return nullptr;
}

class Compare : public WindowTest {
  protected:
    void SetUp() override {
        StartWithEngine();
        window->resize(1000, 700);
        hold = Control<QAction>("HoldComparison1");
        release = Control<QAction>("ReleaseComparison1");
    }
    // Changes the piston diameter and waits for the run that follows.
    void ChangeDesign(const QString& diameter) {
        const int runs = Runs();
        Control<QLineEdit>("EditPistonDiameter")->setText(diameter);
        SettleAfter(runs);
    }
    QAction* hold = nullptr;
    QAction* release = nullptr;
};

TEST_F(Compare, HoldKeepsTheRunsCurvesUnderTheLiveOnesUntilRelease) {
    ASSERT_TRUE(hold->isEnabled());
    EXPECT_FALSE(release->isEnabled());
    const PointSeries heldRed = window->Session().Sim.Series1;
    const PointSeries heldPv = [&] {
        PointSeries pv;
        for (const ColoredPoint& p : window->Session().Sim.PVSeries) pv.push_back({p.x, p.y});
        return pv;
    }();
    const double heldPower = window->Ui().PowerSeries->Points().empty()
                                 ? 0
                                 : window->Ui().PowerSeries->Points().back().y;
    hold->trigger();
    EXPECT_TRUE(release->isEnabled());
    ChangeDesign("130");

    ChartPanel* main = Control<ChartPanel>("MainChart");
    ASSERT_EQ(main->HeldCurves().size(), 2u);
    EXPECT_TRUE(Same(main->HeldCurves()[0].points, heldRed));
    EXPECT_FALSE(
        Same(window->Session().Sim.Series1, heldRed));  // the live curve is the new design's
    QGraphicsObject* heldCurve = ChartItem(main, "MainChartHeld0");
    ASSERT_NE(heldCurve, nullptr);
    EXPECT_LT(heldCurve->zValue(), window->Ui().Series1->zValue());
    EXPECT_NE(ChartItem(main, "ComparisonLegend"), nullptr);
    const QStringList legend = main->LegendLines();
    ASSERT_EQ(legend.size(), 2);
    EXPECT_EQ(legend[0], "live: Default");
    // "held: NAME (time)": the time tells two holds of one file apart.
    EXPECT_TRUE(
        QRegularExpression(R"(^held: Default \(\d\d:\d\d:\d\d\)$)").match(legend[1]).hasMatch())
        << legend[1].toStdString();
    // The held curves fit on the axes.
    double low = 0;
    double high = 0;
    ASSERT_TRUE(CurveExtent(main->HeldCurves(), false, false, low, high));
    EXPECT_LE(main->LeftAxis()->min(), low);
    EXPECT_GE(main->LeftAxis()->max(), high);
    ChartPanel* pv = Control<ChartPanel>("PVChart");
    ASSERT_EQ(pv->HeldCurves().size(), 1u);
    EXPECT_TRUE(Same(pv->HeldCurves()[0].points, heldPv));
    ChartPanel* power = Control<ChartPanel>("Chart3");
    ASSERT_EQ(power->HeldCurves().size(), 2u);
    if (heldPower != 0) EXPECT_EQ(power->HeldCurves()[0].points.back().y, heldPower);
    EXPECT_EQ(Control<ChartPanel>("MainChartA")->HeldCurves().size(), 2u);

    Control<QTabWidget>("PageControl1")->setCurrentWidget(Control<QWidget>("GraphSheet"));
    HandlePostedEvents();
    window->grab().save("/tmp/velmora_compare_graphs.png");
    // The legend sits where no curve passes, live or held (the drawing placed it).
    for (const char* name : {"MainChart", "Chart3"}) {
        ChartPanel* panel = Control<ChartPanel>(name);
        for (int paint = 0; paint < 3; ++paint) {  // placed, then placed above if need be
            panel->grab();
            HandlePostedEvents();
        }
        QGraphicsObject* legendItem = ChartItem(panel, "ComparisonLegend");
        ASSERT_NE(legendItem, nullptr) << name;
        const QRectF box = legendItem->mapRectToParent(legendItem->boundingRect());
        int inside = 0;
        int points = 0;
        for (QGraphicsItem* item : panel->chart()->childItems()) {
            auto* curve = qobject_cast<PlotCurve*>(item->toGraphicsObject());
            if (curve == nullptr) continue;
            for (const PixelPoint& p : curve->PixelPoints()) {
                ++points;
                if (box.contains(QPointF(p.x, p.y))) ++inside;
            }
        }
        EXPECT_GE(points, 50) << name;
        EXPECT_EQ(inside, 0) << name;
    }

    // The exports carry both designs.
    const ChartData exported = window->Exports().Chart(ChartKind::Main);
    ASSERT_EQ(exported.curves.size(), 4u);
    EXPECT_TRUE(exported.curves[0].faint);
    EXPECT_TRUE(Same(exported.curves[0].points, heldRed));
    EXPECT_EQ(exported.legend.size(), 2u);
    // The files the exports write from it: the figure with the legend, the table with the
    // held curves' own columns.
    const QByteArray svg = ChartSvg(window->Exports().Chart(ChartKind::PressureVolume),
                                    QSize(kDefaultImageWidth, kDefaultImageHeight));
    EXPECT_TRUE(svg.contains("held: Default ("));
    EXPECT_TRUE(svg.contains("live: Default"));
    QFile file(Path("compare.svg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(svg);
    file.close();
    const std::string table = ChartDataTable(exported, ',');
    EXPECT_EQ(table.rfind("held: ", 0), 0u);
    // Every line has as many fields as the header: names with commas are quoted.
    const auto fields = [](const std::string& line) {
        int count = 1;
        bool quoted = false;
        for (const char c : line) {
            if (c == '"') quoted = !quoted;
            if (c == ',' && !quoted) ++count;
        }
        return count;
    };
    std::istringstream lines(table);
    std::string header;
    std::getline(lines, header);
    EXPECT_EQ(fields(header), 6);
    for (std::string line; std::getline(lines, line);) ASSERT_EQ(fields(line), 6) << line;

    // Release: the live curves alone, everywhere.
    release->trigger();
    EXPECT_FALSE(release->isEnabled());
    for (const char* name : {"MainChart", "MainChartA", "PVChart", "Chart3"}) {
        EXPECT_TRUE(Control<ChartPanel>(name)->HeldCurves().empty()) << name;
        EXPECT_TRUE(Control<ChartPanel>(name)->LegendLines().isEmpty()) << name;
    }
    EXPECT_EQ(ChartItem(main, "MainChartHeld0"), nullptr);
    EXPECT_EQ(ChartItem(main, "ComparisonLegend"), nullptr);
    EXPECT_EQ(window->Exports().Chart(ChartKind::Main).curves.size(), 2u);
    EXPECT_TRUE(window->Exports().Chart(ChartKind::Main).legend.empty());
}

// Holding again replaces the reference only when the user says so.
// The exported report gives the held design's power to build by after the live one's, each
// from its own design: a smaller piston makes less power.
TEST_F(Compare, TheReportGivesTheHeldDesignsPowerToBuildBy) {
    EXPECT_EQ(window->Exports().Report().buildBy.front(), "Power to build by");
    hold->trigger();
    const std::string heldName = window->findChild<CompareCommands*>()->Held()->name;
    const std::string heldPower = window->Exports().Report().buildBy[1];
    const double diameter = Control<QLineEdit>("EditPistonDiameter")->text().toDouble();
    ChangeDesign(QString::number(diameter * 0.8));
    const std::vector<std::string> lines = window->Exports().Report().buildBy;
    const auto held = std::find(lines.begin(), lines.end(), "Held design: " + heldName);
    ASSERT_NE(held, lines.end());
    ASSERT_NE(held + 1, lines.end());
    EXPECT_EQ(*(held + 1), heldPower);  // as it was when held
    EXPECT_NE(lines[1], heldPower);
    const auto watts = [](const std::string& line) {
        std::string digits;
        for (const char c : line.substr(line.find(": ") + 2))
            if (std::isdigit(static_cast<unsigned char>(c))) digits += c;
        return std::stod(digits);
    };
    EXPECT_LT(watts(lines[1]), watts(heldPower));
    release->trigger();
    const std::vector<std::string> released = window->Exports().Report().buildBy;
    EXPECT_EQ(std::count_if(released.begin(), released.end(),
                            [](const std::string& l) { return l.rfind("Held design", 0) == 0; }),
              0);
}

TEST_F(Compare, HoldingAgainAsksBeforeReplacingTheHeldDesign) {
    hold->trigger();
    const std::string first = window->findChild<CompareCommands*>()->Held()->name;
    EXPECT_TRUE(dialogs->Questions.isEmpty());
    ChangeDesign("130");
    dialogs->ConfirmAnswers = {false};
    hold->trigger();
    ASSERT_EQ(dialogs->Questions.size(), 1);
    EXPECT_TRUE(dialogs->Questions.front().contains(QString::fromStdString(first)));
    EXPECT_EQ(window->findChild<CompareCommands*>()->Held()->name, first);
    const PointSeries kept = Control<ChartPanel>("MainChart")->HeldCurves()[0].points;
    dialogs->ConfirmAnswers = {true};
    hold->trigger();
    EXPECT_EQ(dialogs->Questions.size(), 2);
    EXPECT_FALSE(Same(Control<ChartPanel>("MainChart")->HeldCurves()[0].points, kept));
}

}  // namespace
}  // namespace velmora::testing
