// velmora-cli's outputs when a run is cut short or its file cannot be written: an interrupted
// sweep says so inside its file, temporary files that killed runs left are cleared, optimize
// checks OUT before its run and names the real cause, and only a word whose first character
// is '-' is an option.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>

#include "app/cli_runner.h"
#include "persistence/file_text.h"
#include "persistence/temp_folder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

const std::string kKestmore = "'" + testing::RuntimeDir() + "/KESTMORE.RBP'";

testing::CliResult RunIn(const testing::TempFolder& folder, const std::string& arguments,
                         const std::string& prefix = "") {
    return testing::RunShell(folder, prefix + "cd '" + folder.Path().string() +
                                         "' && exec env LC_ALL=C " + testing::QuotedCli() + " " +
                                         arguments);
}

std::string Read(const std::string& path) {
    std::string text;
    ReadWholeFile(path, text, std::size_t{1} << 30);
    return text;
}

// The size of the temporary file a save of `name` in `folder` is writing, 0 while none.
std::uintmax_t TemporarySize(const testing::TempFolder& folder, const std::string& name) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder.Path(), error))
        if (entry.path().filename().string().rfind("." + name + ".tmp-", 0) == 0)
            return entry.file_size(error);
    return 0;
}

TEST(CliInterruptedSweep, AFileCutShortSaysHowManyDesignsItHolds) {
    const testing::TempFolder folder;
    const std::string out = folder.File("out.csv");
    testing::WriteBytes(out, "complete,earlier\n");
    const std::string cli = testing::RuntimeDir() + "/velmora-cli";
    const std::string file =
        std::string(std::getenv("VELMORA_SOURCE_DIR")) + "/examples/KESTMORE.RBP";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGINT, SIG_DFL);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 2);
        ::execl(cli.c_str(), cli.c_str(), "sweep", file.c_str(), "--vary", "Hot.Temp=500:800:1000",
                "--vary", "Cold.Temp=20:80:1000", "--outputs", "schmidt_power_w", "--threads", "2",
                "-o", out.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Rows are on their way once the temporary file has its first buffer of them.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (TemporarySize(folder, "out.csv") == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ::kill(child, SIGINT);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 130);

    const std::string csv = Read(out);
    const std::smatch last = [&] {
        std::smatch m;
        static const std::regex kLast("# interrupted: ([0-9]+) of 1000000 designs\n$");
        std::regex_search(csv, m, kLast);
        return m;
    }();
    ASSERT_FALSE(last.empty()) << csv.substr(csv.size() > 200 ? csv.size() - 200 : 0);
    const std::size_t rows = std::stoul(last[1].str());
    EXPECT_GT(rows, 0u);
    EXPECT_LT(rows, 1000000u);
    // Header, the rows it counts, the closing line.
    EXPECT_EQ(static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n')), rows + 2);
    EXPECT_EQ(csv.rfind("Hot.Temp,Cold.Temp,schmidt_power_w\n", 0), 0u);
}

TEST(CliOutputFiles, StaleTemporaryFilesOfTheOutputAreRemovedBeforeItIsWritten) {
    const testing::TempFolder folder;
    // A process number no process has (above the kernel's largest), and this test's own,
    // which is alive: only the first file is a killed run's leftover.
    const std::string stale = folder.File(".out.txt.tmp-99999999-3fa9c");
    const std::string live = folder.File(".out.txt.tmp-" + std::to_string(::getpid()) + "-77");
    const std::string other = folder.File(".other.txt.tmp-99999999-3fa9c");
    for (const std::string& path : {stale, live, other}) {
        testing::WriteBytes(path, std::string(4096, 'x'));
        const utimbuf old{1000000000, 1000000000};
        ASSERT_EQ(::utime(path.c_str(), &old), 0);
    }
    const testing::CliResult run = RunIn(folder, "report " + kKestmore + " -o out.txt");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(live));
    EXPECT_TRUE(fs::exists(other));
    EXPECT_FALSE(Read(folder.File("out.txt")).empty());
}

TEST(CliOptimizeOutput, OutIsCheckedBeforeTheRunAndNothingLooksDoneWhenItFails) {
    const testing::TempFolder folder;
    // A folder that does not exist: refused at once, with no table on standard output.
    const testing::CliResult gone =
        RunIn(folder, "optimize " + kKestmore +
                          " --objective schmidt --vary Displacer.Mass=0.5:2 --max-evals 10000000"
                          " -o gone/OUT.RBP");
    EXPECT_EQ(gone.status, 2);
    EXPECT_EQ(gone.out, "");
    EXPECT_EQ(gone.err, "velmora-cli optimize: Unable to write to " + folder.File("gone/OUT.RBP") +
                            ": No such file or directory\n");
    // A save the system stops part way names the system's cause, not a guess: here the file
    // size limit of 512 bytes (its signal ignored, so the write fails with EFBIG), beyond
    // the error line but short of the saved file.
    const testing::CliResult limited =
        RunIn(folder,
              "optimize " + kKestmore +
                  " --objective schmidt --vary Displacer.Mass=0.5:2 --max-evals 20 -o OUT.RBP",
              "trap '' XFSZ; ulimit -f 1; ");
    EXPECT_EQ(limited.status, 2);
    EXPECT_EQ(limited.out, "");
    EXPECT_EQ(limited.err, "velmora-cli optimize: Unable to write to " + folder.File("OUT.RBP") +
                               ": File too large\n");
    EXPECT_FALSE(fs::exists(folder.File("OUT.RBP")));
}

TEST(CliWords, OnlyAWordWhoseFirstCharacterIsADashIsAnOption) {
    const testing::TempFolder folder;
    // U+FEFF before "-o": a word like any other, so an unexpected argument, and no file is
    // written.
    const std::string bomDashO = "\"$(printf '\\357\\273\\277-o')\"";
    const testing::CliResult bom =
        RunIn(folder, "cycle " + kKestmore + " " + bomDashO + " out.csv");
    EXPECT_EQ(bom.status, 2);
    EXPECT_EQ(bom.out, "");
    EXPECT_FALSE(fs::exists(folder.File("out.csv")));
    EXPECT_EQ(bom.err, "velmora-cli cycle: unexpected argument '\xef\xbb\xbf-o'\n");
    // A word with a line break in it is quoted with the break escaped: still one line.
    const testing::CliResult broken =
        RunIn(folder, "sweep " + kKestmore + " \"$(printf 'a\\nb')\"");
    EXPECT_EQ(broken.status, 2);
    EXPECT_EQ(broken.err, "velmora-cli sweep: unexpected argument 'a\\nb'\n");
    // The same byte before a file name keeps it a file name, read as given.
    const testing::CliResult file =
        RunIn(folder, "report \"$(printf '\\357\\273\\277-KESTMORE.RBP')\"");
    EXPECT_EQ(file.status, 2);
    EXPECT_NE(file.err.find("\xef\xbb\xbf-KESTMORE.RBP"), std::string::npos) << file.err;
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

TEST(CliParameterFileWarnings, EachValueReadAsSomethingElseIsOneLineAndTheRunGoesOn) {
    const testing::TempFolder folder;
    std::string text = testing::ReadBytes(testing::RuntimeDir() + "/KESTMORE.RBP");
    text.replace(text.find("Enabled=No"), 10, "Enabled=Ja");
    text += "\n[Model]\nIntegration=Accurate\n[Show]\nGraph2=1\n";
    testing::WriteBytes(folder.File("odd.RBP"), text);
    const testing::CliResult run = RunIn(folder, "report odd.RBP");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              "velmora-cli: warning: odd.RBP: [Gravity] Enabled=Ja is neither Yes nor No; read "
              "as No\n"
              "velmora-cli: warning: odd.RBP: [Model] Integration=Accurate is not specified or "
              "accurate; specified is used\n"
              "velmora-cli: warning: odd.RBP: [Show] is given twice; only the first is read\n");
    // The report is the one of the file as read.
    const testing::CliResult plain = RunIn(folder, "report " + kKestmore);
    EXPECT_EQ(plain.err, "");
    EXPECT_FALSE(run.out.empty());
}

}  // namespace
}  // namespace velmora
