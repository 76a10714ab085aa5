#pragma once

// velmora-cli run from the tests as a user runs it: through the shell, with its standard output
// and error captured in files.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "persistence/file_text.h"
#include "persistence/temp_folder.h"

namespace velmora::testing {

struct CliResult {
    int status = -1;  // exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Where the build keeps velmora-cli and the reference engines.
inline std::string RuntimeDir() {
    const char* dir = std::getenv("VELMORA_RUNTIME_DIR");
    return dir != nullptr ? dir : ".";
}

// velmora-cli's path, quoted for the shell.
inline std::string QuotedCli() {
    return "'" + RuntimeDir() + "/velmora-cli'";
}

// Runs the shell `command` with its standard error captured and its standard output captured
// too when `stdoutTo` is empty, piped into the capture when it is "|", otherwise redirected
// to `stdoutTo` as given.
inline CliResult RunShell(const TempFolder& folder, const std::string& command,
                          const std::string& stdoutTo = "") {
    const std::string out = folder.File("stdout.txt");
    const std::string err = folder.File("stderr.txt");
    const std::string withErr = command + " 2>'" + err + "'";
    const std::string line = stdoutTo == "|"    ? withErr + " | cat >'" + out + "'"
                             : stdoutTo.empty() ? withErr + " >'" + out + "'"
                                                : withErr + " >" + stdoutTo;
    CliResult result;
    const int raw = std::system(line.c_str());
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    ReadWholeFile(out, result.out);
    ReadWholeFile(err, result.err);
    std::error_code ignored;
    std::filesystem::remove(out, ignored);
    std::filesystem::remove(err, ignored);
    return result;
}

// Runs `env ENVIRONMENT velmora-cli ARGUMENTS`, the arguments already quoted for the shell.
inline CliResult RunCli(const std::string& arguments, const std::string& environment = "LC_ALL=C") {
    const TempFolder folder;
    return RunShell(folder, "env " + environment + " " + QuotedCli() + " " + arguments);
}

}  // namespace velmora::testing
