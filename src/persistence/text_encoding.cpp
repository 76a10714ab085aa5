#include "persistence/text_encoding.h"

#include <cstdint>

namespace velmora {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void AppendUnit(std::string& out, std::uint32_t unit, bool bigEndian) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

void AppendUtf16(std::string& out, std::uint32_t code, bool bigEndian) {
    if (code < 0x10000) {
        AppendUnit(out, code, bigEndian);
        return;
    }
    code -= 0x10000;
    AppendUnit(out, 0xD800 | (code >> 10), bigEndian);
    AppendUnit(out, 0xDC00 | (code & 0x3FF), bigEndian);
}

bool IsHighSurrogate(std::uint32_t unit) {
    return unit >= 0xD800 && unit < 0xDC00;
}

bool IsLowSurrogate(std::uint32_t unit) {
    return unit >= 0xDC00 && unit < 0xE000;
}

DecodedText DecodeUtf16(std::string_view bytes, TextEncoding encoding) {
    const bool bigEndian = encoding == TextEncoding::Utf16Be;
    DecodedText decoded;
    decoded.encoding = encoding;
    decoded.text.reserve(bytes.size() / 2);
    const std::size_t units = bytes.size() / 2;
    auto unitAt = [&](std::size_t i) -> std::uint32_t {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        return bigEndian ? (first << 8 | second) : (second << 8 | first);
    };
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint32_t unit = unitAt(i);
        if (IsHighSurrogate(unit) && i + 1 < units && IsLowSurrogate(unitAt(i + 1))) {
            AppendUtf8(decoded.text, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(i + 1) - 0xDC00));
            ++i;
        } else {
            AppendUtf8(decoded.text, unit);  // a lone surrogate keeps its own code
        }
    }
    if (bytes.size() % 2 != 0) decoded.oddByte = bytes.substr(bytes.size() - 1);
    return decoded;
}

// The next code point of UTF-8 `text` at `i` (advancing `i`); a byte that starts no sequence
// stands for itself, as U+0000 to U+00FF would, so nothing is ever dropped.
std::uint32_t NextCode(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int length = lead < 0x80           ? 1
                 : (lead >> 5) == 0x6  ? 2
                 : (lead >> 4) == 0xE  ? 3
                 : (lead >> 3) == 0x1E ? 4
                                       : 0;
    if (length == 0 || i + length > text.size()) {
        ++i;
        return lead;
    }
    std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return lead;
        }
        code = code << 6 | (next & 0x3F);
    }
    i += static_cast<std::size_t>(length);
    return code;
}

}  // namespace

DecodedText DecodeText(std::string bytes) {
    const std::string_view view = bytes;
    if (view.substr(0, 2) == kUtf16LeMark)
        return DecodeUtf16(view.substr(2), TextEncoding::Utf16Le);
    if (view.substr(0, 2) == kUtf16BeMark)
        return DecodeUtf16(view.substr(2), TextEncoding::Utf16Be);
    DecodedText decoded;
    if (view.substr(0, 3) == kUtf8Mark) {
        decoded.encoding = TextEncoding::Utf8Bom;
        bytes.erase(0, kUtf8Mark.size());
    }
    decoded.text = std::move(bytes);
    return decoded;
}

std::string EncodeText(std::string_view text, TextEncoding encoding, std::string_view oddByte) {
    std::string out;
    switch (encoding) {
        case TextEncoding::Utf8:
            out = text;
            break;
        case TextEncoding::Utf8Bom:
            out.reserve(kUtf8Mark.size() + text.size());
            out = kUtf8Mark;
            out += text;
            break;
        case TextEncoding::Utf16Le:
        case TextEncoding::Utf16Be: {
            const bool bigEndian = encoding == TextEncoding::Utf16Be;
            out.reserve(2 + 2 * text.size());
            out = bigEndian ? kUtf16BeMark : kUtf16LeMark;
            for (std::size_t i = 0; i < text.size();)
                AppendUtf16(out, NextCode(text, i), bigEndian);
            break;
        }
    }
    out += oddByte;
    return out;
}

}  // namespace velmora
