#include "report/number_settings.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr std::string_view kNarrowNoBreakSpace = "\u202F";

bool HoldsDigit(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

NumberSettings MakeNumberSettings(std::string_view decimal, std::string_view group) {
    NumberSettings numbers;
    if (!decimal.empty() && !HoldsDigit(decimal)) numbers.decimalSeparator = decimal;
    if (!HoldsDigit(group)) numbers.thousandsSeparator = group;
    if (numbers.thousandsSeparator == numbers.decimalSeparator)
        numbers.thousandsSeparator = numbers.decimalSeparator == "," ? kNarrowNoBreakSpace : ",";
    return numbers;
}

}  // namespace velmora
