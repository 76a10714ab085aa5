#include "persistence/ini_file.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

namespace velmora {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = AsciiLower(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;        // section or key name, without blanks
    std::size_t valueOffset = 0;  // from the line's start: after "=" and its blanks
    std::string_view value;       // without blanks
};

ParsedLine ParseLine(std::string_view text) {
    ParsedLine parsed;
    std::string_view trimmed = Trim(text);
    if (trimmed.empty() || trimmed.front() == ';') return parsed;
    if (trimmed.front() == '[') {
        // A header without "]" still opens a section: its keys must not land in the one before.
        std::string_view inner = trimmed.substr(1);
        std::size_t close = inner.find(']');
        parsed.kind = LineKind::Section;
        parsed.name = Trim(inner.substr(0, close));
        return parsed;
    }
    std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return parsed;
    std::string_view name = Trim(text.substr(0, equals));
    if (name.empty()) return parsed;
    std::size_t valueStart = equals + 1;
    while (valueStart < text.size() && IsBlank(text[valueStart])) ++valueStart;
    parsed.kind = LineKind::Key;
    parsed.name = name;
    parsed.valueOffset = valueStart;
    parsed.value = Trim(text.substr(valueStart));
    return parsed;
}

std::string OneLine(std::string_view value) {
    std::string line(value);
    for (char& c : line) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return line;
}

std::string ReadValue(std::string_view value) {
    return std::string(value.substr(0, IniFile::kMaxValueLength));
}

}  // namespace

std::size_t IniFile::NameHash::operator()(std::string_view name) const {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (char c : name) {
        hash ^= static_cast<unsigned char>(AsciiLower(c));
        hash *= 1099511628211ull;
    }
    return static_cast<std::size_t>(hash);
}

bool IniFile::NameEqual::operator()(std::string_view a, std::string_view b) const {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

std::size_t IniFile::KeyNameHash::operator()(const KeyName& name) const {
    return NameHash{}(name.key) * 31 + name.section;
}

bool IniFile::KeyNameEqual::operator()(const KeyName& a, const KeyName& b) const {
    return a.section == b.section && NameEqual{}(a.key, b.key);
}

IniFile::IniFile(std::string path) : path_(std::move(path)) {
    std::string bytes;
    readStatus_ = ReadWholeFile(path_, bytes, kMaxFileBytes);
    DecodedText decoded = DecodeText(std::move(bytes));
    encoding_ = decoded.encoding;
    oddByte_ = std::move(decoded.oddByte);
    source_ = std::move(decoded.text);
    // New lines follow the file's first line end.
    const std::size_t firstBreak = source_.find_first_of("\r\n");
    if (firstBreak != std::string::npos && source_[firstBreak] == '\r') {
        newline_ =
            firstBreak + 1 < source_.size() && source_[firstBreak + 1] == '\n' ? "\r\n" : "\r";
    }
    Index();
}

namespace {

// Calls visit(begin, contentEnd, next) for each line starting in [from, to): its text runs from
// begin to contentEnd (without its line end: "\r\n", "\n" or a "\r" alone), and the next line
// starts at next.
template <class Visit>
void ForEachLine(std::string_view text, std::size_t from, std::size_t to, Visit visit) {
    std::size_t position = from;
    while (position < to) {
        const std::size_t begin = position;
        std::size_t contentEnd = text.size();
        const std::size_t lineBreak = text.find_first_of("\r\n", position);
        if (lineBreak == std::string_view::npos) {
            position = text.size();
        } else {
            contentEnd = lineBreak;
            position = lineBreak + 1;
            if (text[lineBreak] == '\r' && position < text.size() && text[position] == '\n') {
                ++position;
            }
        }
        visit(begin, contentEnd, position);
    }
}

// Where the text of the line ending just before `next` ends.
std::size_t ContentEndBefore(std::string_view text, std::size_t begin, std::size_t next) {
    if (next == begin || next > text.size()) return next;
    if (text[next - 1] == '\n') {
        return next >= begin + 2 && text[next - 2] == '\r' ? next - 2 : next - 1;
    }
    return text[next - 1] == '\r' ? next - 1 : next;
}

std::uint32_t NameHash32(std::string_view name) {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (char c : name) {
        hash ^= static_cast<unsigned char>(AsciiLower(c));
        hash *= 16777619u;
    }
    return hash;
}

std::string LowerName(std::string_view name) {
    std::string lower(name);
    for (char& c : lower) c = AsciiLower(c);
    return lower;
}

}  // namespace

// One pass over the lines finds the section headers; a section's blocks and keys are
// indexed when it is first asked for, so that sections nobody asks for (a long notes
// section, or millions of junk ones) cost twelve bytes each.
void IniFile::Index() {
    const std::string_view text = source_;
    ForEachLine(text, 0, text.size(),
                [&](std::size_t begin, std::size_t contentEnd, std::size_t next) {
                    const std::string_view line = text.substr(begin, contentEnd - begin);
                    const std::string_view trimmed = Trim(line);
                    if (trimmed.empty() || trimmed.front() != '[') return;
                    headers_.push_back(Header{NameHash32(ParseLine(line).name),
                                              static_cast<std::uint32_t>(begin),
                                              static_cast<std::uint32_t>(next)});
                });
}

std::string_view IniFile::HeaderName(const Header& header) const {
    const std::string_view text = source_;
    const std::size_t end = ContentEndBefore(text, header.begin, header.next);
    return ParseLine(text.substr(header.begin, end - header.begin)).name;
}

IniFile::Section* IniFile::FindSection(std::string_view name) const {
    if (const auto found = sections_.find(name); found != sections_.end()) return &found->second;
    std::string lower = LowerName(name);
    if (absent_.count(lower) != 0) return nullptr;
    const std::uint32_t hash = NameHash32(name);
    Section* section = nullptr;
    for (std::size_t i = 0; i < headers_.size(); ++i) {
        const Header& header = headers_[i];
        if (header.nameHash != hash || !NameEqual{}(HeaderName(header), name)) continue;
        const std::size_t blockEnd =
            i + 1 < headers_.size() ? headers_[i + 1].begin : source_.size();
        if (section == nullptr) {
            section = &sections_.try_emplace(HeaderName(header)).first->second;
            section->id = ++sectionCount_;
            section->insertAt = header.next;
            section->insertNeedsLineBreak =
                header.next == ContentEndBefore(source_, header.begin, header.next);
        }
        section->blocks.emplace_back(header.next, blockEnd);
    }
    if (section == nullptr) absent_.emplace(std::move(lower), true);
    return section;
}

void IniFile::IndexKeys(Section& section) const {
    if (section.keysIndexed) return;
    section.keysIndexed = true;
    const std::string_view text = source_;
    for (std::size_t block = 0; block < section.blocks.size(); ++block) {
        const auto [from, to] = section.blocks[block];
        ForEachLine(text, from, to,
                    [&](std::size_t begin, std::size_t contentEnd, std::size_t next) {
                        const ParsedLine parsed = ParseLine(text.substr(begin, contentEnd - begin));
                        if (parsed.kind != LineKind::Key) return;
                        section.keyLines.push_back(KeyLine{NameHash32(parsed.name),
                                                           static_cast<std::uint32_t>(begin),
                                                           static_cast<std::uint32_t>(contentEnd)});
                        if (block == 0) {  // keys are added at the end of a section's first block
                            section.insertAt = next;
                            section.insertNeedsLineBreak = next == contentEnd;
                        }
                    });
    }
}

IniFile::Key* IniFile::FindKey(std::string_view section, std::string_view key) const {
    Section* found = FindSection(section);
    if (found == nullptr) return nullptr;
    IndexKeys(*found);
    if (const auto k = keys_.find(KeyName{found->id, key}); k != keys_.end()) return &k->second;
    // The first line of that name is the key (as the first of duplicate keys wins).
    const std::string_view text = source_;
    const std::uint32_t hash = NameHash32(key);
    for (const KeyLine& line : found->keyLines) {
        if (line.nameHash != hash) continue;
        const ParsedLine parsed = ParseLine(text.substr(line.begin, line.contentEnd - line.begin));
        if (!NameEqual{}(parsed.name, key)) continue;
        Key entry;
        entry.valueBegin = static_cast<std::size_t>(parsed.value.data() - text.data());
        entry.valueEnd = entry.valueBegin + parsed.value.size();
        entry.replaceBegin = line.begin + parsed.valueOffset;
        entry.replaceEnd = line.contentEnd;
        return &keys_.try_emplace(KeyName{found->id, parsed.name}, entry).first->second;
    }
    return nullptr;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    const Key* found = FindKey(section, key);
    if (found == nullptr) return std::string(defaultValue);
    if (found->edit != kNone) return ReadValue(Trim(edits_[found->edit].value));
    return ReadValue(
        std::string_view(source_).substr(found->valueBegin, found->valueEnd - found->valueBegin));
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
    const Key* found = FindKey(section, key);
    if (found == nullptr) return defaultValue;
    const std::string text = ReadString(section, key, "");
    int value = 0;
    return ParseIniInteger(text, value) ? value : defaultValue;
}

std::string_view IniFile::StoredName(std::string_view name) {
    return names_.emplace_back(name);
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::string text = OneLine(value);
    Section* target = FindSection(section);
    if (target != nullptr) {
        if (Key* existing = FindKey(section, key)) {
            Key& found = *existing;
            if (found.edit == kNone) {
                found.edit = edits_.size();
                Edit& edit = edits_.emplace_back();
                edit.position = found.replaceBegin;
                edit.removed = found.replaceEnd - found.replaceBegin;
            }
            // As in the file: a write replaces what follows "=" and its blanks.
            std::string& stored = edits_[found.edit].value;
            std::size_t blanks = 0;
            while (blanks < stored.size() && IsBlank(stored[blanks])) ++blanks;
            stored.replace(blanks, std::string::npos, text);
            return;
        }
    } else {
        const std::string_view name = StoredName(section);
        target = &sections_.try_emplace(name).first->second;
        target->id = ++sectionCount_;
        target->appended = appended_.size();
        target->keysIndexed = true;
        appended_.push_back(AppendedSection{name, {}});
        absent_.erase(LowerName(section));
    }

    Key& added = keys_.try_emplace(KeyName{target->id, StoredName(key)}).first->second;
    added.edit = edits_.size();
    Edit& edit = edits_.emplace_back();
    edit.before = std::string(key) + '=';
    edit.value = std::move(text);
    edit.after = newline_;
    if (target->appended != kNone) {
        appended_[target->appended].keyEdits.push_back(added.edit);
        return;
    }
    // Keys added to one section follow each other in the order written.
    edit.position = target->insertAt;
    if (target->insertNeedsLineBreak) edit.before.insert(0, newline_);
    target->insertNeedsLineBreak = false;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

std::string IniFile::Text() const {
    return EncodeText(Utf8Text(), encoding_, oddByte_);
}

std::string IniFile::Utf8Text() const {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < edits_.size(); ++i)
        if (edits_[i].position != kNone) order.push_back(i);
    // At one position a value replaced at the end of the last line comes before keys added
    // after that line; added keys keep the order they were written in.
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        const Edit& x = edits_[a];
        const Edit& y = edits_[b];
        return x.position != y.position ? x.position < y.position
                                        : x.before.empty() && !y.before.empty();
    });

    std::size_t size = source_.size() + newline_.size();
    for (const Edit& edit : edits_)
        size += edit.before.size() + edit.value.size() + edit.after.size();
    for (const AppendedSection& section : appended_) size += section.name.size() + 4;
    std::string text;
    text.reserve(size);
    std::size_t copied = 0;
    for (std::size_t i : order) {
        const Edit& edit = edits_[i];
        text.append(source_, copied, edit.position - copied);
        text += edit.before;
        text += edit.value;
        text += edit.after;
        copied = edit.position + edit.removed;
    }
    text.append(source_, copied);
    for (const AppendedSection& section : appended_) {
        if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += newline_;
        text += '[';
        text += section.name;
        text += ']';
        text += newline_;
        for (std::size_t i : section.keyEdits) {
            const Edit& edit = edits_[i];
            text += edit.before;
            text += edit.value;
            text += edit.after;
        }
    }
    return text;
}

bool IniFile::Save(const FileWriteSteps* steps) const {
    if (readStatus_ == FileReadStatus::Unreadable) return false;
    return WriteFileAtomically(path_, Text(), steps);
}

bool ReadYesNo(const IniFile& file, std::string_view section, std::string_view key,
               bool defaultValue) {
    // "Yes" in any letter case; any other word is No, as it always was.
    const std::string value = file.ReadString(section, key, defaultValue ? "Yes" : "No");
    return value.size() == 3 && (value[0] == 'Y' || value[0] == 'y') &&
           (value[1] == 'E' || value[1] == 'e') && (value[2] == 'S' || value[2] == 's');
}

void WriteYesNo(IniFile& file, std::string_view section, std::string_view key, bool value) {
    file.WriteString(section, key, value ? "Yes" : "No");
}

bool ParseIniInteger(std::string_view text, int& value) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    bool hex = false;
    if (!text.empty() && text.front() == '$') {
        hex = true;
        text.remove_prefix(1);
    } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        hex = true;
        text.remove_prefix(2);
    }
    if (text.empty()) return false;

    std::int64_t magnitude = 0;
    const std::int64_t limit = hex ? 0xFFFFFFFFLL : 2147483648LL;
    for (char c : text) {
        int digit = hex ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (digit < 0) return false;
        magnitude = magnitude * (hex ? 16 : 10) + digit;
        if (magnitude > limit) return false;
    }
    std::int64_t result = magnitude;
    // Eight hexadecimal digits are a 32-bit pattern: "$FFFFFFFF" is -1.
    if (hex && result > 0x7FFFFFFFLL) result -= 0x100000000LL;
    if (negative) result = -result;
    if (result > 2147483647LL || result < -2147483648LL) return false;
    value = static_cast<int>(result);
    return true;
}

}  // namespace velmora
