#pragma once

#include <string>
#include <string_view>

namespace velmora {

// The user's number settings: decided once at start-up (the window and velmora-cli report
// take them from the environment's locale) and handed to every text operation. Separators
// are UTF-8 texts, since many locales group with U+202F or U+00A0; the two always differ.
struct NumberSettings {
    std::string decimalSeparator = ".";
    std::string thousandsSeparator = ",";  // empty: no grouping
};

// Settings from a locale's separators, mended where they could not be told apart: a decimal
// separator that is empty or holds a digit becomes ".", and a group separator equal to the
// decimal one (or holding a digit) becomes "," or, beside a decimal ",", U+202F.
NumberSettings MakeNumberSettings(std::string_view decimal, std::string_view group);

}  // namespace velmora
