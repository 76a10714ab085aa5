#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace velmora::fuzz {

// One private folder per fuzzing process, made on first use and removed at exit; each input
// is written to the same file name in it.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velmora-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string File(std::string_view name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

inline const ScratchFolder& Scratch() {
    static const ScratchFolder folder;
    return folder;
}

// Replaces the file's contents by `bytes` (the file is removed first, so a previous input's
// temporary files or links cannot interfere).
inline bool WriteScratchFile(const std::string& path, std::string_view bytes) {
    std::remove(path.c_str());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace velmora::fuzz
