// velmora-cli optimize: exit statuses, one line for each bad argument with nothing written,
// and OUT read back by velmora-cli report showing the objective the table printed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

#include "app/cli_runner.h"
#include "persistence/temp_folder.h"

namespace velmora {
namespace {

testing::CliResult RunCli(const std::string& arguments, const testing::TempFolder& folder) {
    return testing::RunShell(folder, testing::QuotedCli() + " " + arguments);
}

std::string Kestmore() {
    return "'" + std::string(std::getenv("VELMORA_SOURCE_DIR")) + "/examples/KESTMORE.RBP'";
}

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

TEST(OptimizeCommand, BadArgumentsGiveOneLineAndWriteNothing) {
    const testing::TempFolder folder;
    const std::string out = folder.File("OUT.RBP");
    const std::string base = "optimize " + Kestmore() + " --objective pv-engine-speed ";
    const std::pair<std::string, std::string> cases[] = {
        {"--vary Piston.Stroke=200:100", "Piston.Stroke: FROM (200) must be below TO (100)"},
        {"--vary Piston.Stroke=-10:100",
         "Piston.Stroke: FROM (-10) is below 0, which the input cannot hold"},
        {"", "no input to vary (give --vary SECTION.KEY)"},
        {"--vary Piston.Stroke --vary Piston.Stroke", "Piston.Stroke is varied twice"},
        {"--vary Piston.Stroke --constraint hot",
         "unknown constraint 'hot' (not-overdriven, "
         "beta-min, tau-rho, dwell-min, loss-max)"},
        {"--vary Piston.Stroke --max-evals 0",
         "--max-evals must be a whole number from 1 to 10000000"},
        {"--vary Piston.Stroke --frobnicate", "unknown option '--frobnicate'"},
        {"--vary Piston.Stroke --max-evals 5 --max-evals 6", "option '--max-evals' given twice"},
        {"--vary DisplacerSpring.Constant",
         "DisplacerSpring.Constant: FROM (0) must be below TO (0)"},  // 0.5 to 1.5 x no spring
    };
    for (const auto& [arguments, line] : cases) {
        const testing::CliResult run = RunCli(base + arguments + " -o '" + out + "'", folder);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.err, "velmora-cli optimize: " + line + "\n");
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    const testing::CliResult noObjective =
        RunCli("optimize " + Kestmore() + " --vary Piston.Stroke -o '" + out + "'", folder);
    EXPECT_EQ(noObjective.status, 2);
    EXPECT_EQ(FirstLine(noObjective.err), "velmora-cli optimize: no objective given (--objective)");
    const testing::CliResult unknown =
        RunCli("optimize " + Kestmore() + " --objective best --vary Piston.Stroke -o x", folder);
    EXPECT_EQ(FirstLine(unknown.err), "velmora-cli optimize: unknown objective 'best'");
    const testing::CliResult missing =
        RunCli("optimize '" + folder.File("none.RBP") +
                   "' --objective schmidt --vary Piston.Stroke -o '" + out + "'",
               folder);
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("no such file"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(OptimizeCommand, AStartWithoutObjectiveIsRefusedAndNoFeasibleDesignIsStatusThree) {
    const testing::TempFolder folder;
    const std::string out = folder.File("OUT.RBP");
    // A file without an engine speed has no PV power at engine speed.
    const std::string noSpeed = folder.File("NoSpeed.RBP");
    testing::WriteBytes(noSpeed, "[Piston]\nStroke=140\nStrokeUnits=1\n");
    const testing::CliResult start =
        RunCli("optimize '" + noSpeed + "' --objective pv-engine-speed --vary Piston.Stroke -o '" +
                   out + "'",
               folder);
    EXPECT_EQ(start.status, 2);
    EXPECT_EQ(start.err, "velmora-cli optimize: the PV power at engine speed (W) of '" + noSpeed +
                             "' cannot be computed; nothing to start from\n");
    EXPECT_FALSE(std::filesystem::exists(out));

    const testing::CliResult none = RunCli("optimize " + Kestmore() +
                                               " --objective schmidt --vary Displacer.Mass=0.5:2"
                                               " --constraint beta-min=50 --max-evals 60 -o '" +
                                               out + "'",
                                           folder);
    EXPECT_EQ(none.status, 3);
    std::smatch used;
    ASSERT_TRUE(std::regex_search(none.out, used, std::regex("Evaluations used: (\\d+)")));
    EXPECT_LE(std::stoi(used[1]), 60);
    EXPECT_NE(none.out.find("Beta, Beta S with a spring (>= 50)  1.5684742  -"), std::string::npos)
        << none.out;
    EXPECT_EQ(none.err,
              "velmora-cli optimize: no design within the bounds meets the "
              "constraints; '" +
                  out + "' not written\n");
    EXPECT_FALSE(std::filesystem::exists(out));
}

// The number under KEY in [SECTION] of a saved parameter file.
double SavedValue(const std::string& file, const std::string& section, const std::string& key) {
    const std::string text = testing::ReadBytes(file);
    std::smatch m;
    if (!std::regex_search(text, m,
                           std::regex("\\[" + section + "\\][^\\[]*\n" + key + "=([^\r\n]*)")))
        return std::nan("");
    return std::stod(m[1]);
}

// The design as it stands (mass 1 kg, 650 degrees, 1000 rpm) lies outside each box.
TEST(OptimizeCommand, TheSavedDesignLiesWithinTheBoundsOrNoneIsSaved) {
    const testing::TempFolder folder;
    const std::string out = folder.File("O.RBP");
    struct Case {
        const char* vary;
        const char* section;
        const char* key;
        double from;
        double to;
    };
    for (const Case c : {Case{"Displacer.Mass=5:10", "Displacer", "Mass", 5, 10},
                         Case{"Engine.Speed=5000:6000", "Engine", "Speed", 5000, 6000}}) {
        std::filesystem::remove(out);
        const testing::CliResult run =
            RunCli("optimize " + Kestmore() + " --objective schmidt --vary " + c.vary +
                       " --max-evals 60 -o '" + out + "'",
                   folder);
        ASSERT_EQ(run.status, 0) << c.vary << run.err;
        const double saved = SavedValue(out, c.section, c.key);
        EXPECT_GE(saved, c.from) << c.vary;
        EXPECT_LE(saved, c.to) << c.vary;
    }
    // Below the cold side's 42 degrees no design gives power: status 3, nothing written.
    std::filesystem::remove(out);
    const testing::CliResult cold =
        RunCli("optimize " + Kestmore() +
                   " --objective schmidt --vary Hot.Temp=0:40 --max-evals 60 -o '" + out + "'",
               folder);
    EXPECT_EQ(cold.status, 3) << cold.out;
    EXPECT_NE(cold.err.find("' not written"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out));
}

// The whole-watt figure of a report line "...: 51,639 watts".
double ReportWatts(const std::string& report, const std::string& start) {
    const std::size_t at = report.find(start);
    if (at == std::string::npos) return -1;
    std::string digits;
    for (std::size_t i = report.find(": ", at + start.size()) + 2; report[i] != ' '; ++i)
        if (report[i] != ',') digits += report[i];
    return std::stod(digits);
}

TEST(OptimizeCommand, ReportOfOutShowsThePrintedObjective) {
    const testing::TempFolder folder;
    const std::string out = folder.File("OUT.RBP");
    const testing::CliResult run =
        RunCli("optimize " + Kestmore() +
                   " --objective schmidt --vary Displacer.Mass=0.5:2"
                   " --vary Piston.Diameter=100:130 --constraint not-overdriven"
                   " --constraint dwell-min=10 -o '" +
                   out + "'",
               folder);
    ASSERT_EQ(run.status, 0) << run.err;
    std::smatch m;
    ASSERT_TRUE(std::regex_search(run.out, m, std::regex("Schmidt power \\(W\\) +(\\S+) +(\\S+)")));
    const double before = std::stod(m[1]);
    const double after = std::stod(m[2]);
    EXPECT_GT(after, before);

    const testing::CliResult report = RunCli("report '" + out + "'", folder);
    ASSERT_EQ(report.status, 0);
    EXPECT_NEAR(ReportWatts(report.out, "Power: Estimated (Schmidt)"), after, 0.5);
    // Everything but the varied inputs is the file's.
    EXPECT_NE(report.out.find("    Displacer Diameter: 127.2 mm"), std::string::npos);
}

}  // namespace
}  // namespace velmora
