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
