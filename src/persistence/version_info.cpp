#include "persistence/version_info.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <optional>

namespace velmora {

namespace {

constexpr std::size_t kChunkBytes = std::size_t{64} * 1024;
constexpr std::size_t kMaxScannedBytes = std::size_t{512} * 1024 * 1024;
constexpr std::size_t kMaxBlockBytes = 4096;
constexpr std::string_view kBlockEnd = "End\n";

// The marker is stored scrambled here, so the reader's own code never holds the plain marker
// and scanning an executable that contains this reader finds only the real block.
std::string Marker() {
    static constexpr unsigned char kScrambled[] = {0x25, 0x0c, 0x1f, 0x16, 0x17, 0x15, 0x08, 0x1b,
                                                   0x77, 0x0c, 0x1f, 0x08, 0x09, 0x13, 0x15, 0x14,
                                                   0x77, 0x13, 0x14, 0x1c, 0x15, 0x50};
    volatile unsigned char key = 0x5a;
    std::string marker;
    for (unsigned char c : kScrambled) marker += static_cast<char>(c ^ key);
    return marker;
}

class FileHandle {
  public:
    explicit FileHandle(const std::string& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {}
    ~FileHandle() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool IsRegularFile() const {
        struct stat info {};
        return fd_ >= 0 && ::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode);
    }
    std::size_t ReadAt(std::size_t offset, char* buffer, std::size_t size) const {
        std::size_t done = 0;
        while (done < size) {
            ssize_t got =
                ::pread(fd_, buffer + done, size - done, static_cast<off_t>(offset + done));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;
            done += static_cast<std::size_t>(got);
        }
        return done;
    }

  private:
    int fd_;
};

// The lines after the marker up to "End", when they form a block: printable "name=value"
// lines within the size limit.
std::optional<std::string> BlockAt(const FileHandle& file, std::size_t offset) {
    std::string text(kMaxBlockBytes, '\0');
    text.resize(file.ReadAt(offset, text.data(), text.size()));
    std::size_t lineStart = 0;
    while (lineStart < text.size()) {
        std::size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string::npos) return std::nullopt;
        std::string_view line(text.data() + lineStart, lineEnd - lineStart);
        if (line == kBlockEnd.substr(0, 3)) return text.substr(0, lineStart);
        if (line.find('=') == std::string_view::npos) return std::nullopt;
        for (char c : line) {
            if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
        }
        lineStart = lineEnd + 1;
    }
    return std::nullopt;
}

std::string FindBlock(const std::string& path) {
    FileHandle file(path);
    if (!file.IsRegularFile()) return "";
    const std::string marker = Marker();
    const std::boyer_moore_horspool_searcher searcher(marker.begin(), marker.end());
    std::string window;
    std::size_t windowOffset = 0;  // file offset of window[0]
    std::vector<char> chunk(kChunkBytes);
    while (windowOffset + window.size() < kMaxScannedBytes) {
        std::size_t got = file.ReadAt(windowOffset + window.size(), chunk.data(), chunk.size());
        if (got == 0) break;
        window.append(chunk.data(), got);
        auto from = window.begin();
        for (;;) {
            auto found = std::search(from, window.end(), searcher);
            if (found == window.end()) break;
            std::size_t at = windowOffset + static_cast<std::size_t>(found - window.begin());
            if (auto block = BlockAt(file, at + marker.size())) {
                if (!block->empty()) return *block;
            }
            from = found + 1;
        }
        // Keep a tail shorter than the marker, in case it straddles two chunks.
        std::size_t keep = std::min(window.size(), marker.size() - 1);
        windowOffset += window.size() - keep;
        window.erase(0, window.size() - keep);
    }
    return "";
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
               return lower(x) == lower(y);
           });
}

// Calls `visit` with the name and value of every "name=value" line of the block.
template <typename Visit>
void ForEachBlockLine(std::string_view block, Visit visit) {
    std::size_t lineStart = 0;
    while (lineStart < block.size()) {
        std::size_t lineEnd = block.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) lineEnd = block.size();
        std::string_view line = block.substr(lineStart, lineEnd - lineStart);
        std::size_t equals = line.find('=');
        if (equals != std::string_view::npos)
            visit(line.substr(0, equals), line.substr(equals + 1));
        lineStart = lineEnd + 1;
    }
}

// The value of the first line of that name; nullopt when missing.
std::optional<std::string> BlockValue(std::string_view block, std::string_view name) {
    std::optional<std::string> found;
    ForEachBlockLine(block, [&](std::string_view lineName, std::string_view value) {
        if (!found && SameName(lineName, name)) found = std::string(value);
    });
    return found;
}

bool ParseUnsigned(std::string_view text, std::uint32_t limit, std::uint32_t& value) {
    if (text.empty() || text.size() > 10) return false;
    std::uint64_t result = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        result = result * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (result > limit) return false;
    value = static_cast<std::uint32_t>(result);
    return true;
}

// "a.b.c.d" with 16-bit parts into the two 32-bit numbers.
bool ParseFourParts(std::string_view text, std::uint32_t& most, std::uint32_t& least) {
    std::uint32_t parts[4] = {};
    for (int i = 0; i < 4; ++i) {
        std::size_t dot = i < 3 ? text.find('.') : text.size();
        if (dot == std::string_view::npos) return false;
        if (!ParseUnsigned(text.substr(0, dot), 0xFFFF, parts[i])) return false;
        text.remove_prefix(i < 3 ? dot + 1 : dot);
    }
    most = parts[0] << 16 | parts[1];
    least = parts[2] << 16 | parts[3];
    return true;
}

std::string TranslationText(std::uint32_t language, std::uint32_t codePage) {
    if (language == 0) language = 1033;
    if (codePage == 0) codePage = 1252;
    char text[16];
    std::snprintf(text, sizeof text, "%.4x%.4x", static_cast<unsigned>(language & 0xFFFF),
                  static_cast<unsigned>(codePage & 0xFFFF));
    return text;
}

}  // namespace

std::string TVersionNumberInformation::Text() const {
    if (!Valid) return "";
    char text[32];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", static_cast<int>(MostSignificant >> 16),
                  static_cast<int>(MostSignificant & 0xFFFF),
                  static_cast<int>(LeastSignificant >> 16),
                  static_cast<int>(LeastSignificant & 0xFFFF));
    return text;
}

void TVersionInfoResource::Clear() {
    block_.clear();
    translations_.clear();
    fixed_ = {};
    fileVersion_ = {};
    productVersion_ = {};
}

void TVersionInfoResource::SetFileName(const std::string& fileName) {
    fileName_ = fileName;
    Clear();
    std::string block = FindBlock(fileName.empty() ? "/proc/self/exe" : fileName);
    TFixedFileVersionInfo fixed;
    auto fileVersion = BlockValue(block, "FixedFileVersion");
    auto productVersion = BlockValue(block, "FixedProductVersion");
    if (!fileVersion || !productVersion ||
        !ParseFourParts(*fileVersion, fixed.FileVersionMS, fixed.FileVersionLS) ||
        !ParseFourParts(*productVersion, fixed.ProductVersionMS, fixed.ProductVersionLS)) {
        return;  // no usable version information: both numbers stay invalid
    }
    if (auto flags = BlockValue(block, "FileFlags")) {
        ParseUnsigned(*flags, 0xFFFFFFFFu, fixed.FileFlags);
    }
    block_ = std::move(block);
    fixed_ = fixed;

    ForEachBlockLine(block_, [this](std::string_view name, std::string_view value) {
        if (!SameName(name, "Translation")) return;
        std::size_t blank = value.find(' ');
        std::uint32_t language = 0;
        std::uint32_t codePage = 0;
        if (blank != std::string_view::npos &&
            ParseUnsigned(value.substr(0, blank), 0xFFFF, language) &&
            ParseUnsigned(value.substr(blank + 1), 0xFFFF, codePage)) {
            translations_.push_back(TranslationText(language, codePage));
        }
    });

    fileVersion_ = {fixed_.FileVersionMS, fixed_.FileVersionLS, true};
    productVersion_ = {fixed_.ProductVersionMS, fixed_.ProductVersionLS, true};
    if (translationIndex_ >= static_cast<int>(translations_.size())) translationIndex_ = 0;
}

void TVersionInfoResource::SetTranslationIndex(int index) {
    translationIndex_ = index >= 0 && index < static_cast<int>(translations_.size()) ? index : 0;
}

std::string TVersionInfoResource::StringValue(std::string_view key) const {
    if (block_.empty()) return "";
    std::string translation = translations_.empty()
                                  ? std::string("040904E4")
                                  : translations_[static_cast<std::size_t>(translationIndex_)];
    std::string path = "\\StringFileInfo\\" + translation + "\\";
    path.append(key);
    return BlockValue(block_, path).value_or("");
}

std::string TVersionInfoResource::StringValue(int index) const {
    if (index < 0 || index >= static_cast<int>(kStringKeys.size())) return "";
    return StringValue(kStringKeys[static_cast<std::size_t>(index)]);
}

std::string TVersionInfoResource::FileFlagsText() const {
    static constexpr std::pair<std::uint32_t, std::string_view> kFlags[] = {
        {0x01, "Debug"},         {0x02, "Pre-release"},   {0x04, "Patched"},
        {0x08, "Private build"}, {0x10, "Info inferred"}, {0x20, "Special build"}};
    std::string text;
    for (const auto& [bit, name] : kFlags) {
        if ((fixed_.FileFlags & bit) == 0) continue;
        if (!text.empty()) text += ", ";
        text += name;
    }
    return text;
}

std::string ReadReleaseText(const std::string& executablePath) {
    TVersionInfoResource reader;
    reader.SetFileName(executablePath);
    return reader.ProductVersion().Text();
}

}  // namespace velmora
