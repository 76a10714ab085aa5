// velmora-cli energy with [Gas], [Losses] and [Load]: the loss figures of the shipped lossy
// example, and one stderr line with exit status 2 for a value the model cannot use.
#include <gtest/gtest.h>

#include <string>

#include "app/cli_runner.h"
#include "persistence/temp_folder.h"

namespace velmora {
namespace {

using testing::CliResult;
using testing::RunCli;

TEST(CliLosses, TheLossyExampleReportsItsBrakePowerToBuildBy) {
    const CliResult r = RunCli("energy '" + testing::RuntimeDir() + "/KESTMORE with losses.RBP'");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* line : {"Brake power (W): 5067.9\n", "Mechanism loss (W): 3183.7\n",
                             "Conduction loss (W): 304.0\n", "Hot gas temperature (K): 799.0\n",
                             "Running speed under the load (RPM): 988.6\n"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line << r.out;
    // Without the sections the figures are not listed at all.
    const CliResult ideal = RunCli("energy '" + testing::RuntimeDir() + "/KESTMORE.RBP'");
    EXPECT_EQ(ideal.out.find("Brake power"), std::string::npos);
}

// The first block of a lossy design is the ideal engine's and says so; the lossy gas cycle's
// own figures follow under their own heading, beside (not instead of) the ideal ones, and the
// brake power is what to build by. Its shaft power = indicated power - rod work, as for the
// ideal cycle (9920.5 - 1668.9 = 8251.6 W).
TEST(CliLosses, TheIdealAndTheLossyFiguresSayWhatTheyAre) {
    const CliResult r = RunCli("energy '" + testing::RuntimeDir() + "/KESTMORE with losses.RBP'");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string expected =
        "Model: accurate\n"
        "Without losses (the ideal engine):\n"
        "Indicated power (W): 18493.3\n"
        "Shaft power (W): 15974.5\n";
    EXPECT_EQ(r.out.substr(0, expected.size()), expected);
    const std::string lossy =
        "Settled at Omega Bar: yes\n"
        "With the design's losses, gas and load (build by the brake power):\n"
        "Indicated power with losses (W): 9920.5\n"
        "Shaft power with losses (W): 8251.6\n"
        "Rod work with losses (W): 1668.9\n"
        "Gas heat in with losses (W): 18601.3\n"
        "Gas heat out with losses (W): 8680.8\n"
        "Brake power (W): 5067.9\n";
    EXPECT_NE(r.out.find(lossy), std::string::npos) << r.out;
    // CSV: the same figures as columns, and an empty note.
    const CliResult csv =
        RunCli("energy '" + testing::RuntimeDir() + "/KESTMORE with losses.RBP' --format csv");
    ASSERT_EQ(csv.status, 0) << csv.err;
    EXPECT_NE(csv.out.find(",lossy_shaft_power_w,"), std::string::npos);
    EXPECT_EQ(csv.out.substr(csv.out.size() - 2), ",\n");  // losses_note empty
}

// A rod guide whose friction exceeds any gas force holds the displacer: one line says so in
// place of every loss figure, and the CSV leaves their cells empty with the reason last.
TEST(CliLosses, ADisplacerHeldByItsGuideIsReportedInsteadOfNumbers) {
    testing::TempFolder folder;
    const std::string path = folder.File("held.RBP");
    testing::WriteBytes(path, testing::ReadBytes(testing::RuntimeDir() + "/KESTMORE.RBP") +
                                  "\n[Losses]\nRodFriction=1e6\n");
    const CliResult r = RunCli("energy '" + path + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string tail =
        "Settled at Omega Bar: yes\n"
        "With the design's losses, gas and load (build by the brake power):\n"
        "displacer does not move: friction exceeds the gas force\n";
    ASSERT_GE(r.out.size(), tail.size());
    EXPECT_EQ(r.out.substr(r.out.size() - tail.size()), tail);
    const CliResult csv = RunCli("energy '" + path + "' --format csv");
    ASSERT_EQ(csv.status, 0) << csv.err;
    EXPECT_NE(csv.out.find(",min_hot_temp_k,losses_note\n"), std::string::npos) << csv.out;
    // settled and settled_omega_bar, 25 empty loss cells, the note.
    EXPECT_NE(csv.out.find(",1,1" + std::string(26, ',') +
                           "displacer does not move: friction exceeds the gas force\n"),
              std::string::npos)
        << csv.out;
}

TEST(CliLosses, AnUnusableValueIsOneLineAndExitStatusTwo) {
    testing::TempFolder folder;
    const std::string path = folder.File("bad.RBP");
    testing::WriteBytes(path, testing::ReadBytes(testing::RuntimeDir() + "/KESTMORE.RBP") +
                                  "\n[Losses]\nMechanismEffectiveness=1.5\n");
    const CliResult r = RunCli("energy '" + path + "'");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "velmora-cli: '" + path +
                         "': [Losses] MechanismEffectiveness must be above 0 and at most 1, not "
                         "1.5\n");
    EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace velmora
