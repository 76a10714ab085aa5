#pragma once

#include <string>

#include "engine/units.h"
#include "report/number_settings.h"

namespace velmora {

// The output-unit choices with the number settings that the texts use.
struct OutputUnits : OutputChoices {
    NumberSettings numbers;
};

// FormatNumber of the converted value, a blank and the unit name; empty without a choice.
std::string UnitText(UnitFamily family, const OutputUnits& units, double si);
// FormatNumber of the converted value followed by the unit suffix ("304.8 mm"); empty text
// when the list has no choice.
std::string LengthText(const OutputUnits& units, double x);
std::string AreaText(const OutputUnits& units, double x);
std::string VolumeText(const OutputUnits& units, double x);
std::string TemperatureText(const OutputUnits& units, double x);
std::string MassText(const OutputUnits& units, double x);
std::string PressureText(const OutputUnits& units, double x);
std::string AngleText(const OutputUnits& units, double x);
std::string AngVelText(const OutputUnits& units, double x);
std::string SpringText(const OutputUnits& units, double x);
std::string PowerText(const OutputUnits& units, double watts);

}  // namespace velmora
