// velmora-cli under a limit on its address space (ulimit -v, as prlimit --as sets it): every
// run either does the whole job with status 0 or says so in one line with status 2, and a
// file named by -o holds either the complete result or what it held before.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "app/cli_runner.h"
#include "persistence/file_text.h"
#include "persistence/temp_folder.h"

namespace velmora {
namespace {

const std::string kGood = "a good file from an earlier run\n";

bool WriteFileText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    return static_cast<bool>(file.flush());
}

bool ReadText(const std::string& path, std::string& text) {
    return ReadWholeFile(path, text, std::size_t{1} << 31) == FileReadStatus::Read;
}

// Runs velmora-cli with `arguments` (quoted for the shell) under an address-space limit of
// `kilobytes`.
testing::CliResult RunLimited(const testing::TempFolder& folder, long kilobytes,
                              const std::string& arguments) {
    return testing::RunShell(folder, "ulimit -v " + std::to_string(kilobytes) +
                                         "; exec env LC_ALL=C QT_QPA_PLATFORM=offscreen " +
                                         testing::QuotedCli() + " " + arguments);
}

// AddressSanitizer reserves terabytes of address space for its shadow memory: an instrumented
// velmora-cli cannot start under any of these limits, so there is nothing to test there.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSpaceLimitsApply = false;
#else
constexpr bool kAddressSpaceLimitsApply = true;
#endif

#define SKIP_WITHOUT_ADDRESS_SPACE_LIMITS() \
    if (!kAddressSpaceLimitsApply) GTEST_SKIP() << "instrumented build: no address-space limit"

std::string Engine() {
    return "'" + testing::RuntimeDir() + "/KESTMORE.RBP'";
}

std::size_t Lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// A failure is one line on standard error and the old file untouched.
void ExpectOneLineAndOldFile(const testing::CliResult& c, const std::string& file) {
    EXPECT_EQ(Lines(c.err), 1u) << c.err;
    std::string kept;
    ASSERT_TRUE(ReadText(file, kept));
    EXPECT_EQ(kept, kGood);
}

TEST(CliMemoryLimit, SweepWritesEveryRowOrFailsAndKeepsTheOldFile) {
    SKIP_WITHOUT_ADDRESS_SPACE_LIMITS();
    const testing::TempFolder folder;
    const std::string out = folder.File("out.csv");
    // From roomy to too tight to start the workers; the limits that made rows go missing or
    // the run abort lie in between (where exactly depends on the machine's libraries).
    for (const long limit : {400000L, 150000L, 100000L, 90000L, 85000L, 82000L, 80000L, 78000L}) {
        ASSERT_TRUE(WriteFileText(out, kGood));
        const testing::CliResult c = RunLimited(
            folder, limit,
            "sweep " + Engine() +
                " --vary Displacer.Mass=1:2:500 --outputs beta,indicated_power_w --threads 8 -o '" +
                out + "'");
        SCOPED_TRACE("limit " + std::to_string(limit) + " kB, status " + std::to_string(c.status));
        if (c.status == 127) continue;  // too tight to load the program at all
        if (c.status == 0) {
            EXPECT_EQ(c.err, "");
            std::string csv;
            ASSERT_TRUE(ReadText(out, csv));
            EXPECT_EQ(Lines(csv), 501u);
            EXPECT_EQ(csv.find(",,"), std::string::npos);
            EXPECT_EQ(csv.find(",\n"), std::string::npos);
        } else {
            EXPECT_EQ(c.status, 2);
            ExpectOneLineAndOldFile(c, out);
        }
    }
}

TEST(CliMemoryLimit, AnImageThatCannotBeMadeIsNotWrittenAsAnEmptyFile) {
    SKIP_WITHOUT_ADDRESS_SPACE_LIMITS();
    const testing::TempFolder folder;
    const std::string out = folder.File("chart.png");
    ASSERT_TRUE(WriteFileText(out, kGood));
    // 20000 x 20000 pixels of four bytes are 1.6 GB, beyond the 1 GB limit.
    const testing::CliResult c = RunLimited(
        folder, 1000000,
        "chart " + Engine() + " --chart pv --format png --size 20000x20000 -o '" + out + "'");
    EXPECT_EQ(c.status, 2);
    ExpectOneLineAndOldFile(c, out);
    // To standard output: nothing at all rather than an empty image.
    const testing::CliResult toStdout = RunLimited(
        folder, 1000000, "chart " + Engine() + " --chart pv --format png --size 20000x20000 -o -");
    EXPECT_EQ(toStdout.status, 2);
    EXPECT_EQ(toStdout.out, "");
    EXPECT_EQ(Lines(toStdout.err), 1u) << toStdout.err;
}

TEST(CliMemoryLimit, EveryCommandEndsWithItsResultOrOneLineAndStatusTwo) {
    SKIP_WITHOUT_ADDRESS_SPACE_LIMITS();
    const testing::TempFolder folder;
    const std::string out = folder.File("out");
    const std::string commands[] = {
        "report " + Engine() + " --format pdf -o '" + out + "'",
        "report " + Engine() + " -o '" + out + "'",
        "chart " + Engine() + " --chart main --format png -o '" + out + "'",
        "chart " + Engine() + " --chart power --format svg -o '" + out + "'",
        "cycle " + Engine() + " -o '" + out + "'",
        "energy " + Engine() + " -o '" + out + "'",
    };
    for (const std::string& command : commands) {
        for (const long limit : {80000L, 90000L, 100000L, 150000L, 300000L}) {
            ASSERT_TRUE(WriteFileText(out, kGood));
            const testing::CliResult c = RunLimited(folder, limit, command);
            SCOPED_TRACE(command + " under " + std::to_string(limit) + " kB, status " +
                         std::to_string(c.status));
            // Never an abort or a crash (the shell reports those as 128 + signal). 127: the
            // limit is below what loading the program and its libraries takes.
            if (c.status == 127) continue;
            ASSERT_TRUE(c.status == 0 || c.status == 2) << c.err;
            std::string written;
            ASSERT_TRUE(ReadText(out, written));
            if (c.status == 0) {
                EXPECT_NE(written, kGood);
                EXPECT_FALSE(written.empty());
            } else {
                ExpectOneLineAndOldFile(c, out);
            }
        }
    }
}

}  // namespace
}  // namespace velmora
