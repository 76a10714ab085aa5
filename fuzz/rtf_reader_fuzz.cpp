// The help-file reader on arbitrary bytes: it takes what it can and gives well-formed text.
#include <cmath>
#include <string>
#include <string_view>

#include "fuzz_checks.h"
#include "persistence/rtf_reader.h"

namespace {

using velmora::fuzz::Check;

// Strict UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        int length = 0;
        char32_t code = 0;
        if (byte < 0x80) {
            ++i;
            continue;
        } else if (byte >= 0xC2 && byte <= 0xDF) {
            length = 2;
            code = byte & 0x1F;
        } else if (byte >= 0xE0 && byte <= 0xEF) {
            length = 3;
            code = byte & 0x0F;
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            length = 4;
            code = byte & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<std::size_t>(length) > text.size()) return false;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000)) return false;
        if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return false;
        i += static_cast<std::size_t>(length);
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string_view rtf(reinterpret_cast<const char*>(data), size);
    const velmora::RtfDocument document = velmora::ParseRtf(rtf);

    // Every paragraph and every character costs at least one input byte; a character is at
    // most four bytes of UTF-8 and comes from at least one input byte.
    Check(document.paragraphs.size() <= size + 1, "no more paragraphs than input bytes");
    std::size_t textBytes = 0;
    for (const velmora::RtfParagraph& paragraph : document.paragraphs) {
        for (const velmora::RtfRun& run : paragraph.runs) {
            Check(!run.text.empty(), "a run holds text");
            Check(IsValidUtf8(run.text), "run text is valid UTF-8", run.text);
            Check(std::isfinite(run.fontSizePoints) && run.fontSizePoints > 0 &&
                      run.fontSizePoints <= 1000,
                  "font sizes are sensible");
            textBytes += run.text.size();
        }
    }
    Check(textBytes <= 4 * size, "text is bounded by the input");
    return 0;
}
