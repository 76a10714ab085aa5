// The power curve table: the window's curve in its first three columns, both second
// quantities after them, the title last.
#include <gtest/gtest.h>

#include "export/power_curve_table.h"
#include "export/session_exports.h"
#include "export/support/export_fixture.h"
#include "presentation/run_graphs.h"
#include "presentation/chart_titles.h"
#include "simulation/power_speed_curve.h"
#include "simulation/simulation_host.h"

namespace velmora {
namespace {

using testing::CommentLines;
using testing::CsvRows;

TEST(PowerCurveCsv, ColumnsMatchTheWindowsCurveForBothChoices) {
    RecordingSession session;
    testing::LoadAndCompute(session, testing::ExamplePath("Default.INI"));
    for (const int choice : {2, 3}) {
        session.State.ShowGraph2RG = choice;
        PowerCurve curve;
        SimulationHost host;
        PowerSpeedCurve(session.Driver.Params, GraphSelectionOf(session.State), curve, host);
        ASSERT_FALSE(curve.PowerSeries.empty());

        const std::string csv = PowerCurveCsvOf(session);
        const auto rows = CsvRows(csv);
        ASSERT_EQ(rows.size(), curve.PowerSeries.size() + 1);
        EXPECT_EQ(rows[0][0], "rpm");
        EXPECT_EQ(rows[0][1], "power (W)");
        EXPECT_EQ(rows[0][2], choice == 2 ? "phase (deg)" : "torque (N m)");
        EXPECT_EQ(rows[0][3], "speed_rad_s");
        const std::vector<double> speeds = PowerSweepSpeeds(session.Driver.Params.OmegaBar);
        for (std::size_t i = 0; i < curve.PowerSeries.size(); ++i) {
            const auto& row = rows[i + 1];
            ASSERT_EQ(row.size(), 6u);
            EXPECT_EQ(std::stod(row[0]), curve.PowerSeries[i].x);
            EXPECT_EQ(std::stod(row[1]), curve.PowerSeries[i].y);
            EXPECT_EQ(std::stod(row[2]), curve.PhaseOrTorqueSeries[i].y);
            const double speed = std::stod(row[3]);
            EXPECT_EQ(speed, speeds[i]);
            EXPECT_NEAR(RadPerSecToRpm(speed), curve.PowerSeries[i].x, 1e-9);
            // Torque is the power over the speed in rad/s.
            EXPECT_EQ(std::stod(row[5]), curve.PowerSeries[i].y / speed);
        }
        const std::string title = PowerCurveTitle(curve);
        EXPECT_EQ(CommentLines(csv), std::vector<std::string>{"# " + title});
        EXPECT_EQ(csv.substr(csv.size() - title.size() - 3), "# " + title + "\n");
    }
}

TEST(PowerCurveCsv, TitleLineIgnoresTheUsersNumberSettings) {
    // The window runs with the locale's separators; its file must still be the command line's.
    RecordingSession session;
    testing::LoadAndCompute(session, testing::ExamplePath("Default.INI"));
    const std::string plain = PowerCurveCsvOf(session);
    session.State.outputs.numbers = MakeNumberSettings(",", ".");
    EXPECT_EQ(PowerCurveCsvOf(session), plain);
    EXPECT_NE(plain.find("# Max Power = 25,259 watts at 73.061 degrees"), std::string::npos);
    // The chart shows the title as the window does, in the user's settings.
    EXPECT_EQ(ChartOf(session, ChartKind::Power).title.substr(0, 25), "Max Power = 25.259 watts ");
}

TEST(PowerCurveCsv, FiftySpeedsUpToOmegaBar) {
    const std::vector<double> speeds = PowerSweepSpeeds(100);
    ASSERT_EQ(speeds.size(), 50u);
    EXPECT_EQ(speeds.front(), 2);
    EXPECT_NEAR(speeds.back(), 100, 1e-9);
    EXPECT_TRUE(PowerSweepSpeeds(0).empty());
}

TEST(PowerCurveCsv, NoOmegaBarGivesHeaderAndTitle) {
    ParameterSet params;
    ControlState controls;
    const std::string csv = PowerCurveCsv(ComputePowerCurveTable(params, controls));
    EXPECT_EQ(csv,
              "rpm,power (W),phase (deg),speed_rad_s,phase_deg,torque_N_m\n"
              "# Power/Phase vs RPM\n");
}

}  // namespace
}  // namespace velmora
