#include "model/units.h"

#include <initializer_list>

#include "model/number_text.h"

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

int InputUnitItemCount(InputUnitKind kind) {
    switch (kind) {
        case InputUnitKind::Length:
        case InputUnitKind::Volume:
            return 4;
        case InputUnitKind::Mass:
        case InputUnitKind::Temperature:
        case InputUnitKind::AngularSpeed:
        case InputUnitKind::Pressure:
            return 3;
        case InputUnitKind::Spring:
            return 2;
        case InputUnitKind::Power:
            return 1;
    }
    return 0;
}

double InputToSI(InputUnitKind kind, int choice, double x) {
    switch (kind) {
        case InputUnitKind::Length:
            switch (choice) {
                case 0:
                    return InchesToMeters(x);
                case 1:
                    return MillimetersToMeters(x);
                case 2:
                    return CentimetersToMeters(x);
                case 3:
                    return x;
                default:
                    return 0;
            }
        case InputUnitKind::Mass:
            switch (choice) {
                case 0:
                    return PoundsToKilograms(x);
                case 1:
                    return GramsToKilograms(x);
                case 2:
                    return x;
                default:
                    return 0;
            }
        case InputUnitKind::Spring:
            return choice == 1 ? GramsPerInchToNewtonsPerMeter(x) : x;
        case InputUnitKind::Volume:
            switch (choice) {
                case 0:
                    return CubicInchesToCubicMeters(x);
                case 1:
                    return CubicMillimetersToCubicMeters(x);
                case 2:
                    return CubicCentimetersToCubicMeters(x);
                case 3:
                    return x;
                default:
                    return 0;
            }
        case InputUnitKind::Temperature:
            switch (choice) {
                case 0:
                    return FahrenheitToKelvin(x);
                case 1:
                    return CelsiusToKelvin(x);
                case 2:
                    return x;
                default:
                    return 0;
            }
        case InputUnitKind::AngularSpeed:
            switch (choice) {
                case 0:
                    return RpmToRadPerSec(x);
                case 1:
                    return HzToRadPerSec(x);
                case 2:
                    return x;
                default:
                    return 0;
            }
        case InputUnitKind::Pressure:
            switch (choice) {
                case 0:
                    return AtmToPascals(x);
                case 1:
                    return PsiToPascals(x);
                case 2:
                    return x;
                default:
                    return 0;
            }
        case InputUnitKind::Power:
            return x;
    }
    return 0;
}

double LengthToOutput(const OutputUnits& units, double x) {
    switch (units.LengthOutputFormatRG) {
        case 0:
            return MetersToInches(x);
        case 1:
            return x * 1000;
        case 2:
            return x * 100;
        case 3:
            return x;
        default:
            return 0;
    }
}

double LengthFromOutput(const OutputUnits& units, double x) {
    switch (units.LengthOutputFormatRG) {
        case 0:
            return InchesToMeters(x);
        case 1:
            return MillimetersToMeters(x);
        case 2:
            return CentimetersToMeters(x);
        default:
            return x;
    }
}

double AreaToOutput(const OutputUnits& units, double x) {
    switch (units.LengthOutputFormatRG) {
        case 0:
            return SquareMetersToSquareInches(x);
        case 1:
            return x * 1e6;
        case 2:
            return x * 1e4;
        case 3:
            return x;
        default:
            return 0;
    }
}

double VolumeToOutput(const OutputUnits& units, double x) {
    switch (units.LengthOutputFormatRG) {
        case 0:
            return CubicMetersToCubicInches(x);
        case 1:
            return x * 1e9;
        case 2:
            return x * 1e6;
        case 3:
            return x;
        default:
            return 0;
    }
}

double VolumeFromOutput(const OutputUnits& units, double x) {
    switch (units.LengthOutputFormatRG) {
        case 0:
            return CubicInchesToCubicMeters(x);
        case 1:
            return CubicMillimetersToCubicMeters(x);
        case 2:
            return CubicCentimetersToCubicMeters(x);
        case 3:
            return x;
        default:
            return 0;
    }
}

double TemperatureToOutput(const OutputUnits& units, double x) {
    switch (units.TemperatureOutputFormatRG) {
        case 0:
            return KelvinToFahrenheit(x);
        case 1:
            return KelvinToCelsius(x);
        case 2:
            return x;
        default:
            return 0;
    }
}

double MassToOutput(const OutputUnits& units, double x) {
    switch (units.MassOutputFormatRG) {
        case 0:
            return KilogramsToPounds(x);
        case 1:
            return x * 1000;
        case 2:
            return x;
        default:
            return 0;
    }
}

double PressureToOutput(const OutputUnits& units, double x) {
    switch (units.PressureOutputFormatRG) {
        case 0:
            return PascalsToAtm(x);
        case 1:
            return PascalsToPsi(x);
        case 2:
            return x;
        default:
            return 0;
    }
}

double PressureFromOutput(const OutputUnits& units, double x) {
    switch (units.PressureOutputFormatRG) {
        case 0:
            return AtmToPascals(x);
        case 1:
            return PsiToPascals(x);
        case 2:
            return x;
        default:
            return 0;
    }
}

double AngleToOutput(const OutputUnits& units, double x) {
    switch (units.AngleOutputFormatRG) {
        case 0:
            return x;
        case 1:
            return RadiansToDegrees(x);
        default:
            return 0;
    }
}

double AngVelToOutput(const OutputUnits& units, double x) {
    switch (units.AngVelOutputFormatRG) {
        case 0:
            return RadPerSecToRpm(x);
        case 1:
            return RadPerSecToHz(x);
        case 2:
            return x;
        default:
            return 0;
    }
}

double SpringToOutput(const OutputUnits& units, double x) {
    switch (units.SpringOutputFormatRG) {
        case 0:
            return x;
        case 1:
            return NewtonsPerMeterToGramsPerInch(x);
        default:
            return 0;
    }
}

namespace {

// The suffix of a choice, or nullptr for no choice.
const char* Suffix(int choice, std::initializer_list<const char*> suffixes) {
    if (choice < 0 || choice >= static_cast<int>(suffixes.size())) return nullptr;
    return suffixes.begin()[choice];
}

std::string Text(const OutputUnits& units, double value, const char* suffix) {
    if (suffix == nullptr) return {};
    return FormatNumber(value, units.numbers) + suffix;
}

}  // namespace

std::string LengthText(const OutputUnits& u, double x) {
    return Text(u, LengthToOutput(u, x),
                Suffix(u.LengthOutputFormatRG, {" in", " mm", " cm", " m"}));
}
std::string AreaText(const OutputUnits& u, double x) {
    return Text(u, AreaToOutput(u, x),
                Suffix(u.LengthOutputFormatRG, {" in ^2", " mm ^2", " cm ^2", " m ^2"}));
}
std::string VolumeText(const OutputUnits& u, double x) {
    return Text(u, VolumeToOutput(u, x),
                Suffix(u.LengthOutputFormatRG, {" in ^3", " mm ^3", " cm ^3", " m ^3"}));
}
std::string TemperatureText(const OutputUnits& u, double x) {
    return Text(u, TemperatureToOutput(u, x),
                Suffix(u.TemperatureOutputFormatRG, {" F", " C", " K"}));
}
std::string MassText(const OutputUnits& u, double x) {
    return Text(u, MassToOutput(u, x), Suffix(u.MassOutputFormatRG, {" lb", " g", " kg"}));
}
std::string PressureText(const OutputUnits& u, double x) {
    return Text(u, PressureToOutput(u, x),
                Suffix(u.PressureOutputFormatRG, {" atm", " lb/in^2", " N/m^2"}));
}
std::string AngleText(const OutputUnits& u, double x) {
    return Text(u, AngleToOutput(u, x), Suffix(u.AngleOutputFormatRG, {" rad", " degrees"}));
}
std::string AngVelText(const OutputUnits& u, double x) {
    return Text(u, AngVelToOutput(u, x),
                Suffix(u.AngVelOutputFormatRG, {" RPM", " Hz", " rad/sec"}));
}
std::string SpringText(const OutputUnits& u, double x) {
    return Text(u, SpringToOutput(u, x), Suffix(u.SpringOutputFormatRG, {" N/m", " g/inch"}));
}
std::string PowerText(const OutputUnits& u, double watts) {
    return Text(u, watts, " watts");
}

std::string LengthUnitName(const OutputUnits& u) {
    const char* s = Suffix(u.LengthOutputFormatRG, {"in", "mm", "cm", "m"});
    return s ? s : "";
}
std::string VolumeUnitName(const OutputUnits& u) {
    const char* s = Suffix(u.LengthOutputFormatRG, {"in ^3", "mm ^3", "cm ^3", "m ^3"});
    return s ? s : "";
}
std::string PressureUnitName(const OutputUnits& u) {
    const char* s = Suffix(u.PressureOutputFormatRG, {"atm", "lb/in^2", "N/m^2"});
    return s ? s : "";
}
std::string VelocityUnitName(const OutputUnits& u) {
    return LengthUnitName(u) + "/sec";
}
std::string AccelerationUnitName(const OutputUnits& u) {
    return LengthUnitName(u) + "/sec^2";
}

}  // namespace velmora
