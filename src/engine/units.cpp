#include "engine/units.h"

#include <cstddef>

namespace velmora {

double InchesToMeters(double x) {
    return x * 0.0254;
}
double MetersToInches(double x) {
    return x / 0.0254;
}
double MillimetersToMeters(double x) {
    return x / 1000;
}
double CentimetersToMeters(double x) {
    return x / 100;
}
double PoundsToKilograms(double x) {
    return x / 2.2;
}
double KilogramsToPounds(double x) {
    return x * 2.2;
}
double GramsToKilograms(double x) {
    return x / 1000;
}
double SquareMetersToSquareInches(double x) {
    return x / 6.4516e-4;
}
double CubicInchesToCubicMeters(double x) {
    return x * 0.0254 * 0.0254 * 0.0254;
}
double CubicMetersToCubicInches(double x) {
    return x / 1.6387064e-5;
}
double CubicMillimetersToCubicMeters(double x) {
    return x / 1e9;
}
double CubicCentimetersToCubicMeters(double x) {
    return x / 1e6;
}
double FahrenheitToKelvin(double x) {
    return (x - 32) * 5 / 9 + 273;
}
double CelsiusToKelvin(double x) {
    return x + 273;
}
double KelvinToCelsius(double x) {
    return x - 273;
}
double KelvinToFahrenheit(double x) {
    return (x - 273) * 1.8 + 32;
}
double RpmToRadPerSec(double x) {
    return x * 2 * 3.14159 / 60;
}
double HzToRadPerSec(double x) {
    return x * 2 * 3.14159;
}
double RadPerSecToRpm(double x) {
    return x * 60 / 6.28318;
}
double RadPerSecToHz(double x) {
    return x / 6.28318;
}
double PeriodOfRadPerSec(double x) {
    return 6.28318 / x;
}
double RadiansToDegrees(double x) {
    return x * 360 / 6.28318;
}
double DegreesToRadians(double x) {
    return x * 6.28318 / 360;
}
double AtmToPascals(double x) {
    return x * 100000;
}
double PascalsToAtm(double x) {
    return x / 100000;
}
double PsiToPascals(double x) {
    return x * 100000 / 15;
}
double PascalsToPsi(double x) {
    return x * 15 / 100000;
}
double GramsPerInchToNewtonsPerMeter(double x) {
    return x * 0.03937;
}
double NewtonsPerMeterToGramsPerInch(double x) {
    return x / 0.03937;
}

namespace {

double Same(double x) {
    return x;
}

// The conversions exactly as the program has always written them (x * 1000 one way, x / 1000
// the other), so that every value stays bit for bit what it was.
constexpr UnitFamilyInfo kLength{
    {{{"in", InchesToMeters, MetersToInches, "Inches", "in"},
      {"mm", MillimetersToMeters, [](double x) { return x * 1000; }, "mm", "mm"},
      {"cm", CentimetersToMeters, [](double x) { return x * 100; }, "cm", "cm"},
      {"m", Same, Same, "m", "m"}}},
    4,
    &OutputChoices::LengthOutputFormatRG};
constexpr UnitFamilyInfo kArea{{{{"in ^2", [](double x) { return x * 6.4516e-4; },
                                  SquareMetersToSquareInches, nullptr, "in^2"},
                                 {"mm ^2", [](double x) { return x / 1e6; },
                                  [](double x) { return x * 1e6; }, nullptr, "mm^2"},
                                 {"cm ^2", [](double x) { return x / 1e4; },
                                  [](double x) { return x * 1e4; }, nullptr, "cm^2"},
                                 {"m ^2", Same, Same, nullptr, "m^2"}}},
                               4,
                               &OutputChoices::LengthOutputFormatRG};
constexpr UnitFamilyInfo kVolume{
    {{{"in ^3", CubicInchesToCubicMeters, CubicMetersToCubicInches, "Inches^3", "in^3"},
      {"mm ^3", CubicMillimetersToCubicMeters, [](double x) { return x * 1e9; }, "mm^3", "mm^3"},
      {"cm ^3", CubicCentimetersToCubicMeters, [](double x) { return x * 1e6; }, "cm^3", "cm^3"},
      {"m ^3", Same, Same, "m^3", "m^3"}}},
    4,
    &OutputChoices::LengthOutputFormatRG};
constexpr UnitFamilyInfo kTemperature{{{{"F", FahrenheitToKelvin, KelvinToFahrenheit, "F", "degF"},
                                        {"C", CelsiusToKelvin, KelvinToCelsius, "C", "degC"},
                                        {"K", Same, Same, "K", "K"}}},
                                      3,
                                      &OutputChoices::TemperatureOutputFormatRG};
constexpr UnitFamilyInfo kMass{
    {{{"lb", PoundsToKilograms, KilogramsToPounds, "pounds", "lb"},
      {"g", GramsToKilograms, [](double x) { return x * 1000; }, "grams", "g"},
      {"kg", Same, Same, "kilo-grams", "kg"}}},
    3,
    &OutputChoices::MassOutputFormatRG};
constexpr UnitFamilyInfo kPressure{{{{"atm", AtmToPascals, PascalsToAtm, "Atmos", "atm"},
                                     {"lb/in^2", PsiToPascals, PascalsToPsi, "lb/in^2", "psi"},
                                     {"N/m^2", Same, Same, "N/m^2", "Pa"}}},
                                   3,
                                   &OutputChoices::PressureOutputFormatRG};
constexpr UnitFamilyInfo kAngle{
    {{{"rad", Same, Same, "Radians", "rad"},
      {"degrees", DegreesToRadians, RadiansToDegrees, "Degrees", "deg"}}},
    2,
    &OutputChoices::AngleOutputFormatRG};
constexpr UnitFamilyInfo kAngularSpeed{{{{"RPM", RpmToRadPerSec, RadPerSecToRpm, "RPM", "rpm"},
                                         {"Hz", HzToRadPerSec, RadPerSecToHz, "Hz", "Hz"},
                                         {"rad/sec", Same, Same, "Rad/Sec", "rad/s"}}},
                                       3,
                                       &OutputChoices::AngVelOutputFormatRG};
constexpr UnitFamilyInfo kSpring{{{{"N/m", Same, Same, "N/m", "N/m"},
                                   {"g/inch", GramsPerInchToNewtonsPerMeter,
                                    NewtonsPerMeterToGramsPerInch, "grams/inch", "g/in"}}},
                                 2,
                                 &OutputChoices::SpringOutputFormatRG};
constexpr UnitFamilyInfo kForce{{{{"N", Same, Same, nullptr, "N"}}}, 1, nullptr};
constexpr UnitFamilyInfo kPower{{{{"watts", Same, Same, "Watts", "W"}}}, 1, nullptr};

}  // namespace

const UnitFamilyInfo& UnitFamilyOf(UnitFamily family) {
    static constexpr std::array<const UnitFamilyInfo*, 11> kFamilies{
        &kLength, &kArea,         &kVolume, &kTemperature, &kMass, &kPressure,
        &kAngle,  &kAngularSpeed, &kSpring, &kForce,       &kPower};
    return *kFamilies[static_cast<std::size_t>(family)];
}

UnitFamily InputUnitFamily(InputUnitKind kind) {
    static constexpr std::array<UnitFamily, 8> kOfKind{
        UnitFamily::Length,      UnitFamily::Mass,         UnitFamily::Spring,   UnitFamily::Volume,
        UnitFamily::Temperature, UnitFamily::AngularSpeed, UnitFamily::Pressure, UnitFamily::Power};
    return kOfKind[static_cast<std::size_t>(kind)];
}

int InputUnitItemCount(InputUnitKind kind) {
    return UnitFamilyOf(InputUnitFamily(kind)).count;
}

int SIChoice(InputUnitKind kind) {
    const UnitFamilyInfo& family = UnitFamilyOf(InputUnitFamily(kind));
    for (int i = 0; i < family.count; ++i)
        if (family.items[i].toSI == Same) return i;
    return kNoChoice;  // every input family has its SI unit (tested)
}

bool InputUnitDefined(InputUnitKind kind, int choice) {
    if (kind == InputUnitKind::Spring || kind == InputUnitKind::Power) return true;
    return choice >= 0 && choice < InputUnitItemCount(kind);
}

double InputToSI(InputUnitKind kind, int choice, double x) {
    const UnitFamilyInfo& family = UnitFamilyOf(InputUnitFamily(kind));
    if (choice >= 0 && choice < family.count) return family.items[choice].toSI(x);
    // The spring constant without a unit is taken in N/m; power has no unit list.
    return kind == InputUnitKind::Spring || kind == InputUnitKind::Power ? x : 0;
}

int OutputChoice(UnitFamily family, const OutputChoices& units) {
    const UnitFamilyInfo& info = UnitFamilyOf(family);
    if (info.outputList == nullptr) return 0;
    const int choice = units.*info.outputList;
    return choice >= 0 && choice < info.count ? choice : kNoChoice;
}

const UnitChoice* ChosenUnit(UnitFamily family, const OutputChoices& units) {
    const int choice = OutputChoice(family, units);
    return choice == kNoChoice ? nullptr : &UnitFamilyOf(family).items[choice];
}

double ToOutput(UnitFamily family, const OutputChoices& units, double si) {
    const UnitChoice* unit = ChosenUnit(family, units);
    return unit == nullptr ? 0 : unit->fromSI(si);
}

double FromOutput(UnitFamily family, const OutputChoices& units, double x) {
    const UnitChoice* unit = ChosenUnit(family, units);
    return unit == nullptr ? 0 : unit->toSI(x);
}

std::string UnitName(UnitFamily family, const OutputChoices& units) {
    const UnitChoice* unit = ChosenUnit(family, units);
    return unit == nullptr ? "" : unit->name;
}

double LengthToOutput(const OutputChoices& u, double x) {
    return ToOutput(UnitFamily::Length, u, x);
}
double LengthFromOutput(const OutputChoices& u, double x) {
    // A length typed without an output unit is kept as it stands.
    return OutputChoice(UnitFamily::Length, u) == kNoChoice ? x
                                                            : FromOutput(UnitFamily::Length, u, x);
}
double AreaToOutput(const OutputChoices& u, double x) {
    return ToOutput(UnitFamily::Area, u, x);
}
double VolumeToOutput(const OutputChoices& u, double x) {
    return ToOutput(UnitFamily::Volume, u, x);
}
double VolumeFromOutput(const OutputChoices& u, double x) {
    return FromOutput(UnitFamily::Volume, u, x);
}
double TemperatureToOutput(const OutputChoices& u, double x) {
    return ToOutput(UnitFamily::Temperature, u, x);
}
double MassToOutput(const OutputChoices& u, double x) {
    return ToOutput(UnitFamily::Mass, u, x);
}
double PressureToOutput(const OutputChoices& u, double x) {
    return ToOutput(UnitFamily::Pressure, u, x);
}
double PressureFromOutput(const OutputChoices& u, double x) {
    return FromOutput(UnitFamily::Pressure, u, x);
}
double AngleToOutput(const OutputChoices& u, double x) {
    return ToOutput(UnitFamily::Angle, u, x);
}
double AngVelToOutput(const OutputChoices& u, double x) {
    return ToOutput(UnitFamily::AngularSpeed, u, x);
}
double SpringToOutput(const OutputChoices& u, double x) {
    return ToOutput(UnitFamily::Spring, u, x);
}

std::string LengthUnitName(const OutputChoices& u) {
    return UnitName(UnitFamily::Length, u);
}
std::string VolumeUnitName(const OutputChoices& u) {
    return UnitName(UnitFamily::Volume, u);
}
std::string PressureUnitName(const OutputChoices& u) {
    return UnitName(UnitFamily::Pressure, u);
}
std::string VelocityUnitName(const OutputChoices& u) {
    return LengthUnitName(u) + "/sec";
}
std::string AccelerationUnitName(const OutputChoices& u) {
    return LengthUnitName(u) + "/sec^2";
}

}  // namespace velmora
