#pragma once

#include <cstddef>
#include <string>

namespace velmora {

enum class FileReadStatus {
    Read,        // the whole file is in the text
    Missing,     // no such file (or its folder is missing)
    Unreadable,  // exists but cannot be read as a whole: no permission, not a regular file, too big
};

// The default limit of ReadWholeFile (the help text); parameter files have IniFile's own. A
// file beyond its limit is refused whole, since reading it partly would let a later save
// truncate it.
constexpr std::size_t kMaxParameterFileBytes = std::size_t{8} * 1024 * 1024;

// Reads a regular file whole into `text`. Devices, pipes and folders are refused, so reading
// never blocks or runs without end.
FileReadStatus ReadWholeFile(const std::string& path, std::string& text,
                             std::size_t maxBytes = kMaxParameterFileBytes);

}  // namespace velmora
