#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace velmora {

// The file-system steps of an atomic save. The default implementation calls the operating
// system; tests override single steps to simulate a full disk or a crash before the rename.
class FileWriteSteps {
  public:
    virtual ~FileWriteSteps() = default;

    // Creates a new file that did not exist (exclusive create); a file descriptor or -1.
    virtual int CreateNew(const std::string& path) const;
    virtual bool WriteAll(int fd, std::string_view data) const;
    virtual bool CopyMode(int fd, const std::string& fromPath) const;
    virtual bool Sync(int fd) const;
    virtual bool Close(int fd) const;
    virtual bool Rename(const std::string& from, const std::string& to) const;
    virtual void Remove(const std::string& path) const;
    virtual void SyncFolder(const std::string& folder) const;
};

// Replaces the file at `path` by `text` as one step: the text goes to a temporary file in the
// same folder, is flushed to disk, and is renamed over the old file. On any failure the
// temporary file is removed and the old file stays as it was. A symbolic link is followed,
// so the link itself survives. Null `steps` means the operating system's.
bool WriteFileAtomically(const std::string& path, std::string_view text,
                         const FileWriteSteps* steps = nullptr);

// The same, with the system's text for the step that failed in `reason` ("No space left on
// device").
bool WriteFileAtomically(const std::string& path, std::string_view text, std::string& reason,
                         const FileWriteSteps* steps = nullptr);

// An atomic save written in pieces, for output too large to hold whole: Open creates the
// temporary file beside the file it replaces, Write appends, Commit puts it in place as
// WriteFileAtomically does. Until Commit succeeds the old file is untouched; an uncommitted
// temporary file is closed and removed when the writer goes.
class AtomicFileWriter {
  public:
    explicit AtomicFileWriter(const FileWriteSteps* steps = nullptr);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool Open(const std::string& path);
    // False once any step has failed; later writes are dropped.
    bool Write(std::string_view data);
    bool Commit();
    // The system's text for the failed step, empty while none has failed.
    const std::string& FailureReason() const { return reason_; }

  private:
    bool Fail(int error);
    void Abandon();

    const FileWriteSteps& io_;
    std::string target_;
    std::string folder_;
    std::string temporary_;
    int fd_ = -1;
    std::string reason_;
};

// The system's text for an errno value ("Permission denied"); thread-safe.
std::string SystemReason(int error);

// Removes the temporary files that saves of `path` left behind when the process was killed
// mid-save: files in the same folder named as WriteFileAtomically names them, last written
// before `startedAt` (the running process's start), whose process is gone. Returns how many.
int RemoveStaleTemporaryFiles(const std::string& path, std::time_t startedAt);

}  // namespace velmora
