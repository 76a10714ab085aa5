// Number texts as the user types them: the number test, the value, and the conversion of the
// value to SI in every unit of every input kind, shown back as text.
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "form/input_reading.h"
#include "fuzz_checks.h"
#include "report/number_text.h"
#include "report/unit_text.h"

namespace {

using velmora::NumberSettings;
using velmora::fuzz::Check;

NumberSettings SettingsFor(unsigned char choice) {
    static const NumberSettings kSettings[] = {{".", ","}, {",", "."},      {",", " "},
                                               {".", ""},  {",", "\u202F"}, {"\u066B", "\u066C"}};
    return kSettings[choice % 6];
}

// The text rewritten for strtod: trailing blanks dropped, the decimal separator made a full
// stop. A second reading of the same text, by the C library.
bool LibraryValue(std::string_view text, const NumberSettings& numbers, double& value) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    std::string plain;
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i).starts_with(numbers.decimalSeparator)) {
            plain += '.';
            i += numbers.decimalSeparator.size();
        } else {
            plain += text[i++];
        }
    }
    if (plain.empty() || plain.find('\0') != std::string::npos) return false;
    char* end = nullptr;
    value = std::strtod(plain.c_str(), &end);
    return end == plain.c_str() + plain.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    velmora::fuzz::FuzzInput input(data, size);
    const NumberSettings numbers = SettingsFor(input.TakeByte());
    const std::string_view text = input.Rest();

    const bool isNumber = velmora::IsNumberText(text, numbers);
    const std::optional<double> value = velmora::NumberTextValue(text, numbers);
    Check(isNumber == value.has_value(), "IsNumberText agrees with NumberTextValue", text);

    std::vector<std::string> report;
    const double read = velmora::ReadInput(text, "Input not defined!", report, numbers);
    if (!value) {
        Check(read == 0, "a text that is not a number reads as 0", text);
        Check(report.size() == 1 && report[0] == "*** Input not defined!",
              "a text that is not a number is reported once", text);
        return 0;
    }
    Check(read == *value, "ReadInput gives the number's value", text);
    Check(std::isfinite(*value) && *value >= 0, "a number text is finite and not negative", text);

    // Where the C library reads the same characters as a number, both agree to the last bit.
    double library = 0;
    if (LibraryValue(text, numbers, library) && std::isfinite(library) && library != 0) {
        Check(library == *value, "the value matches strtod", text);
    }

    using Kind = velmora::InputUnitKind;
    for (Kind kind : {Kind::Length, Kind::Mass, Kind::Spring, Kind::Volume, Kind::Temperature,
                      Kind::AngularSpeed, Kind::Pressure, Kind::Power}) {
        for (int choice = -1; choice <= velmora::InputUnitItemCount(kind); ++choice) {
            const double si = velmora::InputToSI(kind, choice, *value);
            Check(!std::isnan(si), "a conversion of a finite value is a number", text);
            const std::string shown = velmora::FormatNumber(si, numbers);
            Check(!shown.empty() && !velmora::fuzz::HasNonFiniteWord(shown),
                  "a converted value shows as a finite number", shown);
        }
    }
    return 0;
}
