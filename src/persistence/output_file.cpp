#include "persistence/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>

namespace velmora {

namespace fs = std::filesystem;

namespace {

// Follows the path's symbolic links one by one: a link that lives in a process's fd folder
// (reached as /dev/stdout -> /proc/self/fd/1, or /dev/fd/1) names an open file of that
// process, not a place in the file system, so replacing it would be wrong.
bool ReachesProcessFileLink(const std::string& path) {
    std::error_code error;
    fs::path at = fs::absolute(path, error);
    if (error) return false;
    for (int hop = 0; hop < 40; ++hop) {
        if (!fs::is_symlink(fs::symlink_status(at, error)) || error) return false;
        const fs::path folder = fs::canonical(at.parent_path(), error);
        if (error) return false;
        const std::string name = folder.string();
        if (name.rfind("/proc/", 0) == 0 && folder.filename() == "fd") return true;
        const fs::path target = fs::read_symlink(at, error);
        if (error) return false;
        at = target.is_absolute() ? target : folder / target;
    }
    return false;
}

}  // namespace

bool WrittenStraightThrough(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode))
        return true;
    return ReachesProcessFileLink(path);
}

std::string ExistingFileWriteProblem(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};
    if (S_ISDIR(info.st_mode)) return SystemReason(EISDIR);
    // No write permission for anyone is refused also for root, whom the system would let
    // through: the file was made read-only on purpose.
    if ((info.st_mode & 0222) == 0) return SystemReason(EACCES) + " (read-only file)";
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return SystemReason(errno);
    return {};
}

std::string SaveFailureReason(const std::string& path) {
    if (std::string why = ExistingFileWriteProblem(path); !why.empty()) return why;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return "not a regular file";
    fs::path folder = fs::path(path).parent_path();
    if (folder.empty()) folder = ".";
    if (::stat(folder.c_str(), &info) != 0) return SystemReason(errno);
    if (!S_ISDIR(info.st_mode)) return SystemReason(ENOTDIR);
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        return SystemReason(errno);
    return SystemReason(EIO);
}

OutputFile::~OutputFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool OutputFile::Fail(int error, const std::string& detail) {
    reason_ = SystemReason(error);
    if (!detail.empty()) reason_ += " (" + detail + ")";
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    return false;
}

bool OutputFile::Open(const std::string& path) {
    reason_.clear();
    through_ = WrittenStraightThrough(path);
    if (through_) {
        // O_TRUNC as a shell's '>' does; devices and FIFOs ignore it.
        fd_ = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC);
        return fd_ >= 0 || Fail(errno);
    }
    if (std::string why = ExistingFileWriteProblem(path); !why.empty()) {
        reason_ = why;
        return false;
    }
    // Temporary files that earlier runs killed mid-write left beside the output (their
    // process gone) are removed before this one adds its own.
    RemoveStaleTemporaryFiles(path, std::time(nullptr));
    if (atomic_.Open(path)) return true;
    reason_ = atomic_.FailureReason();
    return false;
}

bool OutputFile::Write(std::string_view data) {
    if (!through_) {
        if (atomic_.Write(data)) return true;
        reason_ = atomic_.FailureReason();
        return false;
    }
    if (fd_ < 0) return false;
    errno = 0;
    if (!FileWriteSteps().WriteAll(fd_, data)) return Fail(errno);
    return true;
}

bool OutputFile::Commit() {
    if (!through_) {
        if (atomic_.Commit()) return true;
        reason_ = atomic_.FailureReason();
        return false;
    }
    if (fd_ < 0) return false;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return Fail(errno);
    return true;
}

}  // namespace velmora
