#include "headless_run.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ostream>

#include "persistence/file_text.h"
#include "persistence/ini_file.h"
#include "persistence/parameter_file.h"
#include "persistence/parameter_keys.h"

namespace velmora::cli {
namespace {

// Why a file that exists could not be read, in the system's words where it has them.
std::string WhyUnreadable(const std::string& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) return SystemReason(errno);
    if (S_ISDIR(info.st_mode)) return SystemReason(EISDIR);
    if (!S_ISREG(info.st_mode)) return "not a regular file";
    if (static_cast<std::size_t>(info.st_size) > IniFile::kMaxFileBytes)
        return "larger than the 64 MiB a parameter file may hold";
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return SystemReason(errno);
    ::close(fd);
    return SystemReason(EIO);
}

}  // namespace

bool LoadReadableFile(const std::string& file, ControlState& state, std::ostream& err) {
    bool heldAnyKey = false;
    const FileReadStatus status = LoadParameterFile(file, state, &heldAnyKey);
    // LoadParameterFile treats a missing file as one without keys (the window's behaviour);
    // the commands instead refuse what they cannot read.
    switch (status) {
        case FileReadStatus::Read:
            break;
        case FileReadStatus::Missing:
            err << "velmora-cli: cannot open '" << file << "': no such file\n";
            return false;
        case FileReadStatus::Unreadable:
            err << "velmora-cli: cannot read '" << file << "': " << WhyUnreadable(file) << '\n';
            return false;
    }
    if (!heldAnyKey) {
        err << "velmora-cli: '" << file
            << "' has no section and key of a parameter file; nothing to compute\n";
        return false;
    }
    return true;
}

bool LoadAndCompute(const std::string& file, EngineSession& session, std::ostream& err) {
    session.Driver.Loading = true;
    const bool loaded = LoadReadableFile(file, session.State, err);
    session.Driver.Loading = false;
    if (!loaded) return false;
    session.Driver.LoadedFileName = file;
    session.Compute(true, true);
    return true;
}

}  // namespace velmora::cli
