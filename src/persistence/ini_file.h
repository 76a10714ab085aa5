#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "persistence/atomic_file_writer.h"
#include "persistence/file_text.h"

namespace velmora {

// An INI file held in memory for one procedure: opened once, read and edited key by key, and
// written back once. Section and key names match regardless of letter case; values are read
// without surrounding blanks. Everything a write does not touch stays byte for byte: comments,
// unknown keys, junk lines, blank lines, the line endings (LF or CRLF, as the file has them)
// and a UTF-8 byte-order mark. The first of duplicate keys wins.
class IniFile {
  public:
    static constexpr std::size_t kMaxValueLength = 2047;
    // Every lookup scans the whole text, so a file of short junk lines near the general limit
    // of file_text.h would take seconds to load and save. A parameter file is about 1.5 KB;
    // a larger file is treated as unreadable (loads the defaults and is never overwritten).
    static constexpr std::size_t kMaxFileBytes = std::size_t{1024} * 1024;

    // Reads the whole file; a missing file is an empty one that Save will create.
    explicit IniFile(std::string path);

    const std::string& Path() const { return path_; }
    FileReadStatus ReadStatus() const { return readStatus_; }

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Decimal with an optional sign, or hexadecimal after "0x" or "$"; any other text, and a
    // number beyond 32 bits, gives the default.
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;

    // Replaces the value where the key is, else adds the key at the end of its section, else
    // adds the section at the end of the file. Line breaks in a value become blanks, so a value
    // can never add lines of its own.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);

    // The file's full text as it will be written, byte-order mark included.
    std::string Text() const { return bom_ + body_; }

    // Writes the text over the file atomically. False when the file existed but could not be
    // read (saving would lose what it holds) or when writing failed; the old file is then intact.
    bool Save(const FileWriteSteps* steps = nullptr) const;

  private:
    struct Line;
    struct KeyPlace;
    KeyPlace Find(std::string_view section, std::string_view key) const;

    std::string path_;
    FileReadStatus readStatus_;
    std::string bom_;
    std::string body_;
    std::string newline_ = "\n";
};

// "Yes" exactly (letter case included) is true; a missing key reads as the default's word.
bool ReadYesNo(const IniFile& file, std::string_view section, std::string_view key,
               bool defaultValue);
void WriteYesNo(IniFile& file, std::string_view section, std::string_view key, bool value);

// The integer rule of ReadInteger on its own.
bool ParseIniInteger(std::string_view text, int& value);

}  // namespace velmora
