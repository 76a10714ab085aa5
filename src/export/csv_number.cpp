#include "export/csv_number.h"

#include <charconv>
#include <cmath>

namespace velmora {

void AppendCsvNumber(std::string& out, double value) {
    // std::to_chars ignores the locale and writes the shortest text that reads back as the same
    // double. Plain decimals where they stay short ("5000000", not "5e+06"); the exponent
    // form only for the very small and very large. Zero is written without its sign.
    if (value == 0) {
        out += '0';
        return;
    }
    const double magnitude = std::fabs(value);
    const bool plain = magnitude >= 1e-4 && magnitude < 1e15;
    char text[64];
    const auto result =
        plain ? std::to_chars(text, text + sizeof text, value, std::chars_format::fixed)
              : std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

std::string CsvNumber(double value) {
    std::string out;
    AppendCsvNumber(out, value);
    return out;
}

}  // namespace velmora
