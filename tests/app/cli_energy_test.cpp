// velmora-cli energy and the energy sweep columns as the user runs them: the model the file
// chooses or --model names, figures that obey the first and second laws of the isothermal
// cycle, empty figures where the accurate run does not settle, one line for bad input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli_runner.h"
#include "persistence/file_text.h"
#include "persistence/parameter_file.h"
#include "persistence/temp_folder.h"
#include "session/engine_session.h"

namespace velmora {
namespace {

using testing::CliResult;
using testing::RunCli;

std::string Kestmore() {
    return testing::RuntimeDir() + "/KESTMORE.RBP";
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator)) parts.push_back(part);
    if (!text.empty() && text.back() == separator) parts.push_back("");
    return parts;
}

// The one row of `energy --format csv`, by column name.
std::map<std::string, std::string> CsvRow(const std::string& csv) {
    const std::vector<std::string> lines = Split(csv, '\n');
    std::map<std::string, std::string> row;
    if (lines.size() < 2) return row;
    const std::vector<std::string> names = Split(lines[0], ',');
    const std::vector<std::string> values = Split(lines[1], ',');
    for (std::size_t i = 0; i < names.size() && i < values.size(); ++i) row[names[i]] = values[i];
    return row;
}

double Number(const std::map<std::string, std::string>& row, const std::string& name) {
    const auto found = row.find(name);
    if (found == row.end() || found->second.empty()) return std::nan("");
    return std::stod(found->second);
}

// A copy of KESTMORE with its [Model] Integration and, optionally, other lines replaced.
std::string Variant(testing::TempFolder& folder, const std::string& model,
                    const std::vector<std::pair<std::string, std::string>>& replace = {}) {
    std::string text;
    ReadWholeFile(Kestmore(), text);
    text += "\n[Model]\nIntegration=" + model + "\n";
    for (const auto& [from, to] : replace) text.replace(text.find(from), from.size(), to);
    const std::string path = folder.File("variant.RBP");
    testing::WriteBytes(path, text);
    return path;
}

// Rho, Tau and the temperatures as the analysis gives them for the file.
ParameterSet Analysed(const std::string& file) {
    EngineSession session;
    session.Driver.Loading = true;
    LoadParameterFile(file, session.State);
    session.Driver.Loading = false;
    session.Compute(true, false);
    return session.Driver.Params;
}

TEST(CliEnergy, SpecifiedModelIsTheDefault) {
    const CliResult text = RunCli("energy '" + Kestmore() + "'");
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.err, "");
    const std::vector<std::string> lines = Split(text.out, '\n');
    ASSERT_EQ(lines.size(), 13u);  // model, eleven figures, the final line break
    EXPECT_EQ(lines[0], "Model: specified");
    EXPECT_EQ(lines[10], "Settled: yes");
    EXPECT_EQ(lines[11], "Settled at Omega Bar: yes");
    EXPECT_EQ(lines[1].rfind("Indicated power (W): ", 0), 0u);

    const CliResult csv = RunCli("energy '" + Kestmore() + "' --format csv");
    ASSERT_EQ(csv.status, 0) << csv.err;
    const auto row = CsvRow(csv.out);
    EXPECT_EQ(row.at("model"), "specified");
    EXPECT_EQ(row.at("settled"), "1");
    // Simulated at Omega Bar (1131.85 RPM), the one-degree model's signed p dV is 13,741 W,
    // far from the engine-speed diagram scaled to Omega Bar's frequency (22,261 W).
    EXPECT_NEAR(Number(row, "indicated_power_omega_bar_w"), 13741, 1);
    // indicated_power_w keeps its meaning: the sweep's column of the same design.
    const CliResult sweep = RunCli("sweep '" + Kestmore() +
                                   "' --vary Engine.Speed=1000:2000:2 --outputs indicated_power_w");
    ASSERT_EQ(sweep.status, 0) << sweep.err;
    EXPECT_EQ(Split(Split(sweep.out, '\n')[1], ',')[1], row.at("indicated_power_w"));
}

// The accurate cycle of KESTMORE at 1000 RPM, checked by the laws every closed isothermal
// cycle obeys: shaft + rod = indicated; heat in - heat out = indicated (first law); the rod
// takes rho / (1 - tau) of the work; the heats over their temperatures sum to 0 and the dead
// space's fixed volume takes no heat, so indicated / heat in is the Carnot efficiency and
// shaft / heat in is Carnot times (1 - rho / (1 - tau)).
TEST(CliEnergy, AccurateKestmoreObeysTheBalances) {
    const CliResult r = RunCli("energy '" + Kestmore() + "' --model accurate --format csv");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto row = CsvRow(r.out);
    EXPECT_EQ(row.at("model"), "accurate");
    EXPECT_EQ(row.at("settled"), "1");
    const ParameterSet p = Analysed(Kestmore());
    const double indicated = Number(row, "indicated_power_w");
    const double shaft = Number(row, "shaft_power_w");
    const double rod = Number(row, "rod_work_loss_w");
    const double in = Number(row, "heat_in_w");
    const double out = Number(row, "heat_out_w");
    const double carnot = 1 - p.ColdTemp / p.HotTemp;
    const double rodShare = p.Rho / (1 - p.Tau);
    ASSERT_GT(indicated, 10000);
    EXPECT_NEAR(shaft + rod, indicated, 1e-9 * indicated);
    EXPECT_NEAR(in - out, indicated, 1e-6 * indicated);
    EXPECT_NEAR(rod / indicated, rodShare, 1e-6);
    EXPECT_NEAR(indicated / in, carnot, 1e-6);
    EXPECT_NEAR(Number(row, "efficiency"), shaft / in, 1e-12);
    EXPECT_NEAR(Number(row, "efficiency"), carnot * (1 - rodShare), 1e-6);
    EXPECT_NEAR(Number(row, "carnot_fraction"), 1 - rodShare, 1e-6);
    const double shaftOmega = Number(row, "shaft_power_omega_bar_w");
    EXPECT_NEAR(shaftOmega / Number(row, "indicated_power_omega_bar_w"), 1 - rodShare, 1e-6);

    // The one-degree model's larger gas charge (the rod's volume ignored) and late stops put
    // its work somewhat above the accurate one.
    const auto specified = CsvRow(RunCli("energy '" + Kestmore() + "' --format csv").out);
    EXPECT_GT(Number(specified, "indicated_power_w"), indicated);
    EXPECT_LT(Number(specified, "indicated_power_w"), 1.1 * indicated);

    // The file's [Model] key chooses the same; --model overrides it either way.
    testing::TempFolder folder;
    const std::string accurateFile = Variant(folder, "accurate");
    EXPECT_EQ(RunCli("energy '" + accurateFile + "' --format csv").out, r.out);
    EXPECT_EQ(RunCli("energy '" + accurateFile + "' --model specified --format csv").out,
              RunCli("energy '" + Kestmore() + "' --format csv").out);
}

// A design whose accurate run at engine speed does not settle within its cycle limit (a heavy
// displacer at 694 RPM): empty figures and settled 0, in the energy command and in a sweep;
// the Omega Bar run, which settles, keeps its figures.
TEST(CliEnergy, UnsettledRunLeavesItsFiguresEmpty) {
    testing::TempFolder folder;
    const std::string file = Variant(
        folder, "accurate",
        {{"Speed=1000\n", "Speed=693.939393939394\n"}, {"Mass=1\n", "Mass=3.86161616161616\n"}});
    const CliResult r = RunCli("energy '" + file + "' --format csv");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto row = CsvRow(r.out);
    EXPECT_EQ(row.at("settled"), "0");
    for (const char* name : {"indicated_power_w", "shaft_power_w", "rod_work_loss_w", "heat_in_w",
                             "heat_out_w", "efficiency", "carnot_fraction"})
        EXPECT_EQ(row.at(name), "") << name;
    EXPECT_NE(row.at("shaft_power_omega_bar_w"), "");
    EXPECT_EQ(row.at("settled_omega_bar"), "1");
    const CliResult text = RunCli("energy '" + file + "'");
    EXPECT_NE(text.out.find("Shaft power (W): not settled\n"), std::string::npos);
    EXPECT_NE(text.out.find("Settled: no\n"), std::string::npos);

    const CliResult sweep =
        RunCli("sweep '" + file +
               "' --vary Displacer.Mass=3.86161616161616:1:2 --outputs "
               "indicated_power_w,shaft_power_w,rod_work_loss_w,indicated_power_omega_bar_w,"
               "shaft_power_omega_bar_w,heat_in_w,heat_out_w,efficiency,carnot_fraction,settled "
               "--threads 2");
    ASSERT_EQ(sweep.status, 0) << sweep.err;
    const std::vector<std::string> lines = Split(sweep.out, '\n');
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0],
              "Displacer.Mass,indicated_power_w,shaft_power_w,rod_work_loss_w,"
              "indicated_power_omega_bar_w,shaft_power_omega_bar_w,heat_in_w,heat_out_w,"
              "efficiency,carnot_fraction,settled");
    const std::vector<std::string> unsettled = Split(lines[1], ',');
    const std::vector<std::string> settled = Split(lines[2], ',');
    ASSERT_EQ(unsettled.size(), 11u);
    ASSERT_EQ(settled.size(), 11u);
    EXPECT_EQ(unsettled[1], "");
    EXPECT_EQ(unsettled[2], "");
    EXPECT_EQ(unsettled[10], "0");
    for (std::size_t i = 1; i < 11; ++i) EXPECT_NE(settled[i], "") << i;
    EXPECT_EQ(settled[10], "1");
}

// KESTMORE's one-degree figures under other cycle schedules. They come from the last revolution
// the schedule simulates, not from the graph: 3 cycles with 2 graphed keep the figures they had
// (the last two recorded cycles hold that revolution); with 1 graphed the step count restarts
// one cycle later, so the last revolution is another one, and its figures are those of the
// graphed revolution's PV loop. Schedules that simulate the same revolution give the same row.
TEST(CliEnergy, EveryCycleScheduleGivesTheLastRevolutionsFigures) {
    testing::TempFolder folder;
    const auto row = [&](const std::string& computed, const std::string& graphed) {
        const std::string file =
            Variant(folder, "specified",
                    {{"[ComputeCycle]\nCount=3\n", "[ComputeCycle]\nCount=" + computed + "\n"},
                     {"[GraphCycle]\nCount=3\n", "[GraphCycle]\nCount=" + graphed + "\n"}});
        const CliResult r = RunCli("energy '" + file + "' --format csv");
        EXPECT_EQ(r.status, 0) << r.err;
        return CsvRow(r.out);
    };
    const auto two = row("3", "2");
    EXPECT_EQ(two.at("shaft_power_w"), "16822.01668203549");
    const auto one = row("3", "1");
    ASSERT_NE(one.at("shaft_power_w"), "");
    EXPECT_NE(one.at("shaft_power_w"), two.at("shaft_power_w"));
    EXPECT_NEAR(Number(one, "shaft_power_w"), Number(two, "shaft_power_w"), 0.01);
    for (const char* name :
         {"rod_work_loss_w", "indicated_power_omega_bar_w", "shaft_power_omega_bar_w", "heat_in_w",
          "heat_out_w", "efficiency", "carnot_fraction"})
        EXPECT_NE(one.at(name), "") << name;
    EXPECT_EQ(one.at("settled"), "1");
    // The loop integral of the graphed cycle's PV points is a second way to its indicated work.
    const double indicated = Number(one, "indicated_power_w");
    EXPECT_NEAR(Number(one, "shaft_power_w") + Number(one, "rod_work_loss_w"), indicated,
                1e-3 * indicated);

    // The same revolution whatever is graphed: 1 cycle computed graphed once or twice; the
    // automatic schedule without equalization (3 cycles, the last graphed) with any count; and
    // none graphed against all graphed, where only the indicated power (the graphed loop) goes.
    EXPECT_EQ(row("1", "1"), row("1", "2"));
    EXPECT_EQ(row("", "1"), row("", "2"));
    EXPECT_EQ(row("", "1").at("shaft_power_w"), one.at("shaft_power_w"));
    auto none = row("3", "0");
    EXPECT_EQ(none.at("indicated_power_w"), "");
    none.erase("indicated_power_w");
    auto all = row("3", "3");
    all.erase("indicated_power_w");
    EXPECT_EQ(none, all);

    // No cycle computed: every cell empty, and the text says why.
    const std::string idle =
        Variant(folder, "specified", {{"[ComputeCycle]\nCount=3\n", "[ComputeCycle]\nCount=0\n"}});
    const CliResult text = RunCli("energy '" + idle + "'");
    EXPECT_NE(
        text.out.find("Shaft power (W): not computed (the cycle schedule computes no cycle)\n"),
        std::string::npos);
    EXPECT_NE(text.out.find("Settled: not computed (the cycle schedule computes no cycle)\n"),
              std::string::npos);
    const auto idleRow = CsvRow(RunCli("energy '" + idle + "' --format csv").out);
    for (const auto& [name, value] : idleRow) {
        if (name != "model") {
            EXPECT_EQ(value, "") << name;
        }
    }
}

// The rows of a cycle CSV as numbers (the '#' lines left out).
std::vector<std::vector<double>> CycleRows(const std::string& csv) {
    std::vector<std::vector<double>> rows;
    const std::vector<std::string> lines = Split(csv, '\n');
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].empty() || lines[i][0] == '#') continue;
        std::vector<double> row;
        for (const std::string& cell : Split(lines[i], ',')) row.push_back(std::stod(cell));
        rows.push_back(row);
    }
    return rows;
}

// The loop integral of p dV over a closed revolution of rows (trapezoids), in J.
double LoopWork(const std::vector<std::vector<double>>& rows) {
    constexpr std::size_t kVolume = 7, kPressure = 8;  // total_volume_m3, instantaneous_pressure_Pa
    double work = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& a = rows[i];
        const auto& b = rows[(i + 1) % rows.size()];
        work += (a[kPressure] + b[kPressure]) / 2 * (b[kVolume] - a[kVolume]);
    }
    return work;
}

// --format cycle: the revolution the figures come from, in the cycle command's columns. Its
// loop integral of p dV, worked out here by trapezoids, is the indicated work the figures
// give (to the trapezoids' error); each row obeys the volume sum, and the accurate run's
// rows sit on a one-degree grid from 0.
TEST(CliEnergy, CycleOfEitherModel) {
    const std::string cycleOut = RunCli("cycle '" + Kestmore() + "'").out;
    const std::string cycleHeader = cycleOut.substr(0, cycleOut.find('\n'));
    const double revolutionsPerSecond = 1000.0 / 60;
    for (const char* model : {"specified", "accurate"}) {
        SCOPED_TRACE(model);
        const std::string base = "energy '" + Kestmore() + "' --model " + model;
        const CliResult cycle = RunCli(base + " --format cycle");
        ASSERT_EQ(cycle.status, 0) << cycle.err;
        EXPECT_EQ(cycle.out.substr(0, cycle.out.find('\n')), cycleHeader);
        const std::vector<std::vector<double>> rows = CycleRows(cycle.out);
        ASSERT_EQ(rows.size(), 360u);
        // The dead space is what the total holds beyond hot and cold, the same in every row.
        const double dead = rows[0][7] - rows[0][5] - rows[0][6];
        EXPECT_GT(dead, 0);
        for (const auto& row : rows) {
            ASSERT_EQ(row.size(), 15u);
            EXPECT_NEAR(row[7] - row[5] - row[6], dead, 1e-12);
        }
        const double indicated =
            Number(CsvRow(RunCli(base + " --format csv").out), "indicated_power_w") /
            revolutionsPerSecond;
        EXPECT_NEAR(LoopWork(rows), indicated, 0.01 * std::abs(indicated));
        if (std::string(model) == "accurate") {
            for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i][2], i);
        }
        const CliResult output = RunCli(base + " --format cycle --units output");
        ASSERT_EQ(output.status, 0);
        EXPECT_NE(output.out.substr(0, output.out.find('\n')), cycleHeader);
    }

    // An accurate run that does not settle gives no rows but says why.
    testing::TempFolder folder;
    const std::string heavy = Variant(
        folder, "accurate",
        {{"Speed=1000\n", "Speed=693.939393939394\n"}, {"Mass=1\n", "Mass=3.86161616161616\n"}});
    const CliResult unsettled = RunCli("energy '" + heavy + "' --format cycle");
    ASSERT_EQ(unsettled.status, 0);
    EXPECT_EQ(unsettled.out, cycleHeader + "\n# not settled (cycle limit reached)\n");
}

// The default sweep columns stay as they were: the energy ones are computed when asked for.
TEST(CliEnergy, EnergyColumnsOnlyWhenAskedFor) {
    const CliResult r = RunCli("sweep '" + Kestmore() + "' --vary Engine.Speed=500:1000:2");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string header = r.out.substr(0, r.out.find('\n'));
    EXPECT_EQ(header.find("shaft_power_w"), std::string::npos);
    EXPECT_EQ(header.find("settled"), std::string::npos);
    EXPECT_NE(header.find("indicated_power_w"), std::string::npos);
    const CliResult help = RunCli("sweep '" + Kestmore() +
                                  "' --vary Engine.Speed=500:1000:2 "
                                  "--outputs help");
    EXPECT_NE(help.out.find("  carnot_fraction  (energy run, computed only when asked)\n"),
              std::string::npos);
}

TEST(CliEnergy, BadArgumentsAreOneLine) {
    for (const std::string& args :
         {"energy '" + Kestmore() + "' --model exact", "energy '" + Kestmore() + "' --format pdf",
          "energy '" + Kestmore() + "' --format cycle --units imperial",
          std::string("energy /nonexistent/file.RBP"), std::string("energy")}) {
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_EQ(Split(r.err, '\n').size(), 2u) << args << ": " << r.err;
    }
    const CliResult help = RunCli("energy --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: velmora-cli energy FILE [--model specified|accurate]", 0), 0u);
    EXPECT_NE(RunCli("--help").out.find("velmora-cli energy FILE"), std::string::npos);
}

// Each run answers for itself, and an empty figure says why: the one-degree model's heat
// figures of a cycle that breaks the laws are withheld (here efficiency 1.698, three times
// Carnot's, and heat out below 0), and a displacer that does not snap is no missing input.
TEST(CliEnergy, ImpossibleOneDegreeFiguresAreWithheldAndSayWhy) {
    testing::TempFolder folder;
    const std::string file = Variant(
        folder, "specified",
        {{"[Cold]\nTemp=42\n", "[Cold]\nTemp=141.553\n"}, {"Pressure=50\n", "Pressure=10.4077\n"}});
    const CliResult csv = RunCli("energy '" + file + "' --format csv");
    ASSERT_EQ(csv.status, 0) << csv.err;
    const auto row = CsvRow(csv.out);
    for (const char* name : {"heat_in_w", "heat_out_w", "efficiency", "carnot_fraction"})
        EXPECT_EQ(row.at(name), "") << name;
    EXPECT_NE(row.at("shaft_power_w"), "");
    EXPECT_EQ(row.at("settled"), "1");
    const CliResult text = RunCli("energy '" + file + "'");
    const std::size_t at = text.out.find("Thermal efficiency: not computed (the one-degree ");
    EXPECT_NE(at, std::string::npos) << text.out;
    // Every figure the model gives for sound designs stays within the laws' limits.
    const CliResult sound = RunCli("energy '" + Kestmore() + "' --format csv");
    const auto kept = CsvRow(sound.out);
    EXPECT_GT(Number(kept, "efficiency"), 0);
    EXPECT_LT(Number(kept, "carnot_fraction"), 1);
}

TEST(CliEnergy, ADisplacerThatDoesNotSnapIsSaidSo) {
    // A 20 mm piston stroke makes Beta 0.224: the displacer never snaps, there is no Omega Bar.
    testing::TempFolder folder;
    for (const char* model : {"specified", "accurate"}) {
        const std::string file = Variant(folder, model, {{"Stroke=140\n", "Stroke=20\n"}});
        const CliResult text = RunCli("energy '" + file + "'");
        ASSERT_EQ(text.status, 0) << text.err;
        EXPECT_NE(text.out.find("Shaft power simulated at Omega Bar (W): not computed (does not "
                                "snap: Beta < 1)\n"),
                  std::string::npos)
            << text.out;
        EXPECT_NE(text.out.find("Settled at Omega Bar: not computed (does not snap: Beta < 1)\n"),
                  std::string::npos)
            << text.out;
        EXPECT_EQ(text.out.find("an input is missing"), std::string::npos) << text.out;
    }
}

}  // namespace
}  // namespace velmora
