#pragma once

#include <array>
#include <string>

namespace velmora {

// Choice index of a list: 0 for the first item, -1 for no choice.
constexpr int kNoChoice = -1;

// The fixed constants of the program. They are deliberately coarse and are used as they stand.
constexpr double kPi = 3.14159;
constexpr double kTwoPi = 6.28318;
constexpr double kHalfPi = 1.570795;
constexpr double kGasConstant = 283.7679180887372;  // J/(kg K) of the working gas
constexpr double kGravity = 9.8;                    // m/s^2

// Plain conversions; arithmetic exactly as written, in that order.
double InchesToMeters(double x);
double MetersToInches(double x);
double MillimetersToMeters(double x);
double CentimetersToMeters(double x);
double PoundsToKilograms(double x);
double KilogramsToPounds(double x);
double GramsToKilograms(double x);
double SquareMetersToSquareInches(double x);
double CubicInchesToCubicMeters(double x);
double CubicMetersToCubicInches(double x);
double CubicMillimetersToCubicMeters(double x);
double CubicCentimetersToCubicMeters(double x);
double FahrenheitToKelvin(double x);
double CelsiusToKelvin(double x);
double KelvinToCelsius(double x);
double KelvinToFahrenheit(double x);
double RpmToRadPerSec(double x);
double HzToRadPerSec(double x);
double RadPerSecToRpm(double x);
double RadPerSecToHz(double x);
double PeriodOfRadPerSec(double x);  // callers never pass 0
double RadiansToDegrees(double x);
double DegreesToRadians(double x);
double AtmToPascals(double x);
double PascalsToAtm(double x);
double PsiToPascals(double x);
double PascalsToPsi(double x);
double GramsPerInchToNewtonsPerMeter(double x);
double NewtonsPerMeterToGramsPerInch(double x);

// Kinds of input unit lists and their item counts.
enum class InputUnitKind {
    Length,
    Mass,
    Spring,
    Volume,
    Temperature,
    AngularSpeed,
    Pressure,
    Power
};
int InputUnitItemCount(InputUnitKind kind);
// The item of the kind's list that is the SI unit itself ("m", "kilo-grams", "K", "N/m^2").
int SIChoice(InputUnitKind kind);

// An entered value to SI by the choice of its unit list. No choice gives 0, except the spring
// constant (taken as N/m) and power (never converted).
double InputToSI(InputUnitKind kind, int choice, double x);

// Whether a typed number in a unit list with this choice has a value: the choice names an
// item, or the kind takes a value without one (the spring constant, power). A file can name
// an item that does not exist (MassUnits=99); the input is then not defined.
bool InputUnitDefined(InputUnitKind kind, int choice);

// The seven output-unit choices, named after their lists: what the one-degree model needs of
// the output units (it records its curves and measures its pressure/volume diagram in them, as
// specified). The defaults are those of a parameter file without an OutputFormat section.
// Texts add number settings to them (report/unit_text.h).
struct OutputChoices {
    int LengthOutputFormatRG = 1;         // "Inches", "mm", "cm", "m"
    int TemperatureOutputFormatRG = 0;    // "F", "C", "K"
    int MassOutputFormatRG = 1;           // "pounds", "grams", "kilo-grams"
    int AngVelOutputFormatRG = 2;         // "RPM", "Hz", "Rad/Sec"
    int SpringOutputFormatRG = 1;         // "N/m", "grams/inch"
    int AngleOutputFormatRG = kNoChoice;  // "Radians", "Degrees"
    int PressureOutputFormatRG = 2;       // "Atmos", "lb/in^2", "N/m^2"
};

// Every family of units the program shows a value in. The table behind UnitFamilyOf holds,
// per family, its items in list order (name and both conversions) and the output list that
// chooses one; every conversion, text and unit name below walks it.
enum class UnitFamily {
    Length,
    Area,    // follows the length list
    Volume,  // follows the length list
    Temperature,
    Mass,
    Pressure,
    Angle,
    AngularSpeed,
    Spring,
    Force,  // always N
    Power,  // always watts
};

struct UnitChoice {
    const char* name;  // "mm ^3": the axis-title name; value texts put a blank before it
    double (*toSI)(double);
    double (*fromSI)(double);
    const char* listItem = nullptr;  // "kilo-grams": the item of the window's unit lists
    // "degC": a plain ASCII symbol, as Python code names the unit (set(..., unit="degC")) and
    // as DataFrame column names end ("_degc")
    const char* symbol = nullptr;
};

struct UnitFamilyInfo {
    std::array<UnitChoice, 4> items;
    int count;
    int OutputChoices::*outputList;  // nullptr: one unit, always chosen
};

const UnitFamilyInfo& UnitFamilyOf(UnitFamily family);
UnitFamily InputUnitFamily(InputUnitKind kind);

// The output choice of the family's list, kNoChoice when it names no item.
int OutputChoice(UnitFamily family, const OutputChoices& units);
// SI to the chosen output unit and back; 0 without a choice.
double ToOutput(UnitFamily family, const OutputChoices& units, double si);
double FromOutput(UnitFamily family, const OutputChoices& units, double x);
// The unit the choices name for the family; nullptr when the choice is out of range.
const UnitChoice* ChosenUnit(UnitFamily family, const OutputChoices& units);

// A family's chosen output unit looked up once, for loops over many values: converts exactly
// as ToOutput and FromOutput do (0 when the choice names no unit).
class OutputConverter {
  public:
    OutputConverter(UnitFamily family, const OutputChoices& units)
        : unit_(ChosenUnit(family, units)) {}
    double ToOutput(double si) const { return unit_ == nullptr ? 0 : unit_->fromSI(si); }
    double FromOutput(double x) const { return unit_ == nullptr ? 0 : unit_->toSI(x); }

  private:
    const UnitChoice* unit_;
};

// The chosen unit's name; empty without a choice.
std::string UnitName(UnitFamily family, const OutputChoices& units);

// Conversions that follow an output list: no choice gives 0 (LengthFromOutput gives x).
double LengthToOutput(const OutputChoices& units, double x);
double LengthFromOutput(const OutputChoices& units, double x);
double AreaToOutput(const OutputChoices& units, double x);
double VolumeToOutput(const OutputChoices& units, double x);
double VolumeFromOutput(const OutputChoices& units, double x);
double TemperatureToOutput(const OutputChoices& units, double x);
double MassToOutput(const OutputChoices& units, double x);
double PressureToOutput(const OutputChoices& units, double x);
double PressureFromOutput(const OutputChoices& units, double x);
double AngleToOutput(const OutputChoices& units, double x);
double AngVelToOutput(const OutputChoices& units, double x);
double SpringToOutput(const OutputChoices& units, double x);

// Unit names for axis titles ("mm", "mm ^3", "lb/in^2", "mm/sec", "mm/sec^2").
std::string LengthUnitName(const OutputChoices& units);
std::string VolumeUnitName(const OutputChoices& units);
std::string PressureUnitName(const OutputChoices& units);
std::string VelocityUnitName(const OutputChoices& units);
std::string AccelerationUnitName(const OutputChoices& units);

}  // namespace velmora
