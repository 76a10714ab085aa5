#include "simulation/sample_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace velmora {
namespace {

__extension__ using Wide = unsigned __int128;

constexpr int kDigits = 15;
constexpr std::uint64_t kLowest = 100000000000000ull;    // 10^14
constexpr std::uint64_t kHighest = 1000000000000000ull;  // 10^15
constexpr int kMaxPowerOfFive = 27;                      // 5^27 < 2^64

std::size_t PrintfSampleText(double value, char* out) {
    const int length = std::snprintf(out, kSampleTextCapacity, "%.15g", value);
    return length > 0 ? static_cast<std::size_t>(length) : 0;
}

// The caller works with the returned length; the text needs no terminating NUL.
std::size_t Copy(const char* text, char* out) {
    const std::size_t length = std::strlen(text);
    std::copy_n(text, length, out);
    return length;
}

struct PowersOfFive {
    std::uint64_t values[kMaxPowerOfFive + 1];
    constexpr PowersOfFive() : values() {
        values[0] = 1;
        for (int i = 1; i <= kMaxPowerOfFive; ++i) values[i] = values[i - 1] * 5;
    }
};
constexpr PowersOfFive kPowersOfFive;

// |value| * 10^k rounded to an integer, exactly: with |value| = m * 2^e this is
// m * 5^k * 2^(k + e), which fits 128 bits for k <= 27. Ties go to the even integer, as
// printf rounds an exact binary value. Returns false when the product does not fit.
bool ScaledRounded(std::uint64_t mantissa, int binaryExponent, int k, std::uint64_t& result) {
    if (k < 0 || k > kMaxPowerOfFive) return false;
    const Wide product = static_cast<Wide>(mantissa) * kPowersOfFive.values[k];
    const int shift = k + binaryExponent;
    if (shift >= 0) {
        if (shift > 20 || (product >> (64 - shift)) != 0) return false;
        result = static_cast<std::uint64_t>(product << shift);
        return true;
    }
    const int right = -shift;
    if (right >= 127) {
        result = 0;
        return true;
    }
    const Wide whole = product >> right;
    const Wide remainder = product - (whole << right);
    const Wide half = static_cast<Wide>(1) << (right - 1);
    Wide rounded = whole;
    if (remainder > half || (remainder == half && (whole & 1) != 0)) rounded += 1;
    if ((rounded >> 64) != 0) return false;
    result = static_cast<std::uint64_t>(rounded);
    return true;
}

// The 15 significant digits of |value| (a normal double) as an integer in [10^14, 10^15) and
// the decimal exponent of the first digit; false outside the range handled exactly.
bool FifteenDigits(double value, std::uint64_t& digits, int& exponent) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    if (biased == 0 || biased == 0x7FF) return false;  // subnormal, inf, NaN
    const std::uint64_t mantissa = (bits & ((1ull << 52) - 1)) | (1ull << 52);
    const int binaryExponent = biased - 1075;  // value = mantissa * 2^binaryExponent
    // floor(log10 |value|), guessed from the binary exponent and corrected below.
    exponent = ((biased - 1023) * 78913) >> 18;
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::uint64_t scaled = 0;
        if (!ScaledRounded(mantissa, binaryExponent, kDigits - 1 - exponent, scaled)) return false;
        if (scaled < kLowest) {
            --exponent;
        } else if (scaled > kHighest) {
            ++exponent;
        } else {
            if (scaled == kHighest) {  // rounds to the next power of ten
                scaled = kLowest;
                ++exponent;
            }
            digits = scaled;
            return true;
        }
    }
    return false;
}

}  // namespace

// Sample lists get thousands of entries per run and "%.15g" is slow, so the 15 digits are
// worked out in exact integer arithmetic; values far outside the range of a simulation
// (below 1e-13 or from 1e15 on) go through printf.
std::string SampleText(double value) {
    char out[kSampleTextCapacity];
    return std::string(out, WriteSampleText(value, out));
}

double SampleTextValue(const std::string& text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0.0;
}

double RoundedSample(double value) {
    if (!std::isfinite(value)) return 0;
    if (value == 0) return value;
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) return value;
    std::uint64_t number = 0;
    int exponent = 0;
    // 15 digits times or over an exact power of ten up to 10^22: one correctly rounded
    // operation gives the double nearest the decimal text, as reading the text does.
    constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (FifteenDigits(value, number, exponent)) {
        const int scale = exponent - (kDigits - 1);
        if (scale >= -22 && scale <= 22) {
            const auto digits = static_cast<double>(number);
            const double rounded =
                scale >= 0 ? digits * kExactPowers[scale] : digits / kExactPowers[-scale];
            return value < 0 ? -rounded : rounded;
        }
    }
    char text[kSampleTextCapacity];
    return SampleTextValue(std::string(text, WriteSampleText(value, text)));
}

std::size_t WriteSampleText(double value, char* out) {
    if (!std::isfinite(value)) return Copy("0", out);
    if (value == 0) return Copy(std::signbit(value) ? "-0" : "0", out);
    // Whole numbers below 10^15 (the step counts of a "Degrees" axis) print as integers.
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
        const auto written =
            std::to_chars(out, out + kSampleTextCapacity, static_cast<long long>(value));
        return static_cast<std::size_t>(written.ptr - out);
    }
    std::uint64_t number = 0;
    int exponent = 0;
    if (!FifteenDigits(value, number, exponent)) return PrintfSampleText(value, out);

    // Two independent halves of 7 and 8 digits keep the divisions short.
    char digits[kDigits];
    auto high = static_cast<std::uint32_t>(number / 100000000u);
    auto low = static_cast<std::uint32_t>(number % 100000000u);
    for (int i = kDigits - 1; i >= 7; --i) {
        digits[i] = static_cast<char>('0' + low % 10);
        low /= 10;
    }
    for (int i = 6; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + high % 10);
        high /= 10;
    }
    int count = kDigits;
    while (count > 1 && digits[count - 1] == '0') --count;

    std::size_t n = 0;
    if (value < 0) out[n++] = '-';
    if (exponent >= -4 && exponent < kDigits) {
        if (exponent < 0) {
            out[n++] = '0';
            out[n++] = '.';
            for (int i = 0; i < -exponent - 1; ++i) out[n++] = '0';
            for (int i = 0; i < count; ++i) out[n++] = digits[i];
        } else {
            for (int i = 0; i <= exponent; ++i) out[n++] = i < count ? digits[i] : '0';
            if (count > exponent + 1) {
                out[n++] = '.';
                for (int i = exponent + 1; i < count; ++i) out[n++] = digits[i];
            }
        }
        return n;
    }
    out[n++] = digits[0];
    if (count > 1) {
        out[n++] = '.';
        for (int i = 1; i < count; ++i) out[n++] = digits[i];
    }
    out[n++] = 'e';
    out[n++] = exponent < 0 ? '-' : '+';
    const int magnitude = std::abs(exponent);
    if (magnitude >= 100) out[n++] = static_cast<char>('0' + magnitude / 100);
    out[n++] = static_cast<char>('0' + magnitude / 10 % 10);
    out[n++] = static_cast<char>('0' + magnitude % 10);
    return n;
}

}  // namespace velmora
