#include "persistence/file_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace velmora {

namespace {

struct FdCloser {
    int fd;
    ~FdCloser() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

FileReadStatus ReadWholeFile(const std::string& path, std::string& text, std::size_t maxBytes) {
    text.clear();
    // O_NONBLOCK keeps a FIFO from blocking the open; fstat then refuses it.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return errno == ENOENT || errno == ENOTDIR ? FileReadStatus::Missing
                                                   : FileReadStatus::Unreadable;
    }
    FdCloser closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return FileReadStatus::Unreadable;
    if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
        return FileReadStatus::Unreadable;
    }
    std::string buffer;
    buffer.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == buffer.size()) {
            // The file grew while being read.
            if (buffer.size() > maxBytes) return FileReadStatus::Unreadable;
            buffer.resize(buffer.size() * 2 + 1);
        }
        ssize_t got = ::read(fd, buffer.data() + used, buffer.size() - used);
        if (got < 0) {
            if (errno == EINTR) continue;
            return FileReadStatus::Unreadable;
        }
        if (got == 0) break;
        used += static_cast<std::size_t>(got);
    }
    if (used > maxBytes) return FileReadStatus::Unreadable;
    buffer.resize(used);
    text = std::move(buffer);
    return FileReadStatus::Read;
}

}  // namespace velmora
