// Every double, NaN, infinities and denormals included, as the report shows it: never "nan" or
// "inf", never longer than the widest grouped double, and (for finite values) within the
// rounding of the form chosen.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_checks.h"
#include "report/number_text.h"
#include "report/unit_text.h"

namespace {

using velmora::NumberSettings;
using velmora::fuzz::Check;

// 309 digits of 1.8e308, a separator of up to three bytes per three of them, and a sign.
constexpr std::size_t kLongestText = 309 + 103 * 3 + 1;

NumberSettings SettingsFor(unsigned char choice) {
    static const NumberSettings kSettings[] = {{".", ","}, {",", "."},      {",", " "},
                                               {".", ""},  {",", "\u202F"}, {"\u066B", "\u066C"}};
    return kSettings[choice % 6];
}

long double ShownValue(const std::string& text, const NumberSettings& numbers) {
    std::string plain;
    for (std::size_t i = 0; i < text.size();) {
        const std::string_view rest = std::string_view(text).substr(i);
        if (!numbers.thousandsSeparator.empty() && rest.starts_with(numbers.thousandsSeparator)) {
            i += numbers.thousandsSeparator.size();
        } else if (rest.starts_with(numbers.decimalSeparator)) {
            plain += '.';
            i += numbers.decimalSeparator.size();
        } else {
            plain += text[i++];
        }
    }
    char* end = nullptr;
    const long double value = std::strtold(plain.c_str(), &end);
    Check(end == plain.c_str() + plain.size(), "the text reads back as a number", text);
    return value;
}

void CheckText(const std::string& text, const char* what) {
    Check(!text.empty(), what, text);
    Check(!velmora::fuzz::HasNonFiniteWord(text), what, text);
    Check(text.size() <= kLongestText + 16, what, text);
}

void CheckUnitTexts(double x, const NumberSettings& numbers, unsigned char choice) {
    velmora::OutputUnits units;
    units.numbers = numbers;
    units.LengthOutputFormatRG = choice % 5 - 1;
    units.TemperatureOutputFormatRG = choice % 4 - 1;
    units.MassOutputFormatRG = (choice / 4) % 4 - 1;
    units.AngVelOutputFormatRG = (choice / 16) % 4 - 1;
    units.SpringOutputFormatRG = (choice / 64) % 3 - 1;
    units.AngleOutputFormatRG = (choice / 3) % 3 - 1;
    units.PressureOutputFormatRG = (choice / 12) % 4 - 1;
    for (const std::string& text :
         {velmora::LengthText(units, x), velmora::AreaText(units, x), velmora::VolumeText(units, x),
          velmora::TemperatureText(units, x), velmora::MassText(units, x),
          velmora::PressureText(units, x), velmora::AngleText(units, x),
          velmora::AngVelText(units, x), velmora::SpringText(units, x),
          velmora::PowerText(units, x)}) {
        Check(!velmora::fuzz::HasNonFiniteWord(text), "a unit text is finite", text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    if (size < 8) return 0;
    double x = 0;
    std::memcpy(&x, data, sizeof x);
    const NumberSettings numbers = SettingsFor(size > 8 ? data[8] : 0);

    const std::string text = velmora::FormatNumber(x, numbers);
    CheckText(text, "FormatNumber gives a finite text of bounded length");
    CheckText(velmora::FormatDuration(x, numbers), "FormatDuration gives a finite text");
    CheckUnitTexts(x, numbers, size > 9 ? data[9] : 0);
    (void)velmora::RoundHalfEven(x);

    if (std::isnan(x)) {
        Check(text == "0", "NaN shows as 0", text);
        return 0;
    }
    if (std::isinf(x)) return 0;

    const long double shown = ShownValue(text, numbers);
    const long double exact = x;
    const long double error = std::fabs(shown - exact);
    // The 18-digit expansion behind every form adds at most this much.
    const long double expansion = std::fabs(exact) * 1e-17L;
    if (x > 999) {
        Check(error <= 0.5L + expansion, "a grouped integer is the value rounded", text);
    } else if (x >= 1) {
        Check(error <= 0.0005L + expansion, "three decimals are the value rounded", text);
    } else if (x >= 0.001) {
        Check(error <= 0.000005L + expansion, "five decimals are the value rounded", text);
    } else if (x == 0) {
        Check(text == "0", "zero shows as 0", text);
    } else {
        Check(error <= std::fabs(exact) * 0.0005L * (1 + 1e-15L),
              "four significant digits are the value rounded", text);
    }
    return 0;
}
