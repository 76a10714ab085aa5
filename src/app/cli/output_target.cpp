#include "output_target.h"

#include <unistd.h>

#include <cerrno>
#include <new>

namespace velmora::cli {

SinkBuffer::SinkBuffer(Sink sink) : sink_(std::move(sink)) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

SinkBuffer::~SinkBuffer() {
    Drain();
}

bool SinkBuffer::Drain() {
    const std::string_view data(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    if (error_ == 0 && !data.empty()) error_ = sink_(data);
    return error_ == 0;
}

SinkBuffer::int_type SinkBuffer::overflow(int_type c) {
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int SinkBuffer::sync() {
    return Drain() ? 0 : -1;
}

int WriteToDescriptor(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (written == 0) return EIO;
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

int StandardOutputError(int error, std::ostream& err) {
    err << "velmora-cli: Unable to write to standard output: " << SystemReason(error) << '\n';
    return 2;
}

bool OutputTarget::Open(const std::optional<std::string>& path, std::ostream& err) {
    if (!path || *path == "-") return true;
    path_ = *path;
    if (!file_.Open(path_)) {
        Failed(err);
        return false;
    }
    buffer_ = std::make_unique<SinkBuffer>(
        [this](std::string_view data) { return file_.Write(data) ? 0 : EIO; });
    stream_ = std::make_unique<std::ostream>(buffer_.get());
    return true;
}

std::ostream& OutputTarget::Stream() {
    return stream_ ? *stream_ : standardOutput_;
}

int OutputTarget::Finish(std::ostream& err) {
    if (!stream_) return 0;  // standard output is checked once, before the program exits
    stream_->flush();
    if (buffer_->Error() != 0 || !file_.Commit()) return Failed(err);
    return 0;
}

int OutputTarget::Failed(std::ostream& err) const {
    err << "velmora-cli: Unable to write to " << OneLine(path_) << ": " << file_.FailureReason()
        << '\n';
    return 2;
}

std::string FailureText(const std::exception& e) {
    if (dynamic_cast<const std::bad_alloc*>(&e) != nullptr) return "out of memory";
    return e.what();
}

int EmitOutput(const std::string& bytes, const CommandArgs& args, std::ostream& out,
               std::ostream& err) {
    OutputTarget target(out);
    if (!target.Open(args.Option("-o"), err)) return 2;
    target.Stream() << bytes;
    return target.Finish(err);
}

int EmitFile(const std::string& bytes, const CommandArgs& args, const CommandUsage& about,
             std::ostream& out, std::ostream& err) {
    if (!args.Option("-o")) return UsageError(about, "this format needs -o OUT", err);
    return EmitOutput(bytes, args, out, err);
}

}  // namespace velmora::cli
