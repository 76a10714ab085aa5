// velmora-cli's arguments and outputs as a user meets them: --help for every command, one
// line for every bad argument, -o onto devices, links and read-only files, standard output
// that cannot be written, files without a parameter key, sweep ranges an input cannot hold.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/cli_runner.h"
#include "persistence/file_text.h"
#include "persistence/temp_folder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

const std::string kCli = testing::QuotedCli();
const std::string kKestmore = "'" + testing::RuntimeDir() + "/KESTMORE.RBP'";

// Runs `velmora-cli ARGUMENTS` (quoted for the shell) in `folder`, its standard output as
// RunShell's `stdoutTo` says.
testing::CliResult RunCli(const testing::TempFolder& folder, const std::string& arguments,
                          const std::string& stdoutTo = "") {
    return testing::RunShell(
        folder, "cd '" + folder.Path().string() + "' && LC_ALL=C " + kCli + " " + arguments,
        stdoutTo);
}

const char* const kCommands[] = {"report",     "samples", "cycle", "pv",
                                 "powercurve", "chart",   "sweep", "optimize"};

TEST(CliArguments, EveryCommandTakesHelpAndTheTopLevelHelpListsThemAll) {
    const testing::TempFolder folder;
    const testing::CliResult top = RunCli(folder, "--help");
    EXPECT_EQ(top.status, 0);
    for (const char* command : kCommands) {
        const testing::CliResult help = RunCli(folder, std::string(command) + " --help");
        EXPECT_EQ(help.status, 0) << command << ": " << help.err;
        EXPECT_EQ(help.err, "") << command;
        const std::string usage = "usage: velmora-cli " + std::string(command) + " FILE";
        EXPECT_EQ(help.out.rfind(usage, 0), 0u) << help.out;
        // The top-level help shows each command's usage line as its own help does.
        const std::string line = help.out.substr(7, help.out.find('\n') - 7);
        EXPECT_NE(top.out.find("  " + line + "\n"), std::string::npos) << line;
    }
}

TEST(CliArguments, UnknownAndRepeatedOptionsGiveOneLineInEveryCommand) {
    const testing::TempFolder folder;
    for (const char* command : kCommands) {
        const std::string name(command);
        const testing::CliResult unknown = RunCli(folder, name + " " + kKestmore + " --colour red");
        EXPECT_EQ(unknown.status, 2) << name;
        EXPECT_EQ(unknown.out, "") << name;
        EXPECT_EQ(unknown.err, "velmora-cli " + name + ": unknown option '--colour'\n");
    }
    const std::pair<std::string, std::string> repeated[] = {
        {"cycle " + kKestmore + " --units si --units output", "cycle: option '--units'"},
        {"sweep " + kKestmore + " --vary Hot.Temp=600:700:2 --threads 1 --threads 2",
         "sweep: option '--threads'"},
        {"optimize " + kKestmore +
             " --objective schmidt --objective indicated --vary Displacer.Mass -o OUT.RBP",
         "optimize: option '--objective'"},
        {"chart " + kKestmore + " --chart pv --chart main --format svg -o x.svg",
         "chart: option '--chart'"}};
    for (const auto& [arguments, line] : repeated) {
        const testing::CliResult run = RunCli(folder, arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_EQ(run.err, "velmora-cli " + line + " given twice\n");
    }
    const testing::CliResult none = RunCli(folder, "");
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.err, "velmora-cli: no command given (see velmora-cli --help)\n");
    EXPECT_TRUE(fs::is_empty(folder.Path()));
}

TEST(CliOutput, SweepWritesOutAsItPrints) {
    const testing::TempFolder folder;
    const std::string grid = "sweep " + kKestmore + " --vary Displacer.Mass=0.5:2:4 --threads 1";
    const testing::CliResult shown = RunCli(folder, grid);
    ASSERT_EQ(shown.status, 0) << shown.err;
    const testing::CliResult written = RunCli(folder, grid + " -o sweep.csv");
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(testing::ReadBytes(folder.File("sweep.csv")), shown.out);
}

TEST(CliOutput, DashIsStandardOutput) {
    const testing::TempFolder folder;
    const testing::CliResult shown = RunCli(folder, "pv " + kKestmore);
    const testing::CliResult dash = RunCli(folder, "pv " + kKestmore + " -o -");
    EXPECT_EQ(dash.status, 0) << dash.err;
    EXPECT_EQ(dash.out, shown.out);
    EXPECT_FALSE(fs::exists(folder.File("-")));
    // The optimizer's OUT is a parameter file, not text for standard output.
    const testing::CliResult optimize =
        RunCli(folder, "optimize " + kKestmore + " --objective schmidt --vary Displacer.Mass -o -");
    EXPECT_EQ(optimize.status, 2);
    EXPECT_EQ(optimize.err,
              "velmora-cli optimize: OUT is a parameter file; standard output holds "
              "the table\n");
    EXPECT_FALSE(fs::exists(folder.File("-")));
}

TEST(CliOutput, AFifoIsWrittenThroughAndKept) {
    const testing::TempFolder folder;
    const std::string fifo = folder.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Held open for reading, so the command's open does not wait for a reader.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const testing::CliResult shown = RunCli(folder, "report " + kKestmore);
    ASSERT_LT(shown.out.size(), 60000u);  // fits the pipe's buffer
    const testing::CliResult run = RunCli(folder, "report " + kKestmore + " -o pipe");
    EXPECT_EQ(run.status, 0) << run.err;
    std::string got;
    char buffer[4096];
    for (ssize_t n; (n = ::read(reader, buffer, sizeof buffer)) > 0;) got.append(buffer, n);
    ::close(reader);
    EXPECT_EQ(got, shown.out);
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(fifo)));
}

TEST(CliOutput, ALinkToStandardOutputIsWrittenThroughAndKept) {
    const testing::TempFolder folder;
    // As /dev/stdout is: a link to the process's own descriptor 1, here a pipe.
    const std::string link = folder.File("stdout-link");
    fs::create_symlink("/proc/self/fd/1", link);
    const testing::CliResult shown = RunCli(folder, "pv " + kKestmore);
    const testing::CliResult piped = RunCli(folder, "pv " + kKestmore + " -o stdout-link", "|");
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, shown.out);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
}

TEST(CliOutput, AReadOnlyFileIsRefusedAndKept) {
    const testing::TempFolder folder;
    const std::string kept = folder.File("result.csv");
    testing::WriteBytes(kept, "kept\n");
    fs::permissions(kept, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    for (const std::string& arguments :
         {"cycle " + kKestmore + " -o result.csv",
          "sweep " + kKestmore + " --vary Hot.Temp=600:700:2 -o result.csv",
          "optimize " + kKestmore + " --objective schmidt --vary Displacer.Mass -o result.csv"}) {
        const testing::CliResult run = RunCli(folder, arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_EQ(
            run.err,
            "velmora-cli: Unable to write to result.csv: Permission denied (read-only file)\n");
        EXPECT_EQ(testing::ReadBytes(kept), "kept\n");
    }
}

TEST(CliOutput, AnOptimizedDesignThatCannotBeSavedSaysWhy) {
    const testing::TempFolder folder;
    const testing::CliResult run =
        RunCli(folder, "optimize " + kKestmore +
                           " --objective schmidt --vary Displacer.Mass=0.5:2"
                           " --max-evals 20 -o gone/OUT.RBP");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "velmora-cli optimize: Unable to write to " + folder.File("gone/OUT.RBP") +
                           ": No such file or directory\n");
}

TEST(CliOutput, AFailedWriteOfStandardOutputIsStatusTwo) {
    const testing::TempFolder folder;
    for (const std::string& arguments :
         {"report " + kKestmore, "samples " + kKestmore, "cycle " + kKestmore, "pv " + kKestmore,
          "powercurve " + kKestmore, "sweep " + kKestmore + " --vary Hot.Temp=600:700:2",
          std::string("--version"), std::string("--help"), std::string("cycle --help")}) {
        const testing::CliResult run = RunCli(folder, arguments, "/dev/full");
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.err,
                  "velmora-cli: Unable to write to standard output: No space left on device\n")
            << arguments;
    }
}

TEST(CliFiles, AFileWithoutAParameterKeyIsRefused) {
    const testing::TempFolder folder;
    testing::WriteBytes(folder.File("notes.txt"), "shopping list\n[Notes]\nmilk=2\n");
    testing::WriteBytes(folder.File("empty.RBP"), "");
    for (const char* file : {"notes.txt", "empty.RBP"}) {
        for (const std::string& arguments :
             {"report " + std::string(file),
              "sweep " + std::string(file) + " --vary Hot.Temp=1:2:2",
              "optimize " + std::string(file) +
                  " --objective schmidt --vary Hot.Temp=1:2 -o O.RBP"}) {
            const testing::CliResult run = RunCli(folder, arguments);
            EXPECT_EQ(run.status, 2) << arguments;
            EXPECT_EQ(run.out, "") << arguments;
            EXPECT_EQ(run.err, "velmora-cli: '" + std::string(file) +
                                   "' has no section and key of a parameter file; nothing to "
                                   "compute\n");
        }
    }
    // One known key is enough: the rest take their defaults, as in the window.
    testing::WriteBytes(folder.File("one.RBP"), "[Piston]\nStroke=140\n");
    EXPECT_EQ(RunCli(folder, "report one.RBP").status, 0);
}

TEST(CliSweep, ValuesAnInputCannotHoldAreRefusedAsTheOptimizerRefusesThem) {
    const testing::TempFolder folder;
    const testing::CliResult sweep =
        RunCli(folder, "sweep " + kKestmore + " --vary Piston.Stroke=-100:-50:3");
    const testing::CliResult optimize =
        RunCli(folder, "optimize " + kKestmore +
                           " --objective schmidt --vary Piston.Stroke=-100:-50"
                           " -o O.RBP");
    EXPECT_EQ(sweep.status, 2);
    EXPECT_EQ(sweep.out, "");
    const std::string line = "Piston.Stroke: FROM (-100) is below 0, which the input cannot hold\n";
    EXPECT_EQ(sweep.err, "velmora-cli sweep: " + line);
    EXPECT_EQ(optimize.err, "velmora-cli optimize: " + line);
    // A sweep may run downwards: its lower end may be TO.
    EXPECT_EQ(RunCli(folder, "sweep " + kKestmore + " --vary Displacer.Mass=2:-1e308:3").err,
              "velmora-cli sweep: Displacer.Mass: TO (-1e+308) is below 0, which the input "
              "cannot hold\n");
}

TEST(CliSweep, GridPointsNearTheLimitOfADoubleAreNotInfinite) {
    const testing::TempFolder folder;
    const testing::CliResult run =
        RunCli(folder, "sweep " + kKestmore +
                           " --vary Displacer.Mass=1:1.5e308:4 --outputs "
                           "schmidt_power_w --threads 1");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find("inf"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\n5e+307,"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace velmora
