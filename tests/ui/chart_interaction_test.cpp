#include <QHelpEvent>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>

#include "report/number_text.h"
#include "ui/charts/chart_panel.h"
#include "ui/charts/chart_readouts.h"
#include "ui/charts/plot_curve.h"
#include "ui/mainwindow/control_state_widgets.h"
#include "ui/support/chart_clicks.h"
#include "ui/support/window_fixture.h"
#include "ui/widgets/shown_numbers.h"

namespace velmora::testing {
namespace {

void SendMouse(ChartPanel* chart, QEvent::Type type, const QPoint& at, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QWidget* target = chart->viewport();
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

void Drag(ChartPanel* chart, const QPoint& from, const QPoint& to) {
    SendMouse(chart, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    SendMouse(chart, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    SendMouse(chart, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    SendMouse(chart, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

class ChartInteraction : public WindowTest {
  protected:
    void SetUp() override {
        StartWithEngine();
        window->resize(1000, 700);
        Control<QTabWidget>("PageControl1")->setCurrentWidget(Control<QWidget>("GraphSheet"));
        HandlePostedEvents();
        chart = Control<ChartPanel>("MainChart");
    }
    QPoint PlotPoint(double xFrac, double yFrac) {
        const QRectF area = chart->chart()->plotArea();
        const QPointF at(area.left() + xFrac * area.width(), area.top() + yFrac * area.height());
        return chart->mapFromScene(chart->chart()->mapToScene(at));
    }
    QString Number(double value) {
        return ReadoutNumber(value, window->Session().State.outputs.numbers);
    }
    ChartPanel* chart = nullptr;
};

TEST_F(ChartInteraction, HoverOnTheMainGraphReadsBothCurvesAtTheNearestStep) {
    const ShownRun& sim = window->Session().Sim;
    ASSERT_GT(sim.Series1.size(), 100u);
    const QPoint at = PlotPoint(0.3, 0.5);
    const double x = chart->ValueAt(chart->BottomAxis(), at);
    const int step = NearestByX(sim.Series1, x);
    ASSERT_GT(step, 0);
    const auto i = static_cast<std::size_t>(step);
    const QString text = chart->ReadoutAt(at);
    EXPECT_EQ(text, QString("Step %1: ").arg(step) + "degrees = " + Number(sim.Series1[i].x) +
                        "; " + chart->LeftAxis()->titleText() + " = " + Number(sim.Series1[i].y) +
                        "; " + chart->RightAxis()->titleText() + " = " + Number(sim.Series2[i].y))
        << text.toStdString();
    EXPECT_FALSE(text.contains("E+") || text.contains("E-")) << text.toStdString();
    EXPECT_TRUE(chart->LeftAxis()->titleText().contains("Displacer Position"));
    // The recorded sample of that step is the displacer position in metres.
    EXPECT_NEAR(sim.SampleDispPos[i] * 1000, sim.Series1[i].y, 1e-6);
    EXPECT_TRUE(chart->ReadoutAt(QPoint(1, 1)).isEmpty());  // outside the plot area
}

TEST_F(ChartInteraction, TheHoverReadoutStaysWhileThePointerRests) {
    const QPoint at = PlotPoint(0.4, 0.5);
    const QString readout = chart->ReadoutAt(at);
    ASSERT_FALSE(readout.isEmpty());
    ASSERT_FALSE(chart->toolTip().isEmpty());  // the chart title, for a narrow chart
    SendMouse(chart, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QToolTip::text() == readout; }, 5000));
    // The pointer rests: the tooltip request that follows keeps the readout, not the title.
    QHelpEvent rest(QEvent::ToolTip, at, chart->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(chart->viewport(), &rest);
    HandlePostedEvents();
    EXPECT_EQ(QToolTip::text(), readout);
    EXPECT_TRUE(QToolTip::isVisible());
    // Outside the plot area the title is the tooltip as before.
    const QPoint corner(2, 2);
    QHelpEvent outside(QEvent::ToolTip, corner, chart->viewport()->mapToGlobal(corner));
    QCoreApplication::sendEvent(chart->viewport(), &outside);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QToolTip::text() == chart->toolTip(); }, 5000));
}

TEST_F(ChartInteraction, ADragZoomsWithoutPickingAndAClickStillPicksTheStepUnderTheMouse) {
    const double min = chart->BottomAxis()->min();
    const double max = chart->BottomAxis()->max();
    const int clicked = window->Session().ClickedFrame;
    Drag(chart, PlotPoint(0.25, 0.1), PlotPoint(0.5, 0.9));
    EXPECT_TRUE(chart->IsZoomed());
    EXPECT_EQ(window->Session().ClickedFrame, clicked);  // a drag is never a click
    EXPECT_GT(chart->BottomAxis()->min(), min);
    EXPECT_LT(chart->BottomAxis()->max(), max);

    // A click on the zoomed chart picks the step drawn under the mouse.
    const QPoint at = PlotPoint(0.5, 0.5);
    const double x = chart->ValueAt(chart->BottomAxis(), at);
    ClickChart(chart, at.x(), at.y());
    const int step = NearestByX(window->Session().Sim.Series1, x);
    EXPECT_NEAR(window->Session().ClickedFrame, step, 2);

    SendMouse(chart, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(chart->IsZoomed());
    EXPECT_EQ(chart->BottomAxis()->min(), min);
    EXPECT_EQ(chart->BottomAxis()->max(), max);

    Drag(chart, PlotPoint(0.25, 0.1), PlotPoint(0.5, 0.9));
    ASSERT_TRUE(chart->IsZoomed());
    const int runs = Runs();
    window->RedGraphRGClick();  // the next computation ends the zoom
    SettleAfter(runs);
    EXPECT_FALSE(chart->IsZoomed());
    EXPECT_EQ(chart->BottomAxis()->min(), min);
    EXPECT_EQ(chart->BottomAxis()->max(), max);
}

TEST_F(ChartInteraction, EscEndsAZoomAndTheSecondGraphsReadOut) {
    auto* pv = Control<ChartPanel>("PVChart");
    int runs = Runs();
    ChooseItem(Control<QComboBox>("ShowGraph2RG"), 1);
    SettleAfter(runs);
    HandlePostedEvents();
    chart = pv;
    const QString text = pv->ReadoutAt(PlotPoint(0.5, 0.5));
    EXPECT_TRUE(text.startsWith(pv->BottomAxis()->titleText() + " = ")) << text.toStdString();
    EXPECT_TRUE(text.contains("; " + pv->LeftAxis()->titleText() + " = ")) << text.toStdString();
    Drag(pv, PlotPoint(0.2, 0.2), PlotPoint(0.6, 0.6));
    EXPECT_TRUE(pv->IsZoomed());
    PressKey(pv, Qt::Key_Escape);
    EXPECT_FALSE(pv->IsZoomed());

    auto* power = Control<ChartPanel>("Chart3");
    runs = Runs();
    ChooseItem(Control<QComboBox>("ShowGraph2RG"), 2);
    SettleAfter(runs);
    HandlePostedEvents();
    chart = power;
    const QString readout = power->ReadoutAt(PlotPoint(0.5, 0.5));
    EXPECT_TRUE(readout.startsWith("Speed - RPM = ")) << readout.toStdString();
    EXPECT_TRUE(readout.contains("Power (watts) = ")) << readout.toStdString();
    EXPECT_TRUE(readout.contains(power->RightAxis()->titleText() + " = ")) << readout.toStdString();
}

TEST(NearestPoints, ByXAndInPixels) {
    const PointSeries points = {{0, 5}, {1, 6}, {2, 7}, {3, 8}};
    EXPECT_EQ(NearestByX(points, -4), 0);
    EXPECT_EQ(NearestByX(points, 1.4), 1);
    EXPECT_EQ(NearestByX(points, 1.5), 1);  // the first of equals
    EXPECT_EQ(NearestByX(points, 9), 3);
    EXPECT_EQ(NearestByX({}, 1), -1);
    // A 100 x 100 pixel area over 0..10 both ways: (2, 8) lies at pixel (20, 20).
    const std::vector<ColoredPoint> cloud = {{2, 8, 0}, {8, 2, 0}, {5, 5, 0}};
    const QRectF area(0, 0, 100, 100);
    EXPECT_EQ(NearestInPixels(cloud, QPointF(22, 18), area, 0, 10, 0, 10), 0);
    EXPECT_EQ(NearestInPixels(cloud, QPointF(79, 81), area, 0, 10, 0, 10), 1);
    EXPECT_EQ(NearestInPixels(cloud, QPointF(50, 50), area, 0, 10, 0, 0), -1);
}

}  // namespace
}  // namespace velmora::testing
