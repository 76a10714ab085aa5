#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>

#include "presentation/engine_frame.h"
#include "report/number_text.h"
#include "ui/charts/plot_curve.h"
#include "ui/support/chart_clicks.h"
#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

class GraphsPage : public WindowTest {
  protected:
    void SetUp() override {
        StartWithEngine();
        Control<QTabWidget>("PageControl1")->setCurrentWidget(Control<QWidget>("GraphSheet"));
        HandlePostedEvents();
    }

    const SimulationState& Sim() { return window->Session().Sim; }
    double CursorX() { return window->Ui().Series3->Points().at(0).x; }
    double SampleXAt(std::size_t i) { return Sim().SampleX.at(i); }
};

TEST_F(GraphsPage, AClickPicksTheSampleUnderTheMouseWithoutClamping) {
    auto* chart = Control<ChartPanel>("MainChart");
    const int left = chart->PlotLeft();
    const int right = chart->PlotRight();
    ASSERT_GT(right - left, 100);
    const int steps = Sim().SimStepCount;
    ASSERT_EQ(static_cast<std::size_t>(steps), Sim().SampleX.size());

    ClickChart(chart, right, PlotRow(chart));
    EXPECT_EQ(window->Session().ClickedFrame, steps);  // one past the last sample: drawn clamped
    EXPECT_EQ(window->Session().AnimationFrame, steps);
    EXPECT_EQ(CursorX(), SampleXAt(Sim().SampleX.size() - 1));
    EXPECT_EQ(window->Ui().Series3a->Points().at(0).x, CursorX());

    ClickChart(chart, left - 10, PlotRow(chart));
    EXPECT_LT(window->Session().ClickedFrame, 0);
    EXPECT_EQ(CursorX(), SampleXAt(0));

    // The copy on the design parameters page maps by its own plot area.
    auto* copy = Control<ChartPanel>("MainChartA");
    Control<QTabWidget>("PageControl1")->setCurrentWidget(Control<QWidget>("InputSheet"));
    HandlePostedEvents();
    const int x = copy->PlotLeft() + (copy->PlotRight() - copy->PlotLeft()) / 3;
    ClickChart(copy, x, PlotRow(copy));
    const double frac =
        static_cast<double>(x - copy->PlotLeft()) / (copy->PlotRight() - copy->PlotLeft());
    const int expected = static_cast<int>(std::nearbyint(steps * frac));
    EXPECT_EQ(window->Session().ClickedFrame, expected);
    EXPECT_EQ(CursorX(), SampleXAt(static_cast<std::size_t>(expected)));
}

TEST_F(GraphsPage, AClickOnTheRedCurvePicksTheSameStep) {
    auto* chart = Control<ChartPanel>("MainChart");
    int seriesClicks = 0;
    QObject::connect(chart, &ChartPanel::seriesClicked, [&] { ++seriesClicks; });
    // Point 400 of the red curve, mapped through the chart's axes by hand.
    const PointSeries& red = window->Ui().Series1->Points();
    ASSERT_GT(red.size(), 400u);
    const QRectF area = chart->chart()->plotArea();
    const QValueAxis* bottom = chart->BottomAxis();
    const QValueAxis* leftAxis = chart->LeftAxis();
    const QPointF inChart(
        area.left() + (red[400].x - bottom->min()) * area.width() / (bottom->max() - bottom->min()),
        area.bottom() -
            (red[400].y - leftAxis->min()) * area.height() / (leftAxis->max() - leftAxis->min()));
    const QPoint at = chart->mapFromScene(chart->chart()->mapToScene(inChart));
    ClickChart(chart, at.x(), at.y());
    EXPECT_EQ(seriesClicks, 1);
    const double frac =
        static_cast<double>(at.x() - chart->PlotLeft()) / (chart->PlotRight() - chart->PlotLeft());
    EXPECT_EQ(window->Session().ClickedFrame,
              static_cast<int>(std::nearbyint(Sim().SimStepCount * frac)));
}

TEST_F(GraphsPage, AClickStopsTheAnimation) {
    auto* button = Control<QPushButton>("AnimateButton");
    button->click();
    ASSERT_EQ(button->text(), "Stop Animate");
    auto* chart = Control<ChartPanel>("MainChart");
    ClickChart(chart, chart->PlotLeft() + 20, PlotRow(chart));
    EXPECT_EQ(button->text(), "&Animate");
    EXPECT_FALSE(Control<QTimer>("AnimateTimer")->isActive());
}

TEST_F(GraphsPage, SecondGraphsTakeHalfTheOuterWidthAndThePowerCurveIsRecomputedEachTime) {
    const int frame = window->frameGeometry().width() - window->width();
    window->resize(801 - frame, window->height());
    HandlePostedEvents();
    ASSERT_EQ(window->frameGeometry().width(), 801);
    auto* chart3 = Control<ChartPanel>("Chart3");
    auto* pv = Control<ChartPanel>("PVChart");
    auto* choice = Control<QComboBox>("ShowGraph2RG");

    const int before = Runs();
    ChooseItem(choice, 1);
    SettleAfter(before);
    EXPECT_EQ(Runs(), before + 1);
    HandlePostedEvents();
    EXPECT_EQ(pv->width(), 400);
    EXPECT_EQ(chart3->maximumWidth(), 400);
    EXPECT_TRUE(pv->isVisible());
    EXPECT_FALSE(chart3->isVisible());

    ChooseItem(choice, 2);
    HandlePostedEvents();
    EXPECT_EQ(chart3->width(), 400);
    EXPECT_TRUE(chart3->isVisible());
    EXPECT_FALSE(pv->isVisible());
    EXPECT_FALSE(window->Ui().PowerSeries->Points().empty());

    // Shown already, and still recomputed.
    window->Session().Sim.Chart3 = {};
    window->ShowGraph2RGClick();
    EXPECT_FALSE(window->Session().Sim.Chart3.PowerSeries.empty());
    EXPECT_FALSE(window->Ui().PowerSeries->Points().empty());

    ChooseItem(choice, 0);
    HandlePostedEvents();
    EXPECT_FALSE(chart3->isVisible());
    EXPECT_FALSE(pv->isVisible());
    EXPECT_EQ(pv->maximumWidth(), 400);
}

TEST_F(GraphsPage, TheOffsetRecomputesAtEveryKeystroke) {
    auto* offset = Control<QLineEdit>("EditXAxisOffset");
    offset->selectAll();
    const int before = Runs();
    TypeKeys(offset, "4");
    EXPECT_TRUE(window->ComputeRunning());  // at once, without the typing delay
    TypeKeys(offset, "5");  // the run for "4" is not wanted any more: one run follows for "45"
    EXPECT_FALSE(Control<QTimer>("EditChangeTimer")->isActive());
    SettleAfter(before);
    EXPECT_EQ(Runs(), before + 1);
    EXPECT_EQ(window->Session().State.EditXAxisOffset, "45");
    EXPECT_TRUE(window->Session().Driver.Memo1.size() > 0);
}

TEST_F(GraphsPage, CurveAndAxisChoicesComputeAtOnce) {
    int before = Runs();
    ChooseItem(Control<QComboBox>("RedGraphRG"), 5);  // "Instantaneous Pressure"
    EXPECT_TRUE(window->ComputeRunning());
    SettleAfter(before);
    EXPECT_EQ(Runs(), before + 1);
    EXPECT_NE(Control<ChartPanel>("MainChart")->LeftAxis()->titleText().indexOf("Pressure"), -1);

    before = Runs();
    ChooseItem(Control<QComboBox>("XAxisRG"), 0);  // "Seconds"
    SettleAfter(before);
    EXPECT_EQ(Runs(), before + 1);
    const QString title = Control<ChartPanel>("MainChart")->BottomAxis()->titleText();
    EXPECT_TRUE(title.startsWith("Seconds -- Phase: ")) << title.toStdString();
    // The engine stands still: the clicked sample's phase in seconds.
    const double xv = SampleXAt(0);
    EXPECT_TRUE(title.endsWith(" -- Phase: " + QString::fromStdString(FormatDuration(xv))))
        << title.toStdString();
}

}  // namespace
}  // namespace velmora::testing
