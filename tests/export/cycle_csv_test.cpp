// The cycle and pressure/volume tables read back equal to what the run itself recorded.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>

#include "export/session_exports.h"
#include "export/support/export_fixture.h"
#include "presentation/shown_run.h"
#include "simulation/sample_text.h"
#include "simulation/simulation_output.h"

namespace velmora {
namespace {

using testing::CommentLines;
using testing::CsvRows;
using testing::ExamplePath;
using testing::LoadAndCompute;

double Read(const std::string& field) {
    std::size_t used = 0;
    const double value = std::stod(field, &used);
    EXPECT_EQ(used, field.size()) << field;
    return value;
}

class CycleCsvTest : public ::testing::Test {
  protected:
    void SetUp() override { LoadAndCompute(session, ExamplePath("Default.INI")); }
    RecordingSession session;
};

TEST_F(CycleCsvTest, SiColumnsReadBackAsTheSampleLists) {
    const auto rows = CsvRows(CycleCsvOf(session, CsvUnits::SI));
    const ShownRun& sim = session.Sim;
    ASSERT_EQ(rows.size(), sim.SampleX.size() + 1);
    ASSERT_EQ(rows.size(), 3 * 361 + 1u);  // three graphed cycles of 361 steps
    EXPECT_EQ(rows[0][0], "step_count");
    EXPECT_EQ(rows[0][3], "displacer_position_m");
    EXPECT_EQ(rows[0][8], "instantaneous_pressure_Pa");
    EXPECT_EQ(rows[0][14], "displacer_velocity_m_s");
    for (std::size_t i = 0; i < sim.SampleX.size(); ++i) {
        const auto& row = rows[i + 1];
        ASSERT_EQ(row.size(), 15u);
        // The sample lists keep 15 significant digits (their text); the file keeps every
        // digit, so the two agree in that text. The file graphs against degrees: the x
        // samples are the step counts.
        EXPECT_EQ(Read(row[0]), sim.SampleX[i]);  // whole step counts
        EXPECT_EQ(SampleText(Read(row[3])), SampleText(sim.SampleDispPos[i]));
        EXPECT_EQ(SampleText(Read(row[4])), SampleText(sim.SamplePistonPos[i]));
        EXPECT_EQ(SampleText(Read(row[7])), SampleText(sim.SampleTotalVolume[i]));
        EXPECT_EQ(SampleText(Read(row[8])), SampleText(sim.SamplePressure[i]));
        const double crank = Read(row[2]);
        EXPECT_EQ(crank, static_cast<double>(std::stoi(row[0]) % 360));
    }
}

TEST_F(CycleCsvTest, OutputColumnsReadBackAsBothCurves) {
    const auto rows = CsvRows(CycleCsvOf(session, CsvUnits::Output));
    const ShownRun& sim = session.Sim;
    // Red: displacer position, blue: piston position, in mm.
    EXPECT_EQ(rows[0][3], "displacer_position_mm");
    EXPECT_EQ(rows[0][5], "hot_volume_mm3");
    EXPECT_EQ(rows[0][8], "instantaneous_pressure_atm");
    EXPECT_EQ(rows[0][13], "displacer_acceleration_mm_sec2");
    ASSERT_EQ(rows.size(), sim.Series1.size() + 1);
    for (std::size_t i = 0; i < sim.Series1.size(); ++i) {
        EXPECT_EQ(Read(rows[i + 1][3 + session.State.RedGraphRG]), sim.Series1[i].y);
        EXPECT_EQ(Read(rows[i + 1][3 + session.State.BlueGraphRG]), sim.Series2[i].y);
        EXPECT_EQ(Read(rows[i + 1][0]), sim.Series1[i].x);
    }
}

TEST_F(CycleCsvTest, TwelveCurvesAgainstSecondsReadBack) {
    // Every quantity in turn on the red curve, against seconds with an x-axis offset.
    session.State.XAxisRG = 0;
    session.State.EditXAxisOffset = "90";
    for (int q = 0; q < kCurveItemCount; ++q) {
        session.State.RedGraphRG = q;
        session.Compute(true, true);
        const auto rows = CsvRows(CycleCsvOf(session, CsvUnits::Output));
        const ShownRun& sim = session.Sim;
        ASSERT_EQ(rows.size(), sim.Series1.size() + 1) << q;
        for (std::size_t i = 0; i < sim.Series1.size(); ++i) {
            ASSERT_EQ(Read(rows[i + 1][3 + q]), sim.Series1[i].y) << q << " row " << i;
            ASSERT_EQ(Read(rows[i + 1][1]), sim.Series1[i].x) << q << " row " << i;
            ASSERT_EQ(SampleText(Read(rows[i + 1][1])), SampleText(sim.SampleX[i]));
        }
        // Step 1 with the crank 90 degrees on.
        EXPECT_EQ(rows[1][2], "91");
    }
}

TEST_F(CycleCsvTest, PvPointsReadBackAsTheDiagram) {
    const std::string csv = PvCsvOf(session);
    const auto rows = CsvRows(csv);
    const ShownRun& sim = session.Sim;
    EXPECT_EQ(rows[0], (std::vector<std::string>{"total_volume_m3", "pressure_Pa"}));
    ASSERT_EQ(rows.size(), sim.PVSeries.size() + 1);
    const OutputUnits& units = session.State.outputs;
    for (std::size_t i = 0; i < sim.PVSeries.size(); ++i) {
        EXPECT_EQ(VolumeToOutput(units, Read(rows[i + 1][0])), sim.PVSeries[i].x);
        EXPECT_EQ(PressureToOutput(units, Read(rows[i + 1][1])), sim.PVSeries[i].y);
    }
    const auto comments = CommentLines(csv);
    ASSERT_EQ(comments.size(), 2u);
    const ParameterSet& params = session.Driver.Params;
    EXPECT_GT(params.PVPowerAtEngineSpeed, 0);
    EXPECT_EQ(Read(comments[0].substr(comments[0].find('=') + 1)), params.PVPowerAtEngineSpeed);
    EXPECT_EQ(Read(comments[1].substr(comments[1].find('=') + 1)), params.PVPowerAtOmegaBar);
}

TEST_F(CycleCsvTest, RunWithoutGraphedCycleGivesHeaderAndNote) {
    session.State.EditEngineSpeed.text = "";  // nothing moves without a speed
    session.Compute(true, true);
    for (const CsvUnits units : {CsvUnits::SI, CsvUnits::Output}) {
        const std::string csv = CycleCsvOf(session, units);
        EXPECT_EQ(CsvRows(csv).size(), 1u);
        EXPECT_EQ(CommentLines(csv), std::vector<std::string>{kNoGraphedCycleLine});
    }
    const std::string pv = PvCsvOf(session);
    EXPECT_EQ(CsvRows(pv).size(), 1u);
    EXPECT_EQ(CommentLines(pv).front(), kNoGraphedCycleLine);
}

// A comma as decimal point and dots as thousands groups, as a German locale has them.
class GermanNumbers : public std::numpunct<char> {
  protected:
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST_F(CycleCsvTest, SameBytesUnderAGermanLocale) {
    const std::string cycle = CycleCsvOf(session, CsvUnits::Output);
    const std::string pv = PvCsvOf(session);
    const std::string power = PowerCurveCsvOf(session);
    // The C library's locale when the machine has it, the C++ one always.
    const std::string oldC = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    const std::locale oldGlobal =
        std::locale::global(std::locale(std::locale::classic(), new GermanNumbers));
    const std::string germanCycle = CycleCsvOf(session, CsvUnits::Output);
    const std::string germanPv = PvCsvOf(session);
    const std::string germanPower = PowerCurveCsvOf(session);
    std::locale::global(oldGlobal);
    std::setlocale(LC_ALL, oldC.c_str());
    EXPECT_EQ(germanCycle, cycle);
    EXPECT_EQ(germanPv, pv);
    EXPECT_EQ(germanPower, power);
    EXPECT_EQ(cycle.find("e+"), std::string::npos);
}

}  // namespace
}  // namespace velmora
