// velmora-cli sweep as the user runs it: CSV with '.' decimals whatever the locale, the same
// rows with one thread or two, and one line on standard error with status 2 for bad input.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/cli_runner.h"
#include "persistence/file_text.h"
#include "persistence/temp_folder.h"

namespace velmora {
namespace {

// Runs `velmora-cli sweep KESTMORE.RBP` followed by `arguments` (already quoted for the shell).
testing::CliResult Sweep(const std::string& arguments,
                         const std::string& environment = "LC_ALL=C") {
    return testing::RunCli("sweep '" + testing::RuntimeDir() + "/KESTMORE.RBP' " + arguments,
                           environment);
}

TEST(CliSweep, PrintsCsvWithPointDecimalsWhateverTheLocale) {
    const std::string args =
        "--vary Displacer.Mass=0.5:2:4 --outputs schmidt_power_w,omega_bar_rad_s,dwell_hi_deg";
    const testing::CliResult c = Sweep(args);
    ASSERT_EQ(c.status, 0) << c.err;
    EXPECT_EQ(c.err, "");
    EXPECT_EQ(c.out.substr(0, c.out.find('\n')),
              "Displacer.Mass,schmidt_power_w,omega_bar_rad_s,dwell_hi_deg");
    EXPECT_EQ(std::count(c.out.begin(), c.out.end(), '\n'), 5);
    EXPECT_NE(c.out.find("\n0.5,"), std::string::npos);
    EXPECT_NE(c.out.find("\n1.5,"), std::string::npos);
    const testing::CliResult french = Sweep(args, "LC_ALL=fr_FR.UTF-8");
    EXPECT_EQ(french.out, c.out);
}

TEST(CliSweep, OneAndTwoThreadsPrintTheSameRows) {
    const std::string grid = "--vary Piston.Stroke=100:180:4 --vary Engine.Speed=300:3000:3:log";
    const testing::CliResult one = Sweep(grid + " --threads 1");
    const testing::CliResult two = Sweep(grid + " --threads 2");
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(one.out, two.out);
    EXPECT_EQ(std::count(one.out.begin(), one.out.end(), '\n'), 13);
}

TEST(CliSweep, OutputsHelpListsTheColumnsAndKeys) {
    const testing::CliResult help = Sweep("--outputs help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("  indicated_power_w\n"), std::string::npos);
    EXPECT_NE(help.out.find("  DisplacerSpring.Constant\n"), std::string::npos);
}

TEST(CliSweep, BadInputGivesOneLineAndStatusTwo) {
    for (const char* args :
         {"--vary Displacer.Mass=1:2:0", "--vary Displacer.Mass=a:2:3",
          "--vary Displacer.Mss=1:2:3", "--vary Displacer.Mass=0:2:3:log",
          "--vary Piston.Stroke=1:2:1001 --vary Hot.Temp=1:2:1000", "",
          "--vary Hot.Temp=1:2:3 --outputs nothing", "--vary Hot.Temp=1:2:3 --threads x"}) {
        const testing::CliResult bad = Sweep(args);
        EXPECT_EQ(bad.status, 2) << args;
        EXPECT_EQ(bad.out, "") << args;
        EXPECT_EQ(bad.err.rfind("velmora-cli sweep: ", 0), 0u) << bad.err;
    }
}

}  // namespace
}  // namespace velmora
