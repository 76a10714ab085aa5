#pragma once

#include <QString>
#include <string>

#include "report/number_settings.h"

namespace velmora {

// A plain number text ("19474.9", "-0.0005", "1e-05") as the user's locale shows it: thousands
// grouped in the integer part and the decimal separator of the settings ("19,474.9"). Texts
// with an exponent, or that are no number ("not settled", "-"), are returned as they are.
QString GroupedNumber(const std::string& plain, const NumberSettings& numbers);

// A value for a readout: four significant digits, grouped, with a leading minus for negative
// values rather than the report's exponent form ("-40.48" where the report says "-4.048E+001").
QString ReadoutNumber(double value, const NumberSettings& numbers);

// A power that is no more than the rounding of a design that does not run is "-" (not running).
QString PowerOrNotRunning(const std::string& plain, double watts, const NumberSettings& numbers);

}  // namespace velmora
