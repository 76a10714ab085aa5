// Thousands of random but well-formed engines through the whole compute run: every unit
// choice, output unit, option and cycle count, values from tiny to huge. Whatever the engine,
// the run completes, the report is finite text, the sample lists are filled, and nothing of
// one run leaks into the next.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "form/control_state.h"
#include "form/output_unit_lists.h"
#include "model/compute_report.h"
#include "presentation/shown_run.h"
#include "report/unit_text.h"
#include "session/engine_session.h"
#include "simulation/engine_fixtures.h"
#include "simulation/sample_text.h"

namespace velmora {
namespace {

// Draws built on the raw engine output only, so the engines are the same on every platform.
class Dice {
  public:
    explicit Dice(std::uint64_t seed) : engine_(seed) {}

    int Below(int count) { return static_cast<int>(engine_() % static_cast<std::uint64_t>(count)); }
    bool OneIn(int count) { return Below(count) == 0; }
    double Unit() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
    double Between(double low, double high) { return low + (high - low) * Unit(); }

  private:
    std::mt19937_64 engine_;
};

// A number text the user could type: plain decimals or exponent form, sometimes with trailing
// blanks.
std::string NumberText(Dice& dice, double value) {
    char buffer[64];
    const char* format = dice.OneIn(3) ? "%.4e" : dice.OneIn(2) ? "%.6g" : "%.3f";
    std::snprintf(buffer, sizeof buffer, format, value);
    std::string text = buffer;
    if (dice.OneIn(10)) text += "  ";
    return text;
}

// A value near `typical` (a tenth to ten times it), now and then anything from 1e-300 to
// 1e300, zero, empty or not a number at all.
std::string InputText(Dice& dice, double typical) {
    switch (dice.Below(40)) {
        case 0:
            return "";
        case 1:
            return "0";
        case 2:
            return "abc";
        case 3:
            return NumberText(dice, std::pow(10.0, dice.Between(-300, 300)));
        case 4:
        case 5:
            return NumberText(dice, std::pow(10.0, dice.Between(-12, 12)));
        default:
            return NumberText(dice, typical * std::pow(10.0, dice.Between(-1, 1)));
    }
}

InputControl Input(Dice& dice, double typical, InputUnitKind kind, int typicalUnits) {
    const int units = dice.OneIn(2) ? typicalUnits : dice.Below(InputUnitItemCount(kind));
    return {InputText(dice, typical), units};
}

std::string CycleCountText(Dice& dice) {
    static const char* const kCounts[] = {"", "0", "1", "2", "3", "4", "-1", "-5", "x", "2.5"};
    return kCounts[dice.Below(10)];
}

// An engine around the large example engine in its own units (mm, kg, cm^3, C, RPM, atm).
ControlState RandomEngine(Dice& dice) {
    using Kind = InputUnitKind;
    ControlState c;
    c.EditDispDiameter = Input(dice, 127.2, Kind::Length, 1);
    c.EditDispStroke = Input(dice, 126, Kind::Length, 1);
    c.EditDispMass = Input(dice, 1, Kind::Mass, 2);
    c.EditDispRodDiameter = Input(dice, 38.1, Kind::Length, 1);
    c.EditSpringConstant = Input(dice, dice.OneIn(2) ? 0 : 500, Kind::Spring, 0);
    c.EditSpringCenter = Input(dice, dice.OneIn(2) ? 0 : 10, Kind::Length, 1);
    c.EditPistonDiameter = Input(dice, 114, Kind::Length, 1);
    c.EditPistonStroke = Input(dice, 140, Kind::Length, 1);
    c.EditDeadSpaceVol = Input(dice, 3380, Kind::Volume, 2);
    c.EditDeadSpaceTemp = Input(dice, 346, Kind::Temperature, 1);
    c.EditHotTemp = Input(dice, 650, Kind::Temperature, 1);
    c.EditColdTemp = Input(dice, 42, Kind::Temperature, 1);
    c.EditEngineSpeed = Input(dice, 1000, Kind::AngularSpeed, 0);
    c.EditMeanEnginePressure = Input(dice, 50, Kind::Pressure, 0);
    c.EditRequiredEnginePower = InputText(dice, 20000);
    c.LeakCB = dice.OneIn(2);
    c.GravityCB = dice.OneIn(2);
    c.ComputeCycleCountEdit = CycleCountText(dice);
    c.GraphCycleCountEdit = CycleCountText(dice);
    c.MaxGraphCycleCountEdit = dice.OneIn(4) ? "" : std::to_string(dice.Below(4));
    c.EditXAxisOffset = dice.OneIn(2) ? "0" : std::to_string(dice.Below(1441) - 720);
    c.RedGraphRG = dice.Below(kCurveItemCount);
    c.BlueGraphRG = dice.Below(kCurveItemCount);
    c.XAxisRG = dice.Below(kXAxisItemCount);
    c.ShowGraph2RG = dice.Below(kSecondGraphItemCount);
    for (const OutputUnitList& list : kOutputUnitLists) {
        const int items = OutputListItemCount(list);
        // A list whose key a file may lack selects no unit then (the angle); a normal state too.
        const bool noChoice = list.fileDefault >= items;
        c.outputs.*list.choice = noChoice ? dice.Below(items + 1) - 1 : dice.Below(items);
    }
    return c;
}

// "nan", "inf" or "infinity" as a word of its own, as the C++ library writes them.
bool HasNonFiniteWord(const std::string& text) {
    std::string word;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const auto c = i < text.size() ? static_cast<unsigned char>(text[i]) : ' ';
        if (std::isalpha(c)) {
            word += static_cast<char>(std::tolower(c));
            continue;
        }
        if (word == "nan" || word == "inf" || word == "infinity") return true;
        word.clear();
    }
    return false;
}

TEST(HasNonFiniteWordTest, FindsLibrarySpellingsOnly) {
    EXPECT_TRUE(HasNonFiniteWord("    Power: nan Watts"));
    EXPECT_TRUE(HasNonFiniteWord("-inf"));
    EXPECT_TRUE(HasNonFiniteWord("x=Infinity"));
    EXPECT_FALSE(HasNonFiniteWord("Information, infinite, Nanny"));
}

// Everything a run leaves for the window to show, with the engine number in each message.
void ExpectSoundRun(const EngineSession& session, int engine) {
    SCOPED_TRACE("engine " + std::to_string(engine));
    const ComputeDriver& driver = session.Driver;
    for (const auto* memo : {&driver.Memo1, &driver.Memo2}) {
        for (const std::string& line : *memo) {
            EXPECT_FALSE(HasNonFiniteWord(line)) << line;
            EXPECT_EQ(line.find("Unable to complete"), std::string::npos) << line;
        }
    }
    const ShownRun& sim = session.Sim;
    const std::size_t samples = sim.SampleX.size();
    EXPECT_GE(samples, 1u);
    for (const auto* list : {&sim.SampleX, &sim.SampleDispPos, &sim.SamplePistonPos,
                             &sim.SamplePressure, &sim.SampleTotalVolume}) {
        EXPECT_EQ(list->size(), samples);
        for (const double value : *list) {
            EXPECT_TRUE(std::isfinite(value)) << value;
            EXPECT_FALSE(HasNonFiniteWord(SampleText(value))) << value;
        }
    }
    if (sim.ShownSummary) {
        const std::array<std::string, 3> lines = CycleSummaryLines(*sim.ShownSummary);
        for (const std::string& text :
             {lines[0], lines[1], lines[2], CycleSummaryLabel(*sim.ShownSummary)})
            EXPECT_FALSE(HasNonFiniteWord(text)) << text;
    }
    if (sim.Graphs.timeIncrement) EXPECT_TRUE(std::isfinite(*sim.Graphs.timeIncrement));
    for (const auto* series : {&sim.Series1, &sim.Series2, &sim.Series1a, &sim.Series2a,
                               &sim.Chart3.PowerSeries, &sim.Chart3.PhaseOrTorqueSeries}) {
        for (const PlotPoint& p : *series) {
            EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << p.x << ", " << p.y;
        }
    }
    for (const ColoredPoint& p : sim.PVSeries) {
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << p.x << ", " << p.y;
    }
}

// What a compute run of `controls` shows, for comparing one session with another.
struct RunPicture {
    std::vector<std::string> memo1;
    std::vector<std::string> memo2;
    SampleList pressures;
    PointSeries red;
    double pvPower = 0;
};

RunPicture Picture(const EngineSession& session) {
    return {session.Driver.Memo1, session.Driver.Memo2, session.Sim.SamplePressure,
            session.Sim.Series1, session.Driver.Params.PVPowerAtEngineSpeed};
}

void ExpectSamePicture(const RunPicture& actual, const RunPicture& expected, int engine) {
    SCOPED_TRACE("reference engine after random engine " + std::to_string(engine));
    EXPECT_EQ(actual.memo1, expected.memo1);
    EXPECT_EQ(actual.memo2, expected.memo2);
    EXPECT_EQ(actual.pressures, expected.pressures);
    ASSERT_EQ(actual.red.size(), expected.red.size());
    for (std::size_t i = 0; i < actual.red.size(); ++i) {
        ASSERT_EQ(actual.red[i].y, expected.red[i].y) << "point " << i;
    }
    EXPECT_EQ(actual.pvPower, expected.pvPower);
}

constexpr int kEngines = 3000;
constexpr int kReferenceEvery = 25;

TEST(RandomEnginesTest, EveryEngineComputesToFiniteTextAndLeavesNothingBehind) {
    // The reference engine as a fresh window computes it, with every kind of curve shown.
    ControlState reference = test::LargeEngineControls();
    reference.ShowGraph2RG = 2;
    test::CountingSession fresh;
    fresh.powerCurveShown = true;
    fresh.State = reference;
    fresh.Compute(true, true);
    const RunPicture expected = Picture(fresh);
    ASSERT_FALSE(expected.memo2.empty());

    Dice dice(20240611);
    test::CountingSession session;
    int graphed = 0;
    for (int engine = 0; engine < kEngines; ++engine) {
        session.State = RandomEngine(dice);
        session.powerCurveShown = ShowsPowerCurve(session.State.ShowGraph2RG);
        const int runsBefore = session.Driver.RunCount();
        session.Compute(true, true);
        ASSERT_EQ(session.Driver.RunCount(), runsBefore + 1) << "engine " << engine;
        if (session.Sim.SampleX.size() > 1) ++graphed;
        ExpectSoundRun(session, engine);
        if (::testing::Test::HasFailure()) {
            ADD_FAILURE() << "first failing engine: " << engine;
            return;
        }

        if (engine % kReferenceEvery == 0) {
            session.State = reference;
            session.powerCurveShown = true;
            session.Compute(true, true);
            ExpectSamePicture(Picture(session), expected, engine);
            if (::testing::Test::HasFailure()) return;
        }
    }
    // Many engines are complete enough to graph a cycle; the dice must not have drifted into
    // nothing but missing inputs.
    EXPECT_GT(graphed, kEngines / 10);
    std::printf("%d random engines computed, %d with graphed cycles\n", kEngines, graphed);
}

}  // namespace
}  // namespace velmora
