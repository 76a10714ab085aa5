#include "persistence/atomic_file_writer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <system_error>

namespace velmora {

namespace fs = std::filesystem;

int FileWriteSteps::CreateNew(const std::string& path) const {
    // 0666 lets the user's umask decide, as for any file the program creates.
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

bool FileWriteSteps::WriteAll(int fd, std::string_view data) const {
    while (!data.empty()) {
        ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (written == 0) return false;
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool FileWriteSteps::CopyMode(int fd, const std::string& fromPath) const {
    struct stat info {};
    if (::stat(fromPath.c_str(), &info) != 0) return true;  // a new file keeps the umask's mode
    return ::fchmod(fd, info.st_mode & 07777) == 0;
}

bool FileWriteSteps::Sync(int fd) const {
    return ::fsync(fd) == 0;
}

bool FileWriteSteps::Close(int fd) const {
    return ::close(fd) == 0;
}

bool FileWriteSteps::Rename(const std::string& from, const std::string& to) const {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

void FileWriteSteps::Remove(const std::string& path) const {
    ::unlink(path.c_str());
}

void FileWriteSteps::SyncFolder(const std::string& folder) const {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

namespace {

const FileWriteSteps& SystemSteps() {
    static const FileWriteSteps steps;
    return steps;
}

// The file a save really replaces: the target of a symbolic link, else the path itself.
std::string ReplacedPath(const std::string& path) {
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(path, error))) {
        fs::path target = fs::canonical(path, error);
        if (!error) return target.string();
    }
    return path;
}

// ".NAME.tmp-": what every temporary file of a save of NAME begins with.
std::string TemporaryPrefix(const fs::path& target) {
    return "." + target.filename().string() + ".tmp-";
}

std::string TemporaryName(const fs::path& target, unsigned long long salt) {
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, "%ld-%llx", static_cast<long>(::getpid()), salt);
    return (target.parent_path() / (TemporaryPrefix(target) + suffix)).string();
}

// The process number in a temporary file's name after its prefix ("4711-3fa9c..."), or 0
// when the rest is not of the form PID-HEX.
long TemporaryNameProcess(std::string_view rest) {
    const std::size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash + 1 == rest.size()) return 0;
    long pid = 0;
    for (char c : rest.substr(0, dash)) {
        if (c < '0' || c > '9' || pid > 100'000'000) return 0;
        pid = pid * 10 + (c - '0');
    }
    for (char c : rest.substr(dash + 1)) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return 0;
    }
    return pid;
}

bool ProcessIsRunning(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

}  // namespace

std::string SystemReason(int error) {
    return std::generic_category().message(error != 0 ? error : EIO);
}

bool WriteFileAtomically(const std::string& path, std::string_view text,
                         const FileWriteSteps* steps) {
    std::string unused;
    return WriteFileAtomically(path, text, unused, steps);
}

bool WriteFileAtomically(const std::string& path, std::string_view text, std::string& reason,
                         const FileWriteSteps* steps) {
    AtomicFileWriter writer(steps);
    const bool ok = writer.Open(path) && writer.Write(text) && writer.Commit();
    reason = writer.FailureReason();
    return ok;
}

AtomicFileWriter::AtomicFileWriter(const FileWriteSteps* steps)
    : io_(steps != nullptr ? *steps : SystemSteps()) {}

AtomicFileWriter::~AtomicFileWriter() {
    Abandon();
}

bool AtomicFileWriter::Fail(int error) {
    if (reason_.empty()) reason_ = SystemReason(error);
    Abandon();
    return false;
}

void AtomicFileWriter::Abandon() {
    // The handle is closed on every path, also when an earlier step failed.
    if (fd_ >= 0) io_.Close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) io_.Remove(temporary_);
    temporary_.clear();
}

bool AtomicFileWriter::Open(const std::string& path) {
    Abandon();
    reason_.clear();
    const fs::path target = ReplacedPath(path);
    if (target.filename().empty()) return Fail(EISDIR);
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    target_ = target.string();
    folder_ = folder.string();

    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temporary = TemporaryName(target, random());
        errno = 0;
        fd_ = io_.CreateNew(temporary);
        if (fd_ >= 0) {
            temporary_ = temporary;
            return true;
        }
        if (errno != EEXIST) return Fail(errno);
    }
    return Fail(EEXIST);
}

bool AtomicFileWriter::Write(std::string_view data) {
    if (fd_ < 0) return false;
    errno = 0;
    if (!io_.WriteAll(fd_, data)) return Fail(errno);
    return true;
}

bool AtomicFileWriter::Commit() {
    if (fd_ < 0) return false;
    errno = 0;
    if (!io_.CopyMode(fd_, target_)) return Fail(errno);
    errno = 0;
    if (!io_.Sync(fd_)) return Fail(errno);
    errno = 0;
    const int fd = fd_;
    fd_ = -1;
    if (!io_.Close(fd)) return Fail(errno);
    errno = 0;
    if (!io_.Rename(temporary_, target_)) return Fail(errno);
    temporary_.clear();
    io_.SyncFolder(folder_);
    return true;
}

int RemoveStaleTemporaryFiles(const std::string& path, std::time_t startedAt) {
    const fs::path target = ReplacedPath(path);
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    const std::string prefix = TemporaryPrefix(target);
    std::error_code error;
    int removed = 0;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        const long pid = TemporaryNameProcess(std::string_view(name).substr(prefix.size()));
        struct stat info {};
        // Only regular files of ours, written before this process started, by a process that
        // is gone: another instance's save in progress is never touched.
        if (pid == 0 || ::lstat(it->path().c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
            info.st_mtime >= startedAt || ProcessIsRunning(pid)) {
            continue;
        }
        if (::unlink(it->path().c_str()) == 0) ++removed;
    }
    return removed;
}

}  // namespace velmora
