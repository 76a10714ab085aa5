#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Values shown to an engineer and put into the input fields: as many significant digits as
// tell a value apart from one `resolution` away (a neighbour on a sweep axis, a bound's
// tolerance), at least `fewest`, at most 15.
int SignificantDigitsFor(double value, double resolution, int fewest = 4);

// `value` rounded to `significant` digits and written in fixed point, trailing zeros dropped,
// never an exponent, never "-0", with `separator` as the decimal separator
// ("84.04", "53330", "0.0005909").
std::string RoundedText(double value, int significant, std::string_view separator = ".");

}  // namespace velmora
