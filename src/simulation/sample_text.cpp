#include "simulation/sample_text.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace velmora {
namespace {

constexpr int kDigits = 15;
constexpr int kExactPowers = 27;  // 10^27 = 2^27 * 5^27 still fits a 64-bit mantissa

std::string PrintfSampleText(double value) {
    char buffer[40];
    const int length = std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return std::string(buffer, static_cast<std::size_t>(length));
}

// Exact in extended precision: 10^n = 2^n * 5^n and 5^27 needs fewer than 64 bits.
constexpr long double kPowersOfTen[kExactPowers + 1] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
    1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};

// The 15 significant digits of |value| as an integer in [10^14, 10^15) and the decimal
// exponent of the first digit; false where the scaled value comes too close to a rounding half
// to decide it without the exact expansion, or lies outside the exactly scaled range.
bool FifteenDigits(double magnitude, std::uint64_t& digits, int& exponent) {
    int binary = 0;
    std::frexp(magnitude, &binary);
    // floor((binary - 1) * log10(2)) in integers: a first guess, corrected below.
    exponent = ((binary - 1) * 78913) >> 18;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int shift = kDigits - 1 - exponent;
        if (shift > kExactPowers || -shift > kExactPowers) return false;
        // One rounding of a product of two exact factors: error far below 1e-3 of a unit.
        const long double scaled =
            shift >= 0 ? magnitude * kPowersOfTen[shift] : magnitude / kPowersOfTen[-shift];
        if (scaled < 1e14L) {
            --exponent;
            continue;
        }
        if (scaled >= 1e15L) {
            ++exponent;
            continue;
        }
        const auto whole = static_cast<std::uint64_t>(scaled);
        const long double fraction = scaled - static_cast<long double>(whole);
        if (fraction > 0.499L && fraction < 0.501L) return false;
        digits = whole + (fraction > 0.5L ? 1 : 0);
        if (digits == 1000000000000000ull) {
            digits = 100000000000000ull;
            ++exponent;
        }
        return true;
    }
    return false;
}

}  // namespace

// Sample lists get thousands of entries per run and "%.15g" is slow, so the digits are found by
// scaling in extended precision; the rare values that land next to a rounding half, or outside
// the exactly scaled range, go through the printf route.
std::string SampleText(double value) {
    if (!std::isfinite(value)) return "0";
    if (value == 0) return std::signbit(value) ? "-0" : "0";
    std::uint64_t number = 0;
    int exponent = 0;
    if (!FifteenDigits(std::fabs(value), number, exponent)) return PrintfSampleText(value);

    char digits[kDigits];
    for (int i = kDigits - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + number % 10);
        number /= 10;
    }
    int count = kDigits;
    while (count > 1 && digits[count - 1] == '0') --count;

    char out[32];
    int n = 0;
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
        return std::string(out, static_cast<std::size_t>(n));
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
    return std::string(out, static_cast<std::size_t>(n));
}

}  // namespace velmora
