// The exact loop integral of p dV and the rounded sample values behind the sample texts.
#include "simulation/indicated_power.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "simulation/sample_text.h"

namespace velmora {
namespace {

constexpr double kTruePi = 3.14159265358979323846;

TEST(LoopWork, RectangleGivesItsAreaWithTheSignOfItsDirection) {
    // 2e-4 m^3 wide, 3e5 Pa high, around a mean pressure of 5e6 Pa: 60 J.
    const std::vector<LoopPoint> clockwise{
        {1e-4, 5.3e6}, {3e-4, 5.3e6}, {3e-4, 5.0e6}, {1e-4, 5.0e6}};
    EXPECT_NEAR(LoopWork(clockwise), 60, 60 * 1e-12);
    const std::vector<LoopPoint> anticlockwise(clockwise.rbegin(), clockwise.rend());
    EXPECT_NEAR(LoopWork(anticlockwise), -60, 60 * 1e-12);
}

TEST(LoopWork, EllipseOfManyCornersGivesThePolygonsArea) {
    // n corners on an ellipse of half axes a, b: (n / 2) a b sin(2 pi / n), clockwise.
    const double a = 5e-5;
    const double b = 2e5;
    for (const int n : {360, 7}) {
        std::vector<LoopPoint> loop;
        for (int i = 0; i < n; ++i) {
            const double angle = -2 * kTruePi * i / n;
            loop.push_back({2e-4 + a * std::cos(angle), 3e6 + b * std::sin(angle)});
        }
        const double expected = n / 2.0 * a * b * std::sin(2 * kTruePi / n);
        EXPECT_NEAR(LoopWork(loop), expected, expected * 1e-12) << n;
    }
}

TEST(LoopWork, FigureEightGivesTheDifferenceOfItsLobes) {
    // A bow tie whose edges cross at (2.4, 1.6): the left lobe (0,0) (0,4) (2.4,1.6) runs
    // clockwise and holds 4.8, the right lobe (2.4,1.6) (3,1) (3,2) anticlockwise and holds 0.3.
    const std::vector<LoopPoint> loop{{0, 0}, {0, 4}, {3, 1}, {3, 2}};
    EXPECT_NEAR(LoopWork(loop), 4.8 - 0.3, 1e-14);
}

TEST(LoopWork, FewerThanThreeCornersEncloseNothing) {
    EXPECT_EQ(LoopWork({}), 0);
    EXPECT_EQ(LoopWork({{1, 2}, {3, 4}}), 0);
    SimulationState sim;
    sim.PVSeries = {{1, 1, 0}, {2, 2, 0}};
    EXPECT_FALSE(IndicatedWork(sim, OutputUnits{}).has_value());
}

TEST(IndicatedWork, UsesTheNewest360PointsInSi) {
    SimulationState sim;
    OutputUnits units;  // volume in mm^3, pressure in N/m^2
    // An older square that must not count, then a 360-corner square of 1e9 mm^3 (1 m^3) by
    // 2 Pa, clockwise.
    for (int i = 0; i < 100; ++i) sim.PVSeries.push_back({0, 1e9, 0});
    for (int i = 0; i < 90; ++i) sim.PVSeries.push_back({1e9 * i / 90.0, 2, 0});
    for (int i = 0; i < 90; ++i) sim.PVSeries.push_back({1e9, 2 - 2 * i / 90.0, 0});
    for (int i = 0; i < 90; ++i) sim.PVSeries.push_back({1e9 - 1e9 * i / 90.0, 0, 0});
    for (int i = 0; i < 90; ++i) sim.PVSeries.push_back({0, 2 * i / 90.0, 0});
    const std::optional<double> work = IndicatedWork(sim, units);
    ASSERT_TRUE(work.has_value());
    EXPECT_NEAR(*work, 2, 1e-12);
}

std::uint64_t Bits(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

TEST(RoundedSample, IsTheValueItsTextReadsBackAsAndKeepsTheText) {
    std::mt19937_64 random(12);
    std::uniform_real_distribution<double> exponent(-30, 30);
    std::vector<double> values{0.0,
                               -0.0,
                               1.0,
                               -7.0,
                               0.063,
                               1.0 / 3,
                               1e15,
                               1e-13,
                               5e-324,
                               1.7e308,
                               123456789012345.6,
                               0.1 + 0.2,
                               99999999999999.95,
                               9.999999999999995e-5};
    for (int i = 0; i < 200000; ++i) {
        const double magnitude = std::pow(10.0, exponent(random));
        values.push_back(random() % 2 ? magnitude : -magnitude);
        std::uint64_t bits = random();
        double any = 0;
        std::memcpy(&any, &bits, sizeof any);
        if (std::isfinite(any)) values.push_back(any);
    }
    for (const double value : values) {
        const std::string text = SampleText(value);
        ASSERT_EQ(Bits(RoundedSample(value)), Bits(SampleTextValue(text))) << text;
        ASSERT_EQ(SampleText(RoundedSample(value)), text) << text;
    }
    EXPECT_EQ(RoundedSample(std::nan("")), 0);
    EXPECT_EQ(RoundedSample(-INFINITY), 0);
}

}  // namespace
}  // namespace velmora
