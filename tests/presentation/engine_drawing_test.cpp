#include "presentation/engine_drawing.h"

#include <gtest/gtest.h>

#include "presentation/chart_titles.h"
#include "presentation/engine_frame.h"
#include "presentation/rgb_image.h"
#include "presentation/shown_run.h"

namespace velmora {
namespace {

// Lengths in sixty-fourths of a metre, so that every product below is exact and the expected
// pixel rows and columns can be worked out by hand.
ParameterSet EngineWithPistonDiameter(double pistonDiameter) {
    ParameterSet p;
    p.DispDiameter = 0.125;
    p.DispRadius = 0.0625;
    p.DispStroke = 0.03125;
    p.DispHalfStroke = 0.015625;
    p.DispRodDiameter = 0.015625;
    p.DispRodRadius = 0.0078125;
    p.PistonDiameter = pistonDiameter;
    p.PistonStroke = 0.0625;
    p.PistonHalfStroke = 0.03125;
    return p;
}

// Layout A: s = 130 / 0.140625, m = 95, R = 211, T = 96; piston cylinder columns 95..124.
ParameterSet LayoutAEngine() {
    return EngineWithPistonDiameter(0.03125);
}
// Layout B: s = 1040, m = 55, R = 185, T = 74, P = 250, TP = 9.
ParameterSet LayoutBEngine() {
    return EngineWithPistonDiameter(0.0625);
}

ShownRun PlaceholderSamples() {
    ShownRun sim;
    sim.SampleX = {0};
    sim.SampleDispPos = {0};
    sim.SamplePistonPos = {0};
    sim.SamplePressure = {0};
    sim.SampleTotalVolume = {0};
    sim.Graphs.left = CurveChoice{};  // a run set up the graphs: the x axis in seconds
    return sim;
}

std::string BottomTitle(const ShownRun& sim) {
    return MainChartTitles(sim.Graphs).BottomAxisTitle;
}

TEST(EngineLayoutTest, PistonNarrowerThanTheDisplacerAnnulusStandsOnTop) {
    ParameterSet p = LayoutAEngine();
    EXPECT_EQ(ChooseEngineLayout(p), EngineLayout::A);
    // Equal is not enough: the annulus must be strictly wider than the piston.
    p.PistonDiameter = p.DispRadius - p.DispRodRadius;
    EXPECT_EQ(ChooseEngineLayout(p), EngineLayout::B);
    EXPECT_EQ(ChooseEngineLayout(LayoutBEngine()), EngineLayout::B);
}

TEST(EnginePictureTest, LayoutAAtMidStroke) {
    const ParameterSet p = LayoutAEngine();
    const EnginePicture picture = DrawEnginePicture(p, p.DispHalfStroke, p.PistonHalfStroke);
    ASSERT_FALSE(picture.blank);
    const RgbImage img = Rasterize(picture);

    // Hot floor red up to the excluded corner, which the black right wall then takes.
    EXPECT_EQ(img.Pixel(95, 142), kRed);
    EXPECT_EQ(img.Pixel(210, 142), kRed);
    EXPECT_EQ(img.Pixel(211, 142), kBlack);
    EXPECT_EQ(img.Pixel(211, 120), kBlack);
    // Cold top blue, opened white under the piston cylinder and around the rod.
    EXPECT_EQ(img.Pixel(180, 96), kBlue);
    EXPECT_EQ(img.Pixel(110, 96), kWhite);
    EXPECT_EQ(img.Pixel(150, 96), kWhite);
    EXPECT_EQ(img.Pixel(146, 96), kBlack);  // rod walls cross the gap
    EXPECT_EQ(img.Pixel(160, 96), kBlack);
    EXPECT_EQ(img.Pixel(95, 96), kBlack);
    // Displacer body between rows 125 and 112, columns 98 to 208.
    EXPECT_EQ(img.Pixel(150, 125), kBlack);
    EXPECT_EQ(img.Pixel(120, 112), kBlack);
    EXPECT_EQ(img.Pixel(208, 118), kBlack);
    EXPECT_EQ(img.Pixel(120, 118), kWhite);
    EXPECT_EQ(img.Pixel(120, 126), kWhite);
    // Rod top at row 83.
    EXPECT_EQ(img.Pixel(150, 83), kBlack);
    EXPECT_EQ(img.Pixel(150, 82), kWhite);
    // Piston: columns 96..123, rows 39..68; cylinder wall at 124 up to row 9, no top line.
    EXPECT_EQ(img.Pixel(96, 39), kGreen);
    EXPECT_EQ(img.Pixel(123, 68), kGreen);
    EXPECT_EQ(img.Pixel(110, 69), kWhite);
    EXPECT_EQ(img.Pixel(110, 38), kWhite);
    EXPECT_EQ(img.Pixel(124, 50), kBlack);
    EXPECT_EQ(img.Pixel(124, 10), kBlack);
    EXPECT_EQ(img.Pixel(110, 9), kWhite);
    EXPECT_EQ(img.Pixel(5, 5), kWhite);
}

TEST(EnginePictureTest, LayoutBAtMidStrokeRoundsHalvesToEven) {
    const ParameterSet p = LayoutBEngine();
    const RgbImage img = Rasterize(DrawEnginePicture(p, p.DispHalfStroke, p.PistonHalfStroke));

    EXPECT_EQ(img.Pixel(100, 142), kRed);
    EXPECT_EQ(img.Pixel(200, 142), kBlack);  // piston cylinder floor
    EXPECT_EQ(img.Pixel(100, 74), kBlue);
    EXPECT_EQ(img.Pixel(115, 74), kWhite);  // rod gap, cx = 120, r = 8
    // Rod top: 92 - rnd(32.5) = 60, not 59.
    EXPECT_EQ(img.Pixel(120, 60), kBlack);
    EXPECT_EQ(img.Pixel(120, 59), kWhite);
    // Shared wall with its opening of k = 16 rows at the foot (rows 127..141).
    EXPECT_EQ(img.Pixel(185, 141), kWhite);
    EXPECT_EQ(img.Pixel(185, 127), kWhite);
    EXPECT_EQ(img.Pixel(185, 126), kBlack);
    EXPECT_EQ(img.Pixel(185, 142), kBlack);
    EXPECT_EQ(img.Pixel(250, 60), kBlack);
    // Piston: top 140 - rnd(97.5) = 42, bottom 141 - rnd(32.5) = 109 (excluded).
    EXPECT_EQ(img.Pixel(186, 42), kGreen);
    EXPECT_EQ(img.Pixel(249, 108), kGreen);
    EXPECT_EQ(img.Pixel(200, 41), kWhite);
    EXPECT_EQ(img.Pixel(200, 109), kWhite);
}

TEST(EnginePictureTest, DisplacerAtItsLowestStopSitsThreeRowsAboveTheFloor) {
    for (const ParameterSet& p : {LayoutAEngine(), LayoutBEngine()}) {
        const RgbImage img = Rasterize(DrawEnginePicture(p, 0, 0));
        EXPECT_EQ(img.Pixel(150, 139), kBlack);
        EXPECT_EQ(img.Pixel(150, 140), kWhite);
        EXPECT_EQ(img.Pixel(150, 141), kWhite);
        EXPECT_EQ(img.Pixel(150, 142), kRed);
    }
}

TEST(EnginePictureTest, ZeroHeightOrWidthLeavesAWhiteImage) {
    ParameterSet noWidth = LayoutAEngine();
    noWidth.DispDiameter = noWidth.DispRadius = 0;
    noWidth.PistonDiameter = 0;
    ParameterSet noHeight;
    noHeight.DispDiameter = 0.1;
    noHeight.DispRadius = 0.05;
    for (const ParameterSet& p : {noWidth, noHeight, ParameterSet{}}) {
        const EnginePicture picture = DrawEnginePicture(p, 0.01, 0.01);
        EXPECT_TRUE(picture.blank);
        const RgbImage img = Rasterize(picture);
        for (int y = 0; y < img.Height(); ++y) {
            for (int x = 0; x < img.Width(); ++x) ASSERT_EQ(img.Pixel(x, y), kWhite);
        }
    }
}

TEST(EnginePictureTest, AbsurdPositionsAreClippedWithoutFailing) {
    const ParameterSet p = LayoutAEngine();
    const RgbImage img = Rasterize(DrawEnginePicture(p, 1e12, -1e12));
    EXPECT_EQ(img.Pixel(95, 142), kRed);
}

TEST(RgbImageTest, LinesExcludeTheirEndPixelInEveryDirection) {
    RgbImage img(10, 10);
    img.Fill(kWhite);
    img.Line(2, 2, 5, 2, kBlack);
    EXPECT_EQ(img.Pixel(2, 2), kBlack);
    EXPECT_EQ(img.Pixel(4, 2), kBlack);
    EXPECT_EQ(img.Pixel(5, 2), kWhite);
    img.Line(8, 8, 8, 5, kRed);
    EXPECT_EQ(img.Pixel(8, 8), kRed);
    EXPECT_EQ(img.Pixel(8, 6), kRed);
    EXPECT_EQ(img.Pixel(8, 5), kWhite);
    img.Line(0, 9, 3, 6, kBlue);
    EXPECT_EQ(img.Pixel(1, 8), kBlue);
    EXPECT_EQ(img.Pixel(3, 6), kWhite);
    img.FillRect(6, 0, 8, 2, kGreen);
    EXPECT_EQ(img.Pixel(7, 1), kGreen);
    EXPECT_EQ(img.Pixel(8, 1), kWhite);
    EXPECT_EQ(img.Pixel(7, 2), kWhite);
    img.FillRect(9, 9, 3, 3, kBlack);  // inverted: nothing
    EXPECT_EQ(img.Pixel(5, 5), kWhite);
}

TEST(EngineFrameTest, PlaceholderSamplesShowMidStrokeWithTheCursorAtZero) {
    ShownRun sim = PlaceholderSamples();
    const ParameterSet p = LayoutAEngine();
    const EngineFrame frame =
        DrawEngineFrame(sim, p, OutputUnits{}, {.position = 0, .cursorMin = -2, .cursorMax = 3});
    ASSERT_TRUE(frame.drawn);
    EXPECT_EQ(frame.xb, p.DispHalfStroke);
    EXPECT_EQ(frame.xpb, p.PistonHalfStroke);
    ASSERT_EQ(sim.Series3.size(), 2u);
    EXPECT_EQ(sim.Series3[0].x, 0);
    EXPECT_EQ(sim.Series3[0].y, -2);
    EXPECT_EQ(sim.Series3[1].x, 0);
    EXPECT_EQ(sim.Series3[1].y, 3);
    EXPECT_EQ(sim.Series3a.size(), 2u);
    EXPECT_EQ(BottomTitle(sim), "Seconds -- Phase: 0 microSec");
    // The displacer body of LayoutAEngine at mid-stroke spans rows 112..125.
    const RgbImage img = Rasterize(frame.picture);
    EXPECT_EQ(img.Pixel(150, 125), kBlack);
    EXPECT_EQ(img.Pixel(96, 39), kGreen);
}

TEST(EngineFrameTest, PositionIsClampedAndSamplesAreReadBack) {
    ShownRun sim = PlaceholderSamples();
    sim.SampleX = {0.01, 0.02, 0.03};
    sim.SampleDispPos = {-0.015625, 0, 0.015625};
    sim.SamplePistonPos = {-0.03125, 0, 0.03125};
    sim.SamplePressure = {100000, 150000, 200000};
    sim.SampleTotalVolume = {0.0001, 0.0002, 0.0003};
    const ParameterSet p = LayoutBEngine();
    OutputUnits units;  // mm and N/m^2

    EngineFrame frame = DrawEngineFrame(sim, p, units, {.position = -4});
    EXPECT_EQ(frame.position, 0);
    EXPECT_EQ(frame.xb, 0);
    EXPECT_EQ(frame.xpb, 0);
    EXPECT_EQ(BottomTitle(sim), "Seconds -- Phase: 10 milliSec");

    frame = DrawEngineFrame(sim, p, units, {.position = 3, .xAxisChoice = 1});
    EXPECT_EQ(frame.position, 2);
    EXPECT_EQ(frame.xb, p.DispStroke);
    EXPECT_EQ(frame.xpb, p.PistonStroke);
    EXPECT_EQ(BottomTitle(sim), "Seconds -- Phase: 0.03");
    ASSERT_EQ(sim.PVPhaseSeries.size(), 1u);
    EXPECT_DOUBLE_EQ(sim.PVPhaseSeries[0].x, 300000);
    EXPECT_DOUBLE_EQ(sim.PVPhaseSeries[0].y, 200000);
}

TEST(EngineFrameTest, WhileAnimatingTheTitleCarriesNoPhase) {
    ShownRun sim = PlaceholderSamples();
    sim.Graphs.xAxisChoice = 1;
    sim.Graphs.phase = PhaseMark{false, 1, 12, {}};
    ASSERT_EQ(BottomTitle(sim), "Degrees -- Phase: 12");
    DrawEngineFrame(sim, LayoutAEngine(), OutputUnits{}, {.animating = true, .xAxisChoice = 1});
    EXPECT_EQ(BottomTitle(sim), "Degrees");
    DrawEngineFrame(sim, LayoutAEngine(), OutputUnits{}, {.animating = false, .xAxisChoice = 1});
    EXPECT_EQ(BottomTitle(sim), "Degrees -- Phase: 0");
}

TEST(EngineFrameTest, BlankPictureStillMovesCursorAndPVPoint) {
    ShownRun sim = PlaceholderSamples();
    sim.SampleX = {7};
    sim.SamplePressure = {300000};
    const EngineFrame frame = DrawEngineFrame(sim, ParameterSet{}, OutputUnits{},
                                              {.xAxisChoice = 1, .cursorMin = 0, .cursorMax = 1});
    EXPECT_TRUE(frame.picture.blank);
    EXPECT_EQ(sim.Series3[0].x, 7);
    EXPECT_EQ(sim.PVPhaseSeries[0].y, 300000);
    EXPECT_EQ(BottomTitle(sim), "Seconds -- Phase: 7");
}

TEST(EngineFrameTest, NoSamplesNoDrawing) {
    ShownRun sim;
    sim.Series3 = {{1, 1}};
    EXPECT_FALSE(DrawEngineFrame(sim, LayoutAEngine(), OutputUnits{}, {}).drawn);
    EXPECT_EQ(sim.Series3.size(), 1u);
}

TEST(SampleValueTest, ReadsSampleTexts) {
    EXPECT_EQ(SampleValue("-0.0125"), -0.0125);
    EXPECT_EQ(SampleValue("1.5e-3"), 0.0015);
    EXPECT_EQ(SampleValue("0,5"), 0.5);
    EXPECT_EQ(SampleValue("abc"), 0);
    EXPECT_EQ(SampleValue(""), 0);
}

}  // namespace
}  // namespace velmora
