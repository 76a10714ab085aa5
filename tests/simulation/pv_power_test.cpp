#include "simulation/pv_power.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "simulation/engine_fixtures.h"
#include "simulation/raster_surface.h"

namespace velmora {
namespace {

constexpr double kTruePi = 3.14159265358979323846;
constexpr double kSpeed = 100;  // rad/s

// Output units that are SI, so the diagram's points are volumes in m^3 and pressures in Pa.
OutputUnits SiUnits() {
    OutputUnits units;
    units.LengthOutputFormatRG = 3;
    units.PressureOutputFormatRG = 2;
    return units;
}

using Points = std::vector<std::pair<double, double>>;  // (volume, pressure)

// A recorded diagram: `older` points widen the extents only; `loop` is the newest 360.
SimulationState Diagram(const Points& older, const Points& loop) {
    SimulationState sim;
    sim.PVMinVolume = 1e10;
    sim.PVMinPressure = 1e10;
    for (const Points* part : {&older, &loop}) {
        for (auto [v, p] : *part) {
            sim.PVSeries.push_back({v, p, 0});
            sim.PVMinVolume = std::min(sim.PVMinVolume, v);
            sim.PVMaxVolume = std::max(sim.PVMaxVolume, v);
            sim.PVMinPressure = std::min(sim.PVMinPressure, p);
            sim.PVMaxPressure = std::max(sim.PVMaxPressure, p);
        }
    }
    return sim;
}

Points Ellipse(double v0, double a, double p0, double b) {
    Points points;
    for (int k = 0; k < 360; ++k) {
        const double theta = 2 * kTruePi * k / 360;
        points.emplace_back(v0 + a * std::cos(theta), p0 + b * std::sin(theta));
    }
    return points;
}

// Walks the rectangle from the middle of its left edge: up, right, down, left, up again.
Points Rectangle(double v0, double v1, double p0, double p1) {
    const double pm = (p0 + p1) / 2;
    const std::vector<std::pair<double, double>> corners{{v0, pm}, {v0, p1}, {v1, p1},
                                                         {v1, p0}, {v0, p0}, {v0, pm}};
    const int counts[] = {45, 90, 90, 90, 45};
    Points points;
    for (int side = 0; side < 5; ++side) {
        for (int i = 0; i < counts[side]; ++i) {
            const double f = static_cast<double>(i) / counts[side];
            points.emplace_back(
                corners[side].first + f * (corners[side + 1].first - corners[side].first),
                corners[side].second + f * (corners[side + 1].second - corners[side].second));
        }
    }
    return points;
}

double Frequency() {
    return kSpeed / 6.28318;
}

TEST(PVPowerTest, EllipseSeededInsideGivesItsAreaTimesFrequency) {
    const SimulationState sim = Diagram({}, Ellipse(2e-3, 0.5e-3, 4e5, 1.5e5));
    const PVDiagramArea area = MeasurePVDiagram(sim, SiUnits());
    EXPECT_FALSE(area.usedPolygon);
    const double expected = kTruePi * 0.5e-3 * 1.5e5 * Frequency();
    EXPECT_NEAR(PVPowerAt(area, kSpeed), expected, 0.01 * expected);
    EXPECT_EQ(PVPower(sim, SiUnits(), kSpeed), PVPowerAt(area, kSpeed));
}

TEST(PVPowerTest, LoopsWithoutAPointOnTheLeftEdgeAreCountedByPolygon) {
    // An older point of smaller volume widens the extents: no point of the loop has px 0.
    const Points older{{1.2e-3, 4e5}, {1.3e-3, 2e5}};
    const SimulationState ellipse = Diagram(older, Ellipse(2e-3, 0.5e-3, 4e5, 1.5e5));
    PVDiagramArea area = MeasurePVDiagram(ellipse, SiUnits());
    EXPECT_TRUE(area.usedPolygon);
    double expected = kTruePi * 0.5e-3 * 1.5e5 * Frequency();
    EXPECT_NEAR(PVPowerAt(area, kSpeed), expected, 0.01 * expected);

    const SimulationState rectangle = Diagram({{0.9e-3, 2e5}}, Rectangle(1e-3, 2e-3, 1e5, 3e5));
    area = MeasurePVDiagram(rectangle, SiUnits());
    EXPECT_TRUE(area.usedPolygon);
    expected = 1e-3 * 2e5 * Frequency();
    EXPECT_NEAR(PVPowerAt(area, kSpeed), expected, 0.01 * expected);
}

TEST(PVPowerTest, RectangleFillingTheImage) {
    const SimulationState sim = Diagram({}, Rectangle(1e-3, 2e-3, 1e5, 3e5));
    const PVDiagramArea area = MeasurePVDiagram(sim, SiUnits());
    EXPECT_EQ(area.pixels, 250000);
    EXPECT_NEAR(area.work, 1e-3 * 2e5, 1e-9);
}

TEST(PVPowerTest, SeedOutsideAThinLoopCountsTheLoopNotItsSurroundings) {
    // In pixels: a triangle (0, 250), (60, 0), (300, 100) whose sharp corner on the left edge
    // leaves the seed (2, 250) outside, below it; an older point at (500, 500) sets the largest
    // volume and the lowest pressure.
    const double v0 = 1e-3;
    const double vSpan = 1e-3;
    const double p0 = 1e5;
    const double pSpan = 2e5;
    auto at = [&](double px, double py) {
        return std::make_pair(v0 + px / 500 * vSpan, p0 + (500 - py) / 500 * pSpan);
    };
    const std::pair<double, double> corners[] = {{0, 250}, {60, 0}, {300, 100}, {0, 250}};
    Points loop;
    for (int side = 0; side < 3; ++side) {
        for (int i = 0; i < 120; ++i) {
            const double f = i / 120.0;
            loop.push_back(
                at(corners[side].first + f * (corners[side + 1].first - corners[side].first),
                   corners[side].second + f * (corners[side + 1].second - corners[side].second)));
        }
    }
    const SimulationState sim = Diagram({at(500, 500)}, loop);
    const PVDiagramArea area = MeasurePVDiagram(sim, SiUnits());
    EXPECT_TRUE(area.usedPolygon);
    // 33000 square pixels, plus the part of the one-pixel outline outside the triangle; the
    // fill from the seed would have counted nearly the whole image.
    EXPECT_GT(area.pixels, 33000);
    EXPECT_LT(area.pixels, 34000);
    const double expected = 33000.0 / 250000 * vSpan * pSpan * Frequency();
    EXPECT_NEAR(PVPowerAt(area, kSpeed), expected, 0.03 * expected);
}

TEST(PVPowerTest, EqualExtentsMeasureNothing) {
    Points flat;
    for (int k = 0; k < 360; ++k) flat.emplace_back(1e-3 + k * 1e-6, 2e5);
    EXPECT_EQ(PVPower(Diagram({}, flat), SiUnits(), kSpeed), 0);
    Points still(360, {1e-3, 2e5});
    EXPECT_EQ(PVPower(Diagram({}, still), SiUnits(), kSpeed), 0);
    EXPECT_EQ(PVPower(SimulationState{}, SiUnits(), kSpeed), 0);
}

TEST(PVPowerTest, PowerIsLinearInTheSpeed) {
    const SimulationState sim = Diagram({}, Ellipse(2e-3, 0.5e-3, 4e5, 1.5e5));
    const PVDiagramArea area = MeasurePVDiagram(sim, SiUnits());
    EXPECT_DOUBLE_EQ(PVPowerAt(area, 2 * kSpeed), 2 * PVPowerAt(area, kSpeed));
    EXPECT_EQ(PVPowerAt(area, 0), 0);
}

TEST(PVPowerTest, OutputUnitsDoNotChangeTheSimulatedPower) {
    test::CountingSession session;
    session.State = test::LargeEngineControls();
    session.Compute(true, false);
    const double engineSpeed = session.Driver.Params.PVPowerAtEngineSpeed;
    const double omegaBar = session.Driver.Params.PVPowerAtOmegaBar;
    ASSERT_GT(engineSpeed, 0);
    for (auto [length, pressure] : {std::pair{0, 1}, std::pair{3, 2}, std::pair{2, 0}}) {
        session.State.outputs.LengthOutputFormatRG = length;
        session.State.outputs.PressureOutputFormatRG = pressure;
        session.Compute(true, false);
        EXPECT_NEAR(session.Driver.Params.PVPowerAtEngineSpeed, engineSpeed, 1e-9 * engineSpeed);
        EXPECT_NEAR(session.Driver.Params.PVPowerAtOmegaBar, omegaBar, 1e-9 * omegaBar);
    }
    // Only the frequency differs between the two powers.
    EXPECT_NEAR(omegaBar / engineSpeed,
                session.Driver.Params.OmegaBar / session.Driver.Params.EngineSpeed, 1e-12);
}

TEST(RasterSurfaceTest, LinesLeaveOutTheirEndPixel) {
    RasterSurface s(10, 10);
    s.MoveTo(0, 0);
    s.LineTo(3, 0, RasterSurface::kBlack);
    EXPECT_EQ(s.CountPixels(RasterSurface::kBlack), 3);
    EXPECT_EQ(s.Pixel(2, 0), RasterSurface::kBlack);
    EXPECT_EQ(s.Pixel(3, 0), RasterSurface::kWhite);
    s.LineTo(3, 3, RasterSurface::kBlack);  // from the pen's new position
    EXPECT_EQ(s.Pixel(3, 0), RasterSurface::kBlack);
    EXPECT_EQ(s.Pixel(3, 3), RasterSurface::kWhite);
    s.LineTo(3, 3, RasterSurface::kBlack);  // a point-length line draws nothing
    EXPECT_EQ(s.CountPixels(RasterSurface::kBlack), 6);
    s.Fill(RasterSurface::kWhite);
    s.MoveTo(0, 0);
    s.LineTo(4, 2, RasterSurface::kBlack);
    EXPECT_EQ(s.CountPixels(RasterSurface::kBlack), 4);  // one pixel per column
    // Far outside: clipped, and quick.
    s.MoveTo(-2000000000, 5);
    s.LineTo(2000000000, 5, RasterSurface::kBlack);
    EXPECT_EQ(s.Pixel(0, 5), RasterSurface::kBlack);
    EXPECT_EQ(s.Pixel(9, 5), RasterSurface::kBlack);
    s.MoveTo(-50, -50);
    s.LineTo(-1000000000, -7, RasterSurface::kBlack);
}

TEST(RasterSurfaceTest, FloodFillStopsAtTheBorder) {
    RasterSurface s(10, 10);
    s.MoveTo(1, 1);
    for (auto [x, y] : {std::pair{5, 1}, std::pair{5, 5}, std::pair{1, 5}, std::pair{1, 1}})
        s.LineTo(x, y, RasterSurface::kBlack);
    EXPECT_EQ(s.CountPixels(RasterSurface::kBlack), 16);
    s.FloodFill(3, 3, RasterSurface::kBlack, RasterSurface::kBlack);
    EXPECT_EQ(s.CountPixels(RasterSurface::kBlack), 25);

    RasterSurface outside = s;
    outside.FloodFill(1, 1, 128, RasterSurface::kBlack);   // seed on the border: nothing
    outside.FloodFill(-1, 3, 128, RasterSurface::kBlack);  // seed outside the image: nothing
    EXPECT_EQ(outside.CountPixels(128), 0);
    outside.FloodFill(9, 9, 128, RasterSurface::kBlack);
    EXPECT_EQ(outside.CountPixels(128), 100 - 25);
    EXPECT_EQ(outside.Pixel(0, 0), 128);
    EXPECT_EQ(outside.Pixel(3, 3), RasterSurface::kBlack);
}

// The run-based fill and bit outline against the plain pixel-by-pixel method on the byte
// image: the same pixel count and the same choice of count for every kind of loop.
void ExpectSameMeasure(const SimulationState& sim, const OutputUnits& units) {
    RasterSurface image(0, 0);
    const PVDiagramArea plain = MeasurePVDiagramOnImage(sim, units, image);
    const PVDiagramArea fast = MeasurePVDiagram(sim, units);
    ASSERT_EQ(fast.pixels, plain.pixels);
    ASSERT_EQ(fast.usedPolygon, plain.usedPolygon);
    ASSERT_EQ(fast.work, plain.work);
}

TEST(PVPowerTest, RunFillCountsWhatThePixelFillCounts) {
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int k = 0; k < 400; ++k) {
        SCOPED_TRACE(k);
        // Ellipses of any width and tilt, bow ties, random walks and spikes; some with older
        // points that widen the extents.
        Points loop;
        const int kind = k % 4;
        const double a = std::pow(10.0, -3 * unit(random));
        const double b = std::pow(10.0, -3 * unit(random));
        const double tilt = unit(random) * 3;
        for (int i = 0; i < 360; ++i) {
            const double t = 2 * kTruePi * i / 360;
            switch (kind) {
                case 0:
                    loop.emplace_back(a * std::cos(t), b * std::sin(t) + tilt * a * std::cos(t));
                    break;
                case 1:
                    loop.emplace_back(a * std::sin(t), b * std::sin(2 * t));
                    break;
                case 2:
                    loop.emplace_back(unit(random), unit(random));
                    break;
                default:
                    loop.emplace_back(a * std::cos(t), i % 90 == 0 ? 2 * b : b * std::sin(t));
                    break;
            }
        }
        Points older;
        if (random() % 3 == 0) older.emplace_back(-2 * a * unit(random), b * unit(random));
        ExpectSameMeasure(Diagram(older, loop), SiUnits());
    }
    ExpectSameMeasure(Diagram({}, Rectangle(1e-3, 2e-3, 1e5, 3e5)), SiUnits());
    for (const ControlState& engine : {test::LargeEngineControls(), test::SmallEngineControls()}) {
        for (const char* graphed : {"1", "3"}) {
            EngineSession session;
            session.State = engine;
            session.State.GraphCycleCountEdit = graphed;
            session.Compute(true, false);
            ExpectSameMeasure(session.Sim, session.State.outputs);
        }
    }
}

}  // namespace
}  // namespace velmora
