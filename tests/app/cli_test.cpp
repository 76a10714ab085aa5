// velmora-cli run as the user runs it: its locale from the environment, its errors on
// standard error with exit status 2.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "app/cli_runner.h"
#include "persistence/file_text.h"
#include "persistence/temp_folder.h"

namespace velmora {
namespace {

// Runs velmora-cli with `environment` (assignments for env) and the arguments, all quoted.
testing::CliResult RunCli(const std::string& environment, const std::string& command,
                          const std::string& file) {
    return testing::RunCli(command + " '" + file + "'", environment);
}

const std::string kKestmore = testing::RuntimeDir() + "/KESTMORE.RBP";

TEST(CliLocale, ReportFollowsTheEnvironmentsLocale) {
    const testing::CliResult c = RunCli("LC_ALL=C", "report", kKestmore);
    ASSERT_EQ(c.status, 0) << c.err;
    EXPECT_NE(c.out.find("    Dead Space Volume: 3,380,000 mm ^3 [Checked]\n"), std::string::npos);
    EXPECT_NE(c.out.find("    Displacer Diameter: 127.2 mm\n"), std::string::npos);

    const testing::CliResult french = RunCli("LC_ALL=fr_FR.UTF-8", "report", kKestmore);
    ASSERT_EQ(french.status, 0) << french.err;
    EXPECT_NE(french.out.find("    Dead Space Volume: 3\u202F380\u202F000 mm ^3 [Checked]\n"),
              std::string::npos);
    EXPECT_NE(french.out.find("    Displacer Diameter: 127,2 mm\n"), std::string::npos);
    EXPECT_NE(french.out.find("*** Simulator appears to be validated\n"), std::string::npos);

    // LANG alone, as a desktop session sets it.
    const testing::CliResult german =
        RunCli("-u LC_ALL -u LC_NUMERIC LANG=de_DE.UTF-8", "report", kKestmore);
    EXPECT_NE(german.out.find("    Engine Speed: 1.000 RPM\n"), std::string::npos);
}

TEST(CliLocale, CsvOutputIsTheSameUnderEveryLocale) {
    for (const char* command : {"samples", "powercurve"}) {
        const testing::CliResult c = RunCli("LC_ALL=C", command, kKestmore);
        ASSERT_EQ(c.status, 0) << c.err;
        for (const char* locale : {"LC_ALL=fr_FR.UTF-8", "LC_ALL=de_DE.UTF-8", "LANG=ru_RU.UTF-8"})
            EXPECT_EQ(RunCli(locale, command, kKestmore).out, c.out) << command << ' ' << locale;
    }
}

TEST(CliFiles, FileBeyondTheLimitIsRefusedWithOneLineAndStatusTwo) {
    testing::TempFolder folder;
    const std::string huge = folder.File("Huge.RBP");
    {
        std::ofstream out(huge, std::ios::binary);
        out << "[Displacer]\nDiameter=127.2\n";
    }
    std::filesystem::resize_file(huge, std::uintmax_t{100} * 1024 * 1024);
    for (const char* command : {"report", "samples", "powercurve"}) {
        const testing::CliResult result = RunCli("LC_ALL=C", command, huge);
        EXPECT_EQ(result.status, 2) << command;
        EXPECT_EQ(result.out, "") << command;
        EXPECT_EQ(result.err, "velmora-cli: cannot read '" + huge +
                                  "': larger than the 64 MiB a parameter file may hold\n")
            << command;
    }
}

TEST(CliFiles, LongNotesSectionReportsLikeTheFileWithoutIt) {
    testing::TempFolder folder;
    std::string engine;
    ASSERT_EQ(ReadWholeFile(kKestmore, engine), FileReadStatus::Read);
    std::string notes = "[Notes]\n";
    while (notes.size() < 10u * 1024 * 1024) notes += "measured on the bench; see log\n";
    const std::string noted = folder.File("KESTMORE.RBP");
    testing::WriteBytes(noted, notes + engine);
    const testing::CliResult plain = RunCli("LC_ALL=C", "report", kKestmore);
    const testing::CliResult withNotes = RunCli("LC_ALL=C", "report", noted);
    EXPECT_EQ(withNotes.status, 0) << withNotes.err;
    EXPECT_EQ(withNotes.out, plain.out);
}

TEST(CliFiles, AUnitIndexOutOfRangeIsReportedLikeAnUndefinedInput) {
    testing::TempFolder folder;
    std::string engine;
    ASSERT_EQ(ReadWholeFile(kKestmore, engine), FileReadStatus::Read);
    for (const auto& [from, to] :
         {std::pair<std::string, std::string>{"MassUnits=2", "MassUnits=99"},
          {"PressureUnits=0", "PressureUnits=-4"}}) {
        const std::size_t at = engine.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        engine.replace(at, from.size(), to);
    }
    const std::string broken = folder.File("broken.RBP");
    testing::WriteBytes(broken, engine);
    const testing::CliResult result = RunCli("LC_ALL=C", "report", broken);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("\n*** Displacer Mass not defined!\n"), std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("\n*** Mean Engine Pressure not defined!\n"), std::string::npos)
        << result.out;
}

}  // namespace
}  // namespace velmora
