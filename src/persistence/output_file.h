#pragma once

#include <string>
#include <string_view>

#include "persistence/atomic_file_writer.h"

namespace velmora {

// An output file as the command line's -o names it. A regular file or a new path is replaced
// as one step (AtomicFileWriter); a device, a FIFO, a socket or a link to a process's open
// file (/dev/stdout, /dev/fd/N) is written straight through and never replaced, as a shell
// redirect would write it. An existing file the user may not write (no write permission for
// anyone, or none for this process) is refused before anything is written, also for root.
class OutputFile {
  public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    bool Open(const std::string& path);
    bool Write(std::string_view data);
    // Puts a replaced file in place, or closes a file written through; false if that fails.
    bool Commit();
    // Why the last step failed, in the system's words ("Permission denied"), else empty.
    const std::string& FailureReason() const { return reason_; }

  private:
    bool Fail(int error, const std::string& detail = {});

    AtomicFileWriter atomic_;
    bool through_ = false;
    int fd_ = -1;
    std::string reason_;
};

// Why an existing file at `path` may not be replaced by the user ("Permission denied
// (read-only file)", "Is a directory"), in the system's words; empty for a new path or a file
// the user may write.
std::string ExistingFileWriteProblem(const std::string& path);

// After a failed save: the likeliest reason in the system's words (the file's own problem, or
// its folder's: missing, not a folder, not writable), else "Input/output error".
std::string SaveFailureReason(const std::string& path);

// True when `path` is written straight through rather than replaced (see OutputFile).
bool WrittenStraightThrough(const std::string& path);

}  // namespace velmora
