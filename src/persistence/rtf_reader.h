#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct RtfColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const RtfColor&) const = default;
};

// A stretch of text in one character format. Text is UTF-8; a line break inside a paragraph
// (\line) is "\n" and a tab is "\t".
struct RtfRun {
    std::string text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    double fontSizePoints = 12;
    bool hasColor = false;  // false: the view's default text colour
    RtfColor color;
};

enum class RtfAlignment { Left, Center, Right, Justify };

struct RtfParagraph {
    std::vector<RtfRun> runs;
    RtfAlignment alignment = RtfAlignment::Left;
};

struct RtfDocument {
    std::vector<RtfParagraph> paragraphs;

    bool HasText() const;
    std::string PlainText() const;  // paragraphs joined by "\n", for tests and searches
};

// Reads the common subset of RTF: paragraphs and line breaks, bold, italic, underline, font
// sizes, the colour table, alignment, "\'hh" (code page 1252) and "\uN" escapes with "\ucN"
// fallback skipping, tabs, escaped braces and backslashes, groups, and the destinations it
// ignores (font and style tables, document info, pictures, "\*" groups). Anything else is
// skipped. Malformed input (unbalanced braces, truncated escapes, huge numbers, deep nesting)
// never fails: the reader takes what it can.
RtfDocument ParseRtf(std::string_view rtf);

}  // namespace velmora
