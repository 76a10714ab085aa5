#include "designspace/rounded_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace velmora {

namespace {

// The power of ten of the leading digit.
int Magnitude(double value) {
    return static_cast<int>(std::floor(std::log10(std::fabs(value))));
}

}  // namespace

int SignificantDigitsFor(double value, double resolution, int fewest) {
    fewest = std::clamp(fewest, 1, 15);
    if (value == 0 || !std::isfinite(value) || !(resolution > 0) || !std::isfinite(resolution))
        return fewest;
    // Rounding may move a value by a twentieth of the resolution at most.
    const int needed =
        Magnitude(value) - static_cast<int>(std::floor(std::log10(resolution / 20))) + 1;
    return std::clamp(needed, fewest, 15);
}

std::string RoundedText(double value, int significant, std::string_view separator) {
    if (!std::isfinite(value)) return value != value ? "nan" : (value > 0 ? "inf" : "-inf");
    significant = std::clamp(significant, 1, 15);
    int decimals = 0;
    if (value != 0) {
        const int last = Magnitude(value) - significant + 1;  // power of ten of the last digit
        if (last > 0) {
            const double unit = std::pow(10.0, last);
            value = std::round(value / unit) * unit;
        } else {
            decimals = -last;
        }
    }
    char buffer[400];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string text = ec == std::errc() ? std::string(buffer, end) : "0";
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    if (const std::size_t dot = text.find('.'); dot != std::string::npos)
        text.replace(dot, 1, separator);
    return text;
}

}  // namespace velmora
