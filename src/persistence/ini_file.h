#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "persistence/atomic_file_writer.h"
#include "persistence/file_text.h"
#include "persistence/text_encoding.h"

namespace velmora {

// An INI file held in memory for one procedure: read and indexed once, read and edited key by
// key, and written back once, each in time proportional to the file's size. Section and key
// names match regardless of letter case; values are read without surrounding blanks.
// Everything a write does not touch stays byte for byte: comments, unknown keys, junk lines,
// blank lines, the line endings (LF, CRLF or CR alone, as the file has them) and the encoding
// (UTF-8 with or without a byte-order mark, or UTF-16 with one, as Windows editors save INI
// files). The first of duplicate keys wins. Memory stays a small multiple of the file's size
// however many sections it holds: only the sections asked for are indexed in full.
class IniFile {
  public:
    static constexpr std::size_t kMaxValueLength = 2047;
    // A parameter file is about 1.5 KB; hand-edited ones may carry long notes. A larger file
    // is not one of ours: it is reported as unreadable and never overwritten.
    static constexpr std::size_t kMaxFileBytes = std::size_t{64} * 1024 * 1024;

    // Reads and indexes the whole file; a missing file is an empty one that Save will create.
    explicit IniFile(std::string path);
    // The index views the text it was built from.
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

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

    // The file's full text as it will be written, in its encoding, byte-order mark included.
    std::string Text() const;

    // Writes the text over the file atomically. False when the file existed but could not be
    // read (saving would lose what it holds) or when writing failed; the old file is then intact.
    bool Save(const FileWriteSteps* steps = nullptr) const;

  private:
    // Names compare and hash without letter case; they view the file's text or names_.
    struct NameHash {
        std::size_t operator()(std::string_view name) const;
    };
    struct NameEqual {
        bool operator()(std::string_view a, std::string_view b) const;
    };
    struct KeyName {
        std::uint32_t section;
        std::string_view key;
    };
    struct KeyNameHash {
        std::size_t operator()(const KeyName& name) const;
    };
    struct KeyNameEqual {
        bool operator()(const KeyName& a, const KeyName& b) const;
    };
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    struct KeyLine {
        std::uint32_t nameHash;
        std::uint32_t begin;
        std::uint32_t contentEnd;
    };
    struct Section {
        std::uint32_t id = 0;
        std::size_t insertAt = 0;  // after the last key (or the header) of its first block
        bool insertNeedsLineBreak = false;
        std::size_t appended = kNone;  // index in appended_ for a section the file lacked
        // The lines under each of its headers, [begin, end) in the text, in file order.
        std::vector<std::pair<std::size_t, std::size_t>> blocks;
        bool keysIndexed = false;
        // Its key lines in file order; a key gets an entry in keys_ when first asked for.
        std::vector<KeyLine> keyLines;
    };
    struct Key {
        std::size_t valueBegin = 0;  // the stored value without its blanks
        std::size_t valueEnd = 0;
        std::size_t replaceBegin = 0;  // a write replaces from after "=" and its blanks
        std::size_t replaceEnd = 0;    // to the end of the line's text
        std::size_t edit = kNone;      // index in edits_ once written
    };
    // A change of the text: `removed` bytes at `position` give way to before + value + after.
    // Keys of appended sections have no position; they are written with their section.
    struct Edit {
        std::size_t position = kNone;
        std::size_t removed = 0;
        std::string before;
        std::string value;
        std::string after;
    };
    struct AppendedSection {
        std::string_view name;
        std::vector<std::size_t> keyEdits;
    };

    // A section header line: where it starts, where the lines under it start, and its name's
    // hash; twelve bytes, so a file of millions of tiny sections stays small in memory.
    struct Header {
        std::uint32_t nameHash;
        std::uint32_t begin;
        std::uint32_t next;
    };

    void Index();
    std::string_view HeaderName(const Header& header) const;
    Section* FindSection(std::string_view name) const;
    void IndexKeys(Section& section) const;
    std::string Utf8Text() const;
    Key* FindKey(std::string_view section, std::string_view key) const;
    std::string_view StoredName(std::string_view name);

    std::string path_;
    FileReadStatus readStatus_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    std::string oddByte_;  // a UTF-16 file's last byte without its pair
    std::string source_;   // the text as UTF-8, without the byte-order mark
    std::string newline_ = "\n";
    std::vector<Header> headers_;
    // Sections and their keys are indexed as they are asked for, by const reads too; names
    // asked for that the file lacks are remembered (in lower case) so that no read scans twice.
    mutable std::unordered_map<std::string_view, Section, NameHash, NameEqual> sections_;
    mutable std::unordered_map<std::string, bool> absent_;
    mutable std::uint32_t sectionCount_ = 0;
    mutable std::unordered_map<KeyName, Key, KeyNameHash, KeyNameEqual> keys_;
    std::vector<Edit> edits_;
    std::vector<AppendedSection> appended_;
    std::deque<std::string> names_;  // names written that the file did not hold
};

// "Yes" in any letter case is true, any other word false; a missing key reads as the default.
bool ReadYesNo(const IniFile& file, std::string_view section, std::string_view key,
               bool defaultValue);
void WriteYesNo(IniFile& file, std::string_view section, std::string_view key, bool value);

// The integer rule of ReadInteger on its own.
bool ParseIniInteger(std::string_view text, int& value);

}  // namespace velmora
