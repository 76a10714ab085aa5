#include "report/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace velmora {

namespace {

// A positive finite double as 18 significant decimal digits: value = d0.d1...d17 * 10^exponent.
// Every cut to the shown digits starts from this expansion, never from the binary value.
struct DecimalExpansion {
    std::string digits;  // exactly 18 characters '0'..'9', the first one not '0'
    int exponent = 0;
};

constexpr int kSignificantDigits = 18;

DecimalExpansion Expand(double magnitude) {
    char buffer[64];
    // to_chars ignores the C locale, unlike printf, so a window that set the user's locale
    // cannot change the separator here.
    auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                std::chars_format::scientific, kSignificantDigits - 1);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    DecimalExpansion e;
    std::size_t exponentAt = text.find('e');
    for (char c : text.substr(0, exponentAt))
        if (c != '.') e.digits += c;
    std::string_view exponentText = text.substr(exponentAt + 1);
    if (!exponentText.empty() && exponentText.front() == '+') exponentText.remove_prefix(1);
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), e.exponent);
    return e;
}

// Adds one unit in the last place of a digit string; may grow it by a leading '1'.
void IncrementDigits(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

// round(magnitude * 10^decimals) as a decimal integer text, halves up, from the expansion.
std::string ScaledRoundedDigits(const DecimalExpansion& e, int decimals) {
    // Digits whose weight is at least 10^-decimals.
    long keep = static_cast<long>(e.exponent) + decimals + 1;
    if (keep < 0) return "0";
    if (keep == 0) return e.digits[0] >= '5' ? "1" : "0";
    if (keep >= kSignificantDigits)
        return e.digits + std::string(static_cast<std::size_t>(keep - kSignificantDigits), '0');
    std::string kept = e.digits.substr(0, static_cast<std::size_t>(keep));
    if (e.digits[static_cast<std::size_t>(keep)] >= '5') IncrementDigits(kept);
    return kept;
}

std::string GroupedInteger(double magnitude, const NumberSettings& numbers) {
    std::string digits = ScaledRoundedDigits(Expand(magnitude), 0);
    if (numbers.thousandsSeparator.empty()) return digits;
    std::string text;
    text.reserve(digits.size() + digits.size() / 3 * numbers.thousandsSeparator.size());
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += numbers.thousandsSeparator;
        text += digits[i];
    }
    return text;
}

// Fixed-point text with trailing zeros and then a trailing separator removed.
std::string TrimmedFixed(double magnitude, int decimals, const NumberSettings& numbers) {
    std::string digits = ScaledRoundedDigits(Expand(magnitude), decimals);
    const auto width = static_cast<std::size_t>(decimals) + 1;
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    std::string text = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    std::string fraction = digits.substr(digits.size() - static_cast<std::size_t>(decimals));
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    if (!fraction.empty()) text += numbers.decimalSeparator + fraction;
    return text;
}

// "d.dddE+nnn" with four significant digits; never trimmed.
std::string ExponentForm(double x, const NumberSettings& numbers) {
    DecimalExpansion e = Expand(std::fabs(x));
    std::string mantissa = e.digits.substr(0, 4);
    int exponent = e.exponent;
    if (e.digits[4] >= '5') {
        IncrementDigits(mantissa);
        if (mantissa.size() > 4) {
            mantissa.pop_back();
            ++exponent;
        }
    }
    std::string text = x < 0 ? "-" : "";
    text += mantissa[0];
    text += numbers.decimalSeparator;
    text += mantissa.substr(1);
    text += exponent < 0 ? "E-" : "E+";
    std::string exponentDigits = std::to_string(std::abs(exponent));
    if (exponentDigits.size() < 3) exponentDigits.insert(0, 3 - exponentDigits.size(), '0');
    return text + exponentDigits;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

// Values outside the real numbers never reach the report as "nan" or "inf": NaN shows as "0"
// (the system's "not computed"), and infinities as the largest finite double of their sign.
std::string FormatNumber(double x, const NumberSettings& numbers) {
    if (std::isnan(x)) return "0";
    if (std::isinf(x))
        x = x > 0 ? std::numeric_limits<double>::max() : std::numeric_limits<double>::lowest();
    if (x > 999) return GroupedInteger(x, numbers);
    if (x >= 1) return TrimmedFixed(x, 3, numbers);
    if (x >= 0.001) return TrimmedFixed(x, 5, numbers);
    if (x == 0) return "0";
    return ExponentForm(x, numbers);
}

std::string FormatFieldNumber(double x, const NumberSettings& numbers) {
    NumberSettings ungrouped = numbers;
    ungrouped.thousandsSeparator.clear();
    return FormatNumber(x, ungrouped);
}

std::string FormatDuration(double seconds, const NumberSettings& numbers) {
    if (seconds > 1) return FormatNumber(seconds, numbers) + " sec";
    if (seconds >= 0.001) return FormatNumber(seconds * 1000, numbers) + " milliSec";
    return FormatNumber(seconds * 1000000, numbers) + " microSec";
}

std::optional<double> NumberTextValue(std::string_view text, const NumberSettings& numbers) {
    if (IsBlankText(text)) return std::nullopt;
    if (!IsDigit(text.front()) && text.front() != '.') return std::nullopt;

    std::size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ') --end;
    std::string_view body = text.substr(0, end);

    // The body rewritten with a full stop, so that from_chars reads it in any setting.
    std::string plain;
    plain.reserve(body.size());
    std::size_t i = 0;
    bool mantissaDigits = false;
    while (i < body.size() && IsDigit(body[i])) {
        plain += body[i++];
        mantissaDigits = true;
    }
    // A file typed under English settings reads the same everywhere: the full stop is a
    // decimal separator besides the settings' own. Group separators are never accepted.
    std::size_t separator = 0;
    if (i < body.size() && body[i] == '.') {
        separator = 1;
    } else if (!numbers.decimalSeparator.empty() &&
               body.substr(i, numbers.decimalSeparator.size()) == numbers.decimalSeparator) {
        separator = numbers.decimalSeparator.size();
    }
    if (separator > 0) {
        plain += '.';
        i += separator;
        while (i < body.size() && IsDigit(body[i])) {
            plain += body[i++];
            mantissaDigits = true;
        }
    }
    if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
        std::size_t exponentStart = ++i;
        if (i < body.size() && (body[i] == '+' || body[i] == '-')) ++i;
        std::size_t digitsStart = i;
        while (i < body.size() && IsDigit(body[i])) ++i;
        if (i == digitsStart) return std::nullopt;
        if (mantissaDigits) {
            plain += 'e';
            plain.append(body.substr(exponentStart, i - exponentStart));
        }
    }
    if (i != body.size()) return std::nullopt;
    // A mantissa without digits (".", ".e5") spells zero.
    if (!mantissaDigits) return 0.0;

    double value = 0;
    auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    // Out of range either way (1e999, or a non-zero text below the smallest double) does not
    // fit a double and so is not a number.
    if (result.ec != std::errc() || result.ptr != plain.data() + plain.size()) return std::nullopt;
    return value;
}

bool IsNumberText(std::string_view text, const NumberSettings& numbers) {
    return NumberTextValue(text, numbers).has_value();
}

bool IsBlankText(std::string_view text) {
    for (char c : text)
        if (c != ' ' && c != '\r' && c != '\n') return false;
    return true;
}

std::size_t TextWidth(std::string_view text) {
    std::size_t width = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++width;  // not a continuation byte
    return width;
}

std::string PadLeft(std::string_view text, std::size_t width) {
    std::string padded;
    const std::size_t shown = TextWidth(text);
    if (shown < width) padded.assign(width - shown, ' ');
    padded.append(text);
    return padded;
}

long long RoundHalfEven(double x) {
    if (!std::isfinite(x)) return 0;
    // Beyond this range every double is already an integer; clamp instead of overflowing.
    constexpr double kLimit = 9.2e18;
    if (x >= kLimit) return std::numeric_limits<long long>::max();
    if (x <= -kLimit) return std::numeric_limits<long long>::min();
    double floor = std::floor(x);
    double fraction = x - floor;
    auto result = static_cast<long long>(floor);
    if (fraction > 0.5) return result + 1;
    if (fraction < 0.5) return result;
    return result % 2 == 0 ? result : result + 1;
}

std::string TrialText(double value, const NumberSettings& numbers) {
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    const std::string_view written =
        ec == std::errc() ? std::string_view(buffer, end - buffer) : "0";
    // Read back by the same rules as typed numbers; the user sees their own separator.
    std::string text;
    for (char c : written) {
        if (c == '.')
            text += numbers.decimalSeparator;
        else
            text += c;
    }
    return text;
}

}  // namespace velmora
