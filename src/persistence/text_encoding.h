#pragma once

#include <string>
#include <string_view>

namespace velmora {

// How a text file's bytes encode its characters, told by its byte-order mark. Windows
// editors save INI files as UTF-16 with a mark; everything else is taken as UTF-8 bytes.
enum class TextEncoding {
    Utf8,     // no mark: the bytes as they are
    Utf8Bom,  // EF BB BF
    Utf16Le,  // FF FE
    Utf16Be,  // FE FF
};

// The file's text as UTF-8 without its mark, and the encoding to write it back in. UTF-16 is
// decoded losslessly: a lone surrogate becomes its three-byte generalized UTF-8 form and a
// trailing odd byte is kept in `oddByte`, so EncodeText gives back the very bytes read.
struct DecodedText {
    TextEncoding encoding = TextEncoding::Utf8;
    std::string text;
    std::string oddByte;
};
DecodedText DecodeText(std::string bytes);

// The bytes of UTF-8 `text` in `encoding`, mark first, then `oddByte`.
std::string EncodeText(std::string_view text, TextEncoding encoding, std::string_view oddByte = {});

}  // namespace velmora
