#include "report/unit_text.h"

#include "report/number_text.h"

namespace velmora {

std::string UnitText(UnitFamily family, const OutputUnits& units, double si) {
    const UnitChoice* unit = ChosenUnit(family, units);
    if (unit == nullptr) return {};
    return FormatNumber(unit->fromSI(si), units.numbers) + " " + unit->name;
}

std::string LengthText(const OutputUnits& u, double x) {
    return UnitText(UnitFamily::Length, u, x);
}
std::string AreaText(const OutputUnits& u, double x) {
    return UnitText(UnitFamily::Area, u, x);
}
std::string VolumeText(const OutputUnits& u, double x) {
    return UnitText(UnitFamily::Volume, u, x);
}
std::string TemperatureText(const OutputUnits& u, double x) {
    return UnitText(UnitFamily::Temperature, u, x);
}
std::string MassText(const OutputUnits& u, double x) {
    return UnitText(UnitFamily::Mass, u, x);
}
std::string PressureText(const OutputUnits& u, double x) {
    return UnitText(UnitFamily::Pressure, u, x);
}
std::string AngleText(const OutputUnits& u, double x) {
    return UnitText(UnitFamily::Angle, u, x);
}
std::string AngVelText(const OutputUnits& u, double x) {
    return UnitText(UnitFamily::AngularSpeed, u, x);
}
std::string SpringText(const OutputUnits& u, double x) {
    return UnitText(UnitFamily::Spring, u, x);
}
std::string PowerText(const OutputUnits& u, double watts) {
    return UnitText(UnitFamily::Power, u, watts);
}

}  // namespace velmora
