#include <QElapsedTimer>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <cmath>

#include "presentation/engine_frame.h"
#include "presentation/rgb_image.h"
#include "report/number_text.h"
#include "ui/charts/chart_panel.h"
#include "ui/charts/plot_curve.h"
#include "ui/pages/graphs/engine_image.h"
#include "ui/support/window_fixture.h"

namespace velmora::testing {
namespace {

class Animation : public WindowTest {
  protected:
    void SetUp() override {
        StartWithEngine();
        Control<QTabWidget>("PageControl1")->setCurrentWidget(Control<QWidget>("GraphSheet"));
    }

    const SimulationState& Sim() { return window->Session().Sim; }
    const ParameterSet& Params() { return window->Session().Driver.Params; }
    double CursorX() { return window->Ui().Series3->Points().at(0).x; }
    QString BottomTitle() { return Control<ChartPanel>("MainChart")->BottomAxis()->titleText(); }
    QColor Pixel(int x, int y) { return Control<EngineImage>("Image1")->Image().pixelColor(x, y); }

    // Draws the engine at `position` and returns the displacer's and piston's rise there (m).
    std::pair<double, double> DrawAt(int position) {
        window->DrawEngine(position);
        const auto i = static_cast<std::size_t>(position);
        return {Sim().SampleDispPos.at(i) + Params().DispHalfStroke,
                Sim().SamplePistonPos.at(i) + Params().PistonHalfStroke};
    }
};

const QColor kRedPixel(255, 0, 0);
const QColor kGreenPixel(0, 255, 0);
const QColor kBluePixel(0, 0, 255);
const QColor kBlackPixel(0, 0, 0);
const QColor kWhitePixel(255, 255, 255);

int Rnd(double v) {
    return static_cast<int>(std::nearbyint(v));  // the default mode: halves to even
}

TEST_F(Animation, StepsFiveSamplesAFrameAndWrapsToTheFirst) {
    ASSERT_EQ(Sim().SampleDispPos.size(), 1083u);
    auto* button = Control<QPushButton>("AnimateButton");
    auto* timer = Control<QTimer>("AnimateTimer");
    button->click();
    EXPECT_EQ(button->text(), "Stop Animate");
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 50);
    timer->stop();  // the frames are driven by hand below

    std::vector<int> shown;
    for (int frame = 0; frame < 218; ++frame) {
        const int position = window->Session().AnimationFrame;
        window->AnimateTimerTimer();
        shown.push_back(position);
        ASSERT_EQ(CursorX(), Sim().SampleX.at(static_cast<std::size_t>(position)));
        EXPECT_TRUE(timer->isActive());
    }
    for (int i = 0; i < 217; ++i) EXPECT_EQ(shown[static_cast<std::size_t>(i)], 5 * i);
    EXPECT_EQ(shown.back(), 0);
    EXPECT_EQ(window->Session().AnimationFrame, 5);

    button->click();
    EXPECT_EQ(button->text(), "&Animate");
    EXPECT_FALSE(timer->isActive());
}

TEST_F(Animation, TheTimerRunsItAt50Ms) {
    QElapsedTimer clock;
    clock.start();
    Control<QPushButton>("AnimateButton")->click();
    // The timer alone brings two frames, however slowly the machine draws them (a sanitizer
    // build takes longer than 50 ms for one) ...
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->Session().AnimationFrame >= 10; }, 10000));
    const int frame = window->Session().AnimationFrame;
    const qint64 elapsed = clock.elapsed();
    EXPECT_EQ(frame % 5, 0);
    EXPECT_GE(frame, 10);
    // ... and never more than one per 50 ms.
    EXPECT_LE(frame / 5, elapsed / 50 + 1) << elapsed << " ms";
}

TEST_F(Animation, ThePhaseLeavesTheTitleWhileAnimatingAndComesBackAfter) {
    window->DrawEngine(100);
    const QString still = BottomTitle();
    EXPECT_EQ(still.count(" -- Phase: "), 1) << still.toStdString();
    EXPECT_TRUE(
        still.endsWith(QString::fromStdString(FormatNumber(Sim().SampleX.at(100)))));  // degrees

    Control<QPushButton>("AnimateButton")->click();
    window->AnimateTimerTimer();
    const QString moving = BottomTitle();
    EXPECT_FALSE(moving.contains(" -- ")) << moving.toStdString();
    EXPECT_TRUE(still.startsWith(moving + " -- Phase: "));
    EXPECT_EQ(Control<ChartPanel>("MainChartA")->BottomAxis()->titleText(), moving);

    Control<QPushButton>("AnimateButton")->click();
    EXPECT_EQ(BottomTitle(), moving);  // stopping alone draws nothing
    window->DrawEngine(100);
    EXPECT_EQ(BottomTitle(), still);
}

TEST_F(Animation, AComputeRunStopsTheAnimationAndDrawsTheClickedFrame) {
    window->Session().ClickedFrame = 300;
    Control<QPushButton>("AnimateButton")->click();
    window->AnimateTimerTimer();
    FireEditTimer();
    EXPECT_EQ(Control<QPushButton>("AnimateButton")->text(), "&Animate");
    EXPECT_FALSE(Control<QTimer>("AnimateTimer")->isActive());
    EXPECT_EQ(CursorX(), Sim().SampleX.at(300));
    EXPECT_TRUE(BottomTitle().contains(" -- Phase: "));
}

TEST_F(Animation, CursorSpansTheLeftAxisAndThePvPointFollowsTheSample) {
    window->DrawEngine(500);
    const QValueAxis* left = Control<ChartPanel>("MainChartA")->LeftAxis();
    for (const PlotCurve* series : {window->Ui().Series3, window->Ui().Series3a}) {
        const std::string name = series->objectName().toStdString();
        const PointSeries& cursor = series->Points();
        ASSERT_EQ(cursor.size(), 2u) << name;
        EXPECT_DOUBLE_EQ(cursor[0].y, left->min()) << name;
        EXPECT_DOUBLE_EQ(cursor[1].y, left->max()) << name;
    }
    const auto* point = window->Ui().PVPhaseSeries;
    ASSERT_EQ(point->count(), 1);
    // Output units of the file: mm^3 and atmospheres.
    const double volume = Sim().SampleTotalVolume.at(500) * 1e9;
    EXPECT_NEAR(point->at(0).x(), volume, volume * 1e-12);
    EXPECT_NEAR(point->at(0).y(), Sim().SamplePressure.at(500) / 100000, 1e-9);
}

// KESTMORE stands in layout B (piston cylinder to the right). Columns and the cylinder rows
// worked out by hand: L = 2.5 x 0.126 m, s = 130 / L, m = 103, R = 155, T = 35, P = 202.
TEST_F(Animation, PaintsLayoutBPixelsWhereTheyBelong) {
    const double s = 130 / 0.315;
    for (const int position : {0, 270, 540, 810}) {
        SCOPED_TRACE(position);
        const auto [xb, xpb] = DrawAt(position);
        EXPECT_EQ(Pixel(0, 0), kWhitePixel);
        EXPECT_EQ(Pixel(103, 142), kRedPixel);  // the closing wall stops short of the floor
        EXPECT_EQ(Pixel(154, 142), kRedPixel);
        EXPECT_EQ(Pixel(155, 142), kBlackPixel);
        EXPECT_EQ(Pixel(110, 35), kBluePixel);
        EXPECT_EQ(Pixel(103, 80), kBlackPixel);
        EXPECT_EQ(Pixel(202, 80), kBlackPixel);  // piston cylinder, right wall
        EXPECT_EQ(Pixel(180, 34), kWhitePixel);  // open at the top
        const int lower = 139 - Rnd(xb * s);
        EXPECT_EQ(Pixel(110, lower), kBlackPixel);
        EXPECT_EQ(Pixel(110, lower + 1), kWhitePixel);
        const int pistonTop = 140 - Rnd((xpb + 0.114) * s);
        const int pistonBottom = 141 - Rnd(xpb * s);  // excluded
        EXPECT_EQ(Pixel(178, pistonTop), kGreenPixel);
        EXPECT_EQ(Pixel(178, pistonBottom - 1), kGreenPixel);
        EXPECT_EQ(Pixel(178, pistonBottom), kWhitePixel);
        EXPECT_EQ(Pixel(201, pistonTop), kGreenPixel);
        EXPECT_EQ(Pixel(202, pistonTop), kBlackPixel);
    }
}

// A wide displacer puts the piston cylinder on top (layout A): D = 0.3 m,
// L = 0.126 + 0.063 + 0.114 + 0.140 m, m = 108, R = 196, T = 84, P = 141.
TEST_F(Animation, PaintsLayoutAPixelsWhereTheyBelong) {
    Control<QLineEdit>("EditDispDiameter")->setText("300");
    FireEditTimer();
    ASSERT_DOUBLE_EQ(Params().DispDiameter, 0.3);
    const double s = 130 / 0.443;
    const auto [xb, xpb] = DrawAt(200);
    (void)xb;
    EXPECT_EQ(Pixel(110, 142), kRedPixel);
    EXPECT_EQ(Pixel(196, 142), kBlackPixel);
    EXPECT_EQ(Pixel(170, 84), kBluePixel);
    EXPECT_EQ(Pixel(143, 84), kBluePixel);
    EXPECT_EQ(Pixel(141, 84), kBlackPixel);
    EXPECT_EQ(Pixel(125, 84), kWhitePixel);  // the piston cylinder opens into the displacer's
    EXPECT_EQ(Pixel(108, 50), kBlackPixel);
    EXPECT_EQ(Pixel(141, 50), kBlackPixel);
    const double base = 0.126 + 0.063 + xpb;
    const int top = 140 - Rnd((base + 0.114) * s);
    const int bottom = 141 - Rnd(base * s);
    EXPECT_EQ(Pixel(109, top), kGreenPixel);
    EXPECT_EQ(Pixel(140, bottom - 1), kGreenPixel);
    EXPECT_EQ(Pixel(110, bottom), kWhitePixel);  // left of the displacer body
}

TEST_F(Animation, TheImageIsThePictureOfTheSimulationLayerPixelForPixel) {
    const auto [xb, xpb] = DrawAt(777);
    const RgbImage expected = Rasterize(DrawEnginePicture(Params(), xb, xpb));
    const QImage& image = Control<EngineImage>("Image1")->Image();
    ASSERT_EQ(image.size(), QSize(305, 150));
    int differences = 0;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 305; ++x) {
            const RgbColor want = expected.Pixel(x, y);
            if (image.pixelColor(x, y) != QColor(want.r, want.g, want.b)) ++differences;
        }
    EXPECT_EQ(differences, 0);
}

TEST_F(Animation, WithoutDimensionsTheImageStaysWhiteWhileCursorAndPvPointMove) {
    window->ClearParameters1Click();
    Settle(Runs() + 1);
    window->DrawEngine(0);
    const QImage& image = Control<EngineImage>("Image1")->Image();
    int coloured = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != kWhitePixel) ++coloured;
    EXPECT_EQ(coloured, 0);
    EXPECT_EQ(window->Ui().Series3->Points().size(), 2u);
    EXPECT_EQ(window->Ui().PVPhaseSeries->count(), 1);
    EXPECT_EQ(CursorX(), Sim().SampleX.at(0));
}

}  // namespace
}  // namespace velmora::testing
