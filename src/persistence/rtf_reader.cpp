#include "persistence/rtf_reader.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace velmora {

namespace {

constexpr std::size_t kMaxGroupDepth = 200;
constexpr int kMaxUnicodeSkip = 16;
constexpr int kDefaultHalfPoints = 24;
constexpr int kMaxHalfPoints = 2000;

// Code page 1252 from 0x80 to 0x9F; the other bytes above 0x7F are Latin-1.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

char32_t FromCp1252(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c >= 0xD800 && c <= 0xDFFF) c = 0xFFFD;
    if (c > 0x10FFFF) c = 0xFFFD;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

enum class Destination { Text, Ignored, ColorTable };

struct CharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool hidden = false;
    int halfPoints = kDefaultHalfPoints;
    int colorIndex = 0;
};

struct GroupState {
    CharFormat format;
    RtfAlignment alignment = RtfAlignment::Left;
    int unicodeSkip = 1;
    Destination destination = Destination::Text;
};

bool IsIgnoredDestination(std::string_view word) {
    static constexpr std::string_view kIgnored[] = {"fonttbl",
                                                    "stylesheet",
                                                    "info",
                                                    "pict",
                                                    "object",
                                                    "header",
                                                    "headerl",
                                                    "headerr",
                                                    "headerf",
                                                    "footer",
                                                    "footerl",
                                                    "footerr",
                                                    "footerf",
                                                    "footnote",
                                                    "listtable",
                                                    "listoverridetable",
                                                    "revtbl",
                                                    "rsidtbl",
                                                    "filetbl",
                                                    "xmlnstbl",
                                                    "fldinst",
                                                    "themedata",
                                                    "colorschememapping",
                                                    "datastore",
                                                    "latentstyles",
                                                    "pgdsctbl",
                                                    "nonshppict",
                                                    "generator",
                                                    "author",
                                                    "operator",
                                                    "title",
                                                    "subject",
                                                    "comment",
                                                    "keywords",
                                                    "doccomm",
                                                    "mmathPr",
                                                    "bkmkstart",
                                                    "bkmkend"};
    return std::find(std::begin(kIgnored), std::end(kIgnored), word) != std::end(kIgnored);
}

struct SpecialCharacter {
    std::string_view word;
    char32_t character;
};

constexpr SpecialCharacter kSpecialCharacters[] = {
    {"emdash", 0x2014},  {"endash", 0x2013},    {"bullet", 0x2022},    {"lquote", 0x2018},
    {"rquote", 0x2019},  {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003},
    {"enspace", 0x2002}, {"qmspace", 0x2005},   {"tab", U'\t'},        {"line", U'\n'},
    {"cell", U'\t'}};

class RtfParser {
  public:
    explicit RtfParser(std::string_view input) : in_(input) { groups_.emplace_back(); }

    RtfDocument Parse() {
        while (pos_ < in_.size()) {
            char c = in_[pos_];
            if (c == '{') {
                ++pos_;
                OpenGroup();
            } else if (c == '}') {
                ++pos_;
                CloseGroup();
            } else if (c == '\\') {
                ++pos_;
                ControlSequence();
            } else {
                ++pos_;
                if (c == '\r' || c == '\n') continue;
                TextByte(static_cast<unsigned char>(c));
            }
        }
        if (!paragraph_.runs.empty()) EndParagraph();
        return std::move(document_);
    }

  private:
    GroupState& State() { return groups_.back(); }

    void OpenGroup() {
        pendingSkip_ = 0;
        if (groups_.size() >= kMaxGroupDepth) {
            ++overflowDepth_;  // deeper groups share the deepest state
            return;
        }
        GroupState inner = groups_.back();
        groups_.push_back(inner);
    }

    void CloseGroup() {
        pendingSkip_ = 0;
        if (overflowDepth_ > 0) {
            --overflowDepth_;
            return;
        }
        if (groups_.size() > 1) groups_.pop_back();  // a stray "}" at the top is ignored
    }

    void ControlSequence() {
        if (pos_ >= in_.size()) return;  // a lone backslash at the end
        char c = in_[pos_];
        if (!IsLetter(c)) {
            ++pos_;
            ControlSymbol(c);
            return;
        }
        std::size_t wordStart = pos_;
        while (pos_ < in_.size() && IsLetter(in_[pos_])) ++pos_;
        std::string_view word = in_.substr(wordStart, std::min<std::size_t>(pos_ - wordStart, 32));

        std::optional<long long> parameter;
        bool negative = false;
        if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        if (pos_ < in_.size() && IsDigit(in_[pos_])) {
            long long value = 0;
            while (pos_ < in_.size() && IsDigit(in_[pos_])) {
                // Huge numbers saturate instead of overflowing.
                value = std::min(value * 10 + (in_[pos_] - '0'), 4294967296LL);
                ++pos_;
            }
            parameter = negative ? -value : value;
        }
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
        ControlWord(word, parameter);
    }

    void ControlSymbol(char c) {
        switch (c) {
            case '\\':
            case '{':
            case '}':
                TextByte(static_cast<unsigned char>(c));
                break;
            case '\'': {
                int high = pos_ < in_.size() ? HexValue(in_[pos_]) : -1;
                if (high < 0) break;
                ++pos_;
                int low = pos_ < in_.size() ? HexValue(in_[pos_]) : -1;
                int value = high;
                if (low >= 0) {
                    ++pos_;
                    value = high * 16 + low;
                }
                TextCharacter(FromCp1252(static_cast<unsigned char>(value)));
                break;
            }
            case '~':
                TextCharacter(0x00A0);
                break;
            case '_':
                TextCharacter(0x2011);
                break;
            case '*':
                State().destination = Destination::Ignored;
                break;
            case '\n':
            case '\r':
                EndParagraph();
                break;
            default:
                break;  // "\-", "\:", "\|" and unknown symbols
        }
    }

    static bool On(const std::optional<long long>& parameter) {
        return !parameter || *parameter != 0;
    }

    static int Clamped(long long value, int low, int high) {
        return static_cast<int>(std::clamp<long long>(value, low, high));
    }

    void ControlWord(std::string_view word, const std::optional<long long>& parameter) {
        GroupState& state = State();
        CharFormat& format = state.format;
        if (state.destination == Destination::ColorTable) {
            int value = Clamped(parameter.value_or(0), 0, 255);
            if (word == "red") pendingColor_.red = static_cast<std::uint8_t>(value);
            if (word == "green") pendingColor_.green = static_cast<std::uint8_t>(value);
            if (word == "blue") pendingColor_.blue = static_cast<std::uint8_t>(value);
            if (word == "red" || word == "green" || word == "blue") pendingColorSet_ = true;
            return;
        }
        if (word == "par" || word == "page" || word == "sect" || word == "row") {
            EndParagraph();
        } else if (word == "pard" || word == "ql") {
            state.alignment = RtfAlignment::Left;
        } else if (word == "plain") {
            format = CharFormat{};
        } else if (word == "b") {
            format.bold = On(parameter);
        } else if (word == "i") {
            format.italic = On(parameter);
        } else if (word == "ulnone") {
            format.underline = false;
        } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" ||
                   word == "uldash" || word == "ulth" || word == "ulwave") {
            format.underline = On(parameter);
        } else if (word == "v") {
            format.hidden = On(parameter);
        } else if (word == "fs") {
            format.halfPoints = parameter && *parameter > 0 ? Clamped(*parameter, 1, kMaxHalfPoints)
                                                            : kDefaultHalfPoints;
        } else if (word == "cf") {
            format.colorIndex = Clamped(parameter.value_or(0), 0, 1 << 20);
        } else if (word == "qc") {
            state.alignment = RtfAlignment::Center;
        } else if (word == "qr") {
            state.alignment = RtfAlignment::Right;
        } else if (word == "qj") {
            state.alignment = RtfAlignment::Justify;
        } else if (word == "uc") {
            state.unicodeSkip = Clamped(parameter.value_or(1), 0, kMaxUnicodeSkip);
        } else if (word == "u") {
            UnicodeEscape(parameter.value_or(0));
        } else if (word == "bin") {
            // Binary data: skip its bytes, as far as there are any.
            long long count = std::max(0LL, parameter.value_or(0));
            pos_ += static_cast<std::size_t>(
                std::min<long long>(count, static_cast<long long>(in_.size() - pos_)));
        } else if (word == "colortbl") {
            state.destination = Destination::ColorTable;
            pendingColorSet_ = false;
            pendingColor_ = {};
        } else if (IsIgnoredDestination(word)) {
            state.destination = Destination::Ignored;
        } else {
            for (const SpecialCharacter& special : kSpecialCharacters) {
                if (word == special.word) {
                    TextCharacter(special.character);
                    return;
                }
            }
        }
    }

    void UnicodeEscape(long long value) {
        // Values are signed 16-bit numbers; negative ones stand for 32768 to 65535.
        if (value < 0) value += 65536;
        char32_t code = static_cast<char32_t>(std::clamp<long long>(value, 0, 0x10FFFF));
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (highSurrogate_) TextCharacter(0xFFFD);
            highSurrogate_ = code;
        } else if (code >= 0xDC00 && code <= 0xDFFF && highSurrogate_) {
            char32_t combined = 0x10000 + ((*highSurrogate_ - 0xD800) << 10) + (code - 0xDC00);
            highSurrogate_.reset();
            TextCharacter(combined);
        } else {
            TextCharacter(code);
        }
        pendingSkip_ = State().unicodeSkip;
    }

    void TextByte(unsigned char byte) {
        if (byte < 0x20 && byte != '\t') return;  // stray control bytes carry no text
        TextCharacter(FromCp1252(byte));
    }

    // One character of text: skipped as a "\uN" fallback, or added to the destination.
    void TextCharacter(char32_t c) {
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        if (highSurrogate_ && !(c >= 0xDC00 && c <= 0xDFFF)) {
            highSurrogate_.reset();
            AppendToRun(0xFFFD);
        }
        AppendToRun(c);
    }

    void AppendToRun(char32_t c) {
        GroupState& state = State();
        if (state.destination == Destination::ColorTable) {
            if (c == ';') {
                colors_.push_back(pendingColorSet_ ? std::optional<RtfColor>(pendingColor_)
                                                   : std::nullopt);
                pendingColorSet_ = false;
                pendingColor_ = {};
            }
            return;
        }
        if (state.destination != Destination::Text || state.format.hidden) return;

        RtfRun run;
        run.bold = state.format.bold;
        run.italic = state.format.italic;
        run.underline = state.format.underline;
        run.fontSizePoints = state.format.halfPoints / 2.0;
        auto index = static_cast<std::size_t>(state.format.colorIndex);
        if (index < colors_.size() && colors_[index]) {
            run.hasColor = true;
            run.color = *colors_[index];
        }
        if (paragraph_.runs.empty() || !SameFormat(paragraph_.runs.back(), run)) {
            paragraph_.runs.push_back(run);
        }
        AppendUtf8(paragraph_.runs.back().text, c);
    }

    static bool SameFormat(const RtfRun& a, const RtfRun& b) {
        return a.bold == b.bold && a.italic == b.italic && a.underline == b.underline &&
               a.fontSizePoints == b.fontSizePoints && a.hasColor == b.hasColor &&
               a.color == b.color;
    }

    void EndParagraph() {
        if (State().destination != Destination::Text) return;
        paragraph_.alignment = State().alignment;
        document_.paragraphs.push_back(std::move(paragraph_));
        paragraph_ = RtfParagraph{};
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    std::vector<GroupState> groups_;
    std::size_t overflowDepth_ = 0;
    int pendingSkip_ = 0;
    std::optional<char32_t> highSurrogate_;
    std::vector<std::optional<RtfColor>> colors_;
    RtfColor pendingColor_;
    bool pendingColorSet_ = false;
    RtfParagraph paragraph_;
    RtfDocument document_;
};

}  // namespace

bool RtfDocument::HasText() const {
    for (const RtfParagraph& paragraph : paragraphs) {
        for (const RtfRun& run : paragraph.runs) {
            if (!run.text.empty()) return true;
        }
    }
    return false;
}

std::string RtfDocument::PlainText() const {
    std::string text;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0) text += '\n';
        for (const RtfRun& run : paragraphs[i].runs) text += run.text;
    }
    return text;
}

RtfDocument ParseRtf(std::string_view rtf) {
    return RtfParser(rtf).Parse();
}

}  // namespace velmora
