#include "persistence/atomic_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

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

// The file a save really replaces: the target of a symbolic link, else the path itself.
std::string ReplacedPath(const std::string& path) {
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(path, error))) {
        fs::path target = fs::canonical(path, error);
        if (!error) return target.string();
    }
    return path;
}

std::string TemporaryName(const fs::path& target, unsigned long long salt) {
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".tmp-%ld-%llx", static_cast<long>(::getpid()), salt);
    std::string name = ".";
    name += target.filename().string();
    name += suffix;
    return (target.parent_path() / name).string();
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view text,
                         const FileWriteSteps* steps) {
    static const FileWriteSteps systemSteps;
    const FileWriteSteps& io = steps ? *steps : systemSteps;

    const fs::path target = ReplacedPath(path);
    if (target.filename().empty()) return false;
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";

    std::random_device seed;
    std::mt19937_64 random(seed());
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = TemporaryName(target, random());
        fd = io.CreateNew(temporary);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;

    bool ok = io.WriteAll(fd, text) && io.CopyMode(fd, target.string()) && io.Sync(fd);
    ok = io.Close(fd) && ok;
    ok = ok && io.Rename(temporary, target.string());
    if (!ok) {
        io.Remove(temporary);
        return false;
    }
    io.SyncFolder(folder.string());
    return true;
}

}  // namespace velmora
