// velmora-cli sweep streams: the first rows arrive long before a million designs are done, and
// Ctrl+C ends the run with every row so far written whole and in order.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "persistence/file_text.h"
#include "persistence/temp_folder.h"

namespace velmora {
namespace {

std::string RuntimeDir() {
    const char* dir = std::getenv("VELMORA_RUNTIME_DIR");
    return dir != nullptr ? dir : ".";
}

TEST(CliSweepStream, RowsArriveAsTheyAreDoneAndCtrlCKeepsThemWhole) {
    const testing::TempFolder folder;
    const std::string errFile = folder.File("err");
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const std::string cli = RuntimeDir() + "/velmora-cli";
    const std::string file =
        std::string(std::getenv("VELMORA_SOURCE_DIR")) + "/examples/KESTMORE.RBP";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // As from a terminal, whatever this test was started from (a background job ignores it).
        ::signal(SIGINT, SIG_DFL);
        ::dup2(pipeEnds[1], 1);
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(err, 2);
        ::close(pipeEnds[0]);
        ::execl(cli.c_str(), cli.c_str(), "sweep", file.c_str(), "--vary", "Hot.Temp=500:800:1000",
                "--vary", "Cold.Temp=20:80:1000", "--outputs", "schmidt_power_w", "--threads", "2",
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    std::string out;
    char buffer[4096];
    bool interrupted = false;
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        out.append(buffer, static_cast<std::size_t>(n));
        // A few hundred rows of a million: the sweep is far from its end.
        if (!interrupted && std::count(out.begin(), out.end(), '\n') > 300) {
            ::kill(child, SIGINT);
            interrupted = true;
        }
    }
    ::close(pipeEnds[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(interrupted) << out.substr(0, 500);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 130);
    std::string err;
    ReadWholeFile(errFile, err);
    EXPECT_EQ(err.rfind("velmora-cli sweep: interrupted; ", 0), 0u) << err;

    // Header, then rows in design order (the last axis fastest), each whole.
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.back(), '\n');
    const std::size_t rows = static_cast<std::size_t>(std::count(out.begin(), out.end(), '\n')) - 1;
    EXPECT_GT(rows, 300u);
    EXPECT_LT(rows, 1000000u);
    EXPECT_EQ(out.substr(0, out.find('\n')), "Hot.Temp,Cold.Temp,schmidt_power_w");
    std::size_t at = out.find('\n') + 1;
    for (std::size_t k = 0; k < rows; ++k) {
        const std::size_t end = out.find('\n', at);
        const std::string line = out.substr(at, end - at);
        ASSERT_EQ(std::count(line.begin(), line.end(), ','), 2) << line;
        const double cold = std::stod(line.substr(line.find(',') + 1));
        EXPECT_NEAR(cold, 20 + 60.0 * static_cast<double>(k % 1000) / 999, 1e-9) << line;
        at = end + 1;
    }
}

}  // namespace
}  // namespace velmora
