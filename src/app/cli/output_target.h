#pragma once

#include <array>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

#include "cli_args.h"
#include "persistence/output_file.h"

namespace velmora::cli {

// A stream buffer that hands full buffers to a sink. The sink returns 0, or the errno of a
// failed write; the first error is kept, what follows it is dropped and the stream goes bad.
class SinkBuffer : public std::streambuf {
  public:
    using Sink = std::function<int(std::string_view)>;
    explicit SinkBuffer(Sink sink);
    ~SinkBuffer() override;

    // The errno of the first failed write, 0 while none failed.
    int Error() const { return error_; }

  protected:
    int_type overflow(int_type c) override;
    int sync() override;

  private:
    bool Drain();

    Sink sink_;
    int error_ = 0;
    std::array<char, 1 << 16> buffer_{};
};

// Writes to a file descriptor (standard output), retrying interrupted and partial writes.
int WriteToDescriptor(int fd, std::string_view data);

// One line for a failed write of standard output; returns 2.
int StandardOutputError(int error, std::ostream& err);

// Where a command's text goes: `standardOutput` without -o or with "-o -", else the file named
// by -o, written as OutputFile writes it.
class OutputTarget {
  public:
    explicit OutputTarget(std::ostream& standardOutput) : standardOutput_(standardOutput) {}

    // Opens the file of -o; on failure one line on `err` ("Unable to write to OUT: why").
    bool Open(const std::optional<std::string>& path, std::ostream& err);
    std::ostream& Stream();
    // Flushes and, for a file, puts it in place: 0, or 2 with one line on `err`.
    int Finish(std::ostream& err);

  private:
    int Failed(std::ostream& err) const;

    std::ostream& standardOutput_;
    std::string path_;
    OutputFile file_;
    std::unique_ptr<SinkBuffer> buffer_;
    std::unique_ptr<std::ostream> stream_;
};

// What a caught exception says on a command's error line: "out of memory" for a failed
// allocation, else the exception's own text.
std::string FailureText(const std::exception& e);

// Text output: to `out` without -o or with "-o -", else to the file. A file that cannot be
// written: one line naming it and why on `err`, exit status 2, no partial file.
int EmitOutput(const std::string& bytes, const CommandArgs& args, std::ostream& out,
               std::ostream& err);

// Binary output, which needs -o ("-o -" is standard output).
int EmitFile(const std::string& bytes, const CommandArgs& args, const CommandUsage& about,
             std::ostream& out, std::ostream& err);

}  // namespace velmora::cli
