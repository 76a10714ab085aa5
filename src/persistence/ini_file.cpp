#include "persistence/ini_file.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

namespace velmora {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

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

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = AsciiLower(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

// One line of the body: its text runs from `begin` to `contentEnd`, and the next line starts at
// `next` (equal to `contentEnd` for a last line without line break).
struct IniFile::Line {
    std::size_t begin = 0;
    std::size_t contentEnd = 0;
    std::size_t next = 0;

    bool HasLineBreak() const { return next != contentEnd; }
};

// Where a key is, or where it would go.
struct IniFile::KeyPlace {
    bool keyFound = false;
    std::size_t valueBegin = 0;  // the stored value without its blanks
    std::size_t valueEnd = 0;
    std::size_t replaceBegin = 0;  // a write replaces from after "=" and its blanks
    std::size_t replaceEnd = 0;    // to the end of the line's text
    bool sectionFound = false;
    std::size_t insertAt = 0;  // after the last key (or the header) of the first such section
    bool insertNeedsLineBreak = false;
};

namespace {

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

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {
    readStatus_ = ReadWholeFile(path_, body_, kMaxFileBytes);
    if (body_.compare(0, kUtf8Bom.size(), kUtf8Bom) == 0) {
        bom_ = std::string(kUtf8Bom);
        body_.erase(0, kUtf8Bom.size());
    }
    std::size_t firstBreak = body_.find('\n');
    if (firstBreak != std::string::npos && firstBreak > 0 && body_[firstBreak - 1] == '\r') {
        newline_ = "\r\n";
    }
}

IniFile::KeyPlace IniFile::Find(std::string_view section, std::string_view key) const {
    KeyPlace place;
    bool inMatchingSection = false;
    bool inFirstMatchingSection = false;
    std::size_t position = 0;
    const std::string_view body = body_;
    while (position < body.size()) {
        Line line;
        line.begin = position;
        std::size_t lineBreak = body.find('\n', position);
        if (lineBreak == std::string_view::npos) {
            line.contentEnd = line.next = body.size();
        } else {
            line.next = lineBreak + 1;
            line.contentEnd =
                lineBreak > position && body[lineBreak - 1] == '\r' ? lineBreak - 1 : lineBreak;
        }
        position = line.next;

        ParsedLine parsed = ParseLine(body.substr(line.begin, line.contentEnd - line.begin));
        if (parsed.kind == LineKind::Section) {
            inMatchingSection = SameName(parsed.name, section);
            inFirstMatchingSection = inMatchingSection && !place.sectionFound;
            if (inFirstMatchingSection) {
                place.sectionFound = true;
                place.insertAt = line.next;
                place.insertNeedsLineBreak = !line.HasLineBreak();
            }
            continue;
        }
        if (parsed.kind != LineKind::Key || !inMatchingSection) continue;
        if (SameName(parsed.name, key)) {
            place.keyFound = true;
            place.valueBegin = static_cast<std::size_t>(parsed.value.data() - body.data());
            place.valueEnd = place.valueBegin + parsed.value.size();
            place.replaceBegin = line.begin + parsed.valueOffset;
            place.replaceEnd = line.contentEnd;
            return place;
        }
        if (inFirstMatchingSection) {
            place.insertAt = line.next;
            place.insertNeedsLineBreak = !line.HasLineBreak();
        }
    }
    return place;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    KeyPlace place = Find(section, key);
    if (!place.keyFound) return std::string(defaultValue);
    std::size_t length = place.valueEnd - place.valueBegin;
    if (length > kMaxValueLength) length = kMaxValueLength;
    return body_.substr(place.valueBegin, length);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
    KeyPlace place = Find(section, key);
    if (!place.keyFound) return defaultValue;
    std::size_t length = std::min(place.valueEnd - place.valueBegin, kMaxValueLength);
    int value = 0;
    return ParseIniInteger(std::string_view(body_).substr(place.valueBegin, length), value)
               ? value
               : defaultValue;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string text = OneLine(value);
    KeyPlace place = Find(section, key);
    if (place.keyFound) {
        body_.replace(place.replaceBegin, place.replaceEnd - place.replaceBegin, text);
        return;
    }
    std::string keyLine(key);
    keyLine += '=';
    keyLine += text;
    keyLine += newline_;
    if (place.sectionFound) {
        if (place.insertNeedsLineBreak) keyLine.insert(0, newline_);
        body_.insert(place.insertAt, keyLine);
        return;
    }
    if (!body_.empty() && body_.back() != '\n') body_ += newline_;
    body_ += '[';
    body_.append(section);
    body_ += ']';
    body_ += newline_;
    body_ += keyLine;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

bool IniFile::Save(const FileWriteSteps* steps) const {
    if (readStatus_ == FileReadStatus::Unreadable) return false;
    return WriteFileAtomically(path_, Text(), steps);
}

bool ReadYesNo(const IniFile& file, std::string_view section, std::string_view key,
               bool defaultValue) {
    return file.ReadString(section, key, defaultValue ? "Yes" : "No") == "Yes";
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
