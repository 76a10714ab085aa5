#include "persistence/parameter_file_check.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "persistence/atomic_file_writer.h"
#include "persistence/file_text.h"
#include "persistence/ini_file.h"
#include "persistence/parameter_file.h"

namespace velmora {
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

bool LoadCheckedParameterFile(const std::string& file, ControlState& state, std::string& problem) {
    bool heldAnyKey = false;
    switch (LoadParameterFile(file, state, &heldAnyKey)) {
        case FileReadStatus::Read:
            break;
        case FileReadStatus::Missing:
            problem = "cannot open '" + file + "': no such file";
            return false;
        case FileReadStatus::Unreadable:
            problem = "cannot read '" + file + "': " + WhyUnreadable(file);
            return false;
    }
    if (!heldAnyKey) {
        problem = "'" + file + "' has no section and key of a parameter file; nothing to compute";
        return false;
    }
    // A loss, gas or load the model cannot use is refused, never replaced by a default.
    const LossReading losses = ReadLossInputs(state.lossTexts);
    if (!losses.problem.empty()) {
        problem = "'" + file + "': " + losses.problem;
        return false;
    }
    return true;
}

}  // namespace velmora
