#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "report/unit_text.h"

namespace velmora {
namespace {

OutputUnits Outputs(int length, int temperature, int mass, int angVel, int spring, int angle,
                    int pressure) {
    OutputUnits u;
    u.LengthOutputFormatRG = length;
    u.TemperatureOutputFormatRG = temperature;
    u.MassOutputFormatRG = mass;
    u.AngVelOutputFormatRG = angVel;
    u.SpringOutputFormatRG = spring;
    u.AngleOutputFormatRG = angle;
    u.PressureOutputFormatRG = pressure;
    return u;
}

TEST(Units, InputValuesBecomeSIAndShowInTheOutputUnits) {
    const OutputUnits mm = Outputs(1, 1, 1, 0, 1, 1, 1);

    const double length = InputToSI(InputUnitKind::Length, 0, 12);
    EXPECT_DOUBLE_EQ(length, 0.3048);
    EXPECT_EQ(LengthText(mm, length), "304.8 mm");

    const double temperature = InputToSI(InputUnitKind::Temperature, 0, 212);
    EXPECT_EQ(temperature, 373.0);
    EXPECT_EQ(TemperatureText(mm, temperature), "100 C");

    const double speed = InputToSI(InputUnitKind::AngularSpeed, 0, 3000);
    EXPECT_DOUBLE_EQ(speed, 314.159);
    EXPECT_EQ(AngVelText(mm, speed), "3,000 RPM");

    const double pressure = InputToSI(InputUnitKind::Pressure, 0, 1);
    EXPECT_EQ(pressure, 100000.0);
    EXPECT_EQ(PressureText(mm, pressure), "15 lb/in^2");

    const double spring = InputToSI(InputUnitKind::Spring, 1, 1000);
    EXPECT_DOUBLE_EQ(spring, 39.37);
    EXPECT_EQ(SpringText(mm, spring), "1,000 g/inch");

    const double volume = InputToSI(InputUnitKind::Volume, 2, 1);
    EXPECT_DOUBLE_EQ(volume, 1e-6);
    EXPECT_EQ(VolumeText(mm, volume), "1,000 mm ^3");

    EXPECT_EQ(MassText(mm, InputToSI(InputUnitKind::Mass, 0, 2.2)), "1,000 g");
    EXPECT_EQ(AngleText(mm, 1.570795), "90 degrees");
    EXPECT_EQ(PowerText(mm, 1234.5), "1,235 watts");
}

TEST(Units, CoarseConstantsAreUsedAsStated) {
    EXPECT_DOUBLE_EQ(RpmToRadPerSec(60), 6.28318);
    EXPECT_EQ(GramsPerInchToNewtonsPerMeter(1), 0.03937);
    EXPECT_EQ(CelsiusToKelvin(0), 273.0);
    EXPECT_EQ(KelvinToFahrenheit(373), 212.0);
    EXPECT_EQ(PoundsToKilograms(2.2), 1.0);
    EXPECT_DOUBLE_EQ(PsiToPascals(15), 100000.0);
    EXPECT_DOUBLE_EQ(PascalsToPsi(100000), 15.0);
    EXPECT_EQ(AtmToPascals(1), 100000.0);  // not 101325
    EXPECT_DOUBLE_EQ(RadPerSecToHz(6.28318), 1.0);
    EXPECT_DOUBLE_EQ(PeriodOfRadPerSec(6.28318), 1.0);
    EXPECT_DOUBLE_EQ(DegreesToRadians(180), 3.14159);
    // Cubic inches: three multiplications going in, the rounded constant coming out.
    EXPECT_EQ(CubicInchesToCubicMeters(1), 0.0254 * 0.0254 * 0.0254);
    EXPECT_EQ(CubicMetersToCubicInches(1.6387064e-5), 1.0);
    EXPECT_EQ(SquareMetersToSquareInches(6.4516e-4), 1.0);
}

TEST(Units, EveryInputListConvertsByItsItems) {
    EXPECT_DOUBLE_EQ(InputToSI(InputUnitKind::Length, 1, 250), 0.25);
    EXPECT_DOUBLE_EQ(InputToSI(InputUnitKind::Length, 2, 25), 0.25);
    EXPECT_EQ(InputToSI(InputUnitKind::Length, 3, 0.25), 0.25);
    EXPECT_DOUBLE_EQ(InputToSI(InputUnitKind::Mass, 1, 500), 0.5);
    EXPECT_EQ(InputToSI(InputUnitKind::Mass, 2, 0.5), 0.5);
    EXPECT_EQ(InputToSI(InputUnitKind::Spring, 0, 7), 7.0);
    EXPECT_DOUBLE_EQ(InputToSI(InputUnitKind::Volume, 1, 1000), 1e-6);
    EXPECT_EQ(InputToSI(InputUnitKind::Volume, 3, 2), 2.0);
    EXPECT_EQ(InputToSI(InputUnitKind::Temperature, 1, 0), 273.0);
    EXPECT_EQ(InputToSI(InputUnitKind::Temperature, 2, 300), 300.0);
    EXPECT_DOUBLE_EQ(InputToSI(InputUnitKind::AngularSpeed, 1, 1), 6.28318);
    EXPECT_EQ(InputToSI(InputUnitKind::AngularSpeed, 2, 5), 5.0);
    EXPECT_DOUBLE_EQ(InputToSI(InputUnitKind::Pressure, 1, 15), 100000.0);
    EXPECT_EQ(InputToSI(InputUnitKind::Pressure, 2, 5), 5.0);
}

TEST(Units, NoChoiceOrAnIndexOutOfRangeGivesZero) {
    for (int choice : {-1, 4, 99}) {
        EXPECT_EQ(InputToSI(InputUnitKind::Length, choice, 5), 0.0) << choice;
        EXPECT_EQ(InputToSI(InputUnitKind::Volume, choice, 5), 0.0) << choice;
    }
    for (int choice : {-1, 3}) {
        EXPECT_EQ(InputToSI(InputUnitKind::Mass, choice, 5), 0.0);
        EXPECT_EQ(InputToSI(InputUnitKind::Temperature, choice, 5), 0.0);
        EXPECT_EQ(InputToSI(InputUnitKind::AngularSpeed, choice, 5), 0.0);
        EXPECT_EQ(InputToSI(InputUnitKind::Pressure, choice, 5), 0.0);
    }
    // The spring constant is then taken in N/m; power is never converted.
    EXPECT_EQ(InputToSI(InputUnitKind::Spring, -1, 5), 5.0);
    EXPECT_EQ(InputToSI(InputUnitKind::Spring, 2, 5), 5.0);
    EXPECT_EQ(InputToSI(InputUnitKind::Power, -1, 5), 5.0);
    EXPECT_EQ(InputToSI(InputUnitKind::Power, 3, 5), 5.0);
}

TEST(Units, OutputListsWithoutChoiceGiveZeroAndEmptyTexts) {
    for (int choice : {kNoChoice, 4}) {
        const OutputUnits none = Outputs(choice, choice, choice, choice, choice, choice, choice);
        EXPECT_EQ(LengthToOutput(none, 2), 0.0);
        EXPECT_EQ(LengthFromOutput(none, 2), 2.0);
        EXPECT_EQ(VolumeToOutput(none, 2), 0.0);
        EXPECT_EQ(TemperatureToOutput(none, 2), 0.0);
        EXPECT_EQ(PressureToOutput(none, 2), 0.0);
        EXPECT_EQ(AngVelToOutput(none, 2), 0.0);
        EXPECT_EQ(LengthText(none, 1), "");
        EXPECT_EQ(AreaText(none, 1), "");
        EXPECT_EQ(VolumeText(none, 1), "");
        EXPECT_EQ(TemperatureText(none, 1), "");
        EXPECT_EQ(MassText(none, 1), "");
        EXPECT_EQ(PressureText(none, 1), "");
        EXPECT_EQ(AngleText(none, 1), "");
        EXPECT_EQ(AngVelText(none, 1), "");
        EXPECT_EQ(SpringText(none, 1), "");
        EXPECT_EQ(PowerText(none, 1), "1 watts");
        EXPECT_EQ(LengthUnitName(none), "");
        EXPECT_EQ(VelocityUnitName(none), "/sec");
        EXPECT_EQ(AccelerationUnitName(none), "/sec^2");
    }
}

TEST(Units, OutputSuffixesAndUnitNames) {
    const OutputUnits inches = Outputs(0, 0, 0, 1, 0, 0, 0);
    EXPECT_EQ(LengthText(inches, 0.0254), "1 in");
    EXPECT_EQ(AreaText(inches, 6.4516e-4), "1 in ^2");
    EXPECT_EQ(VolumeText(inches, 1.6387064e-5), "1 in ^3");
    EXPECT_EQ(TemperatureText(inches, 373), "212 F");
    EXPECT_EQ(MassText(inches, 1), "2.2 lb");
    EXPECT_EQ(AngVelText(inches, 6.28318), "1 Hz");
    EXPECT_EQ(SpringText(inches, 3), "3 N/m");
    EXPECT_EQ(AngleText(inches, 1.5), "1.5 rad");
    EXPECT_EQ(PressureText(inches, 250000), "2.5 atm");
    EXPECT_EQ(LengthUnitName(inches), "in");

    const OutputUnits metres = Outputs(3, 2, 2, 2, 0, 1, 2);
    EXPECT_EQ(LengthText(metres, 2), "2 m");
    EXPECT_EQ(AreaText(metres, 2), "2 m ^2");
    EXPECT_EQ(VolumeText(metres, 2), "2 m ^3");
    EXPECT_EQ(TemperatureText(metres, 300), "300 K");
    EXPECT_EQ(MassText(metres, 2), "2 kg");
    EXPECT_EQ(AngVelText(metres, 2), "2 rad/sec");
    EXPECT_EQ(PressureText(metres, 2), "2 N/m^2");

    const OutputUnits cm = Outputs(2, 1, 1, 0, 1, 1, 1);
    EXPECT_EQ(LengthText(cm, 0.25), "25 cm");
    EXPECT_EQ(AreaText(cm, 0.0025), "25 cm ^2");
    EXPECT_EQ(VolumeText(cm, 2.5e-5), "25 cm ^3");
    EXPECT_EQ(LengthUnitName(cm), "cm");
    EXPECT_EQ(VolumeUnitName(cm), "cm ^3");
    EXPECT_EQ(PressureUnitName(cm), "lb/in^2");
    EXPECT_EQ(VelocityUnitName(Outputs(1, 0, 0, 0, 0, 0, 0)), "mm/sec");
    EXPECT_EQ(AccelerationUnitName(Outputs(1, 0, 0, 0, 0, 0, 0)), "mm/sec^2");
}

TEST(Units, FromOutputInvertsToOutput) {
    for (int choice = 0; choice < 4; ++choice) {
        const OutputUnits u = Outputs(choice, 0, 0, 0, 0, 0, choice % 3);
        EXPECT_DOUBLE_EQ(LengthFromOutput(u, LengthToOutput(u, 0.3)), 0.3) << choice;
        EXPECT_NEAR(VolumeFromOutput(u, VolumeToOutput(u, 2e-4)), 2e-4, 1e-12) << choice;
        EXPECT_DOUBLE_EQ(PressureFromOutput(u, PressureToOutput(u, 5e5)), 5e5) << choice;
    }
}

TEST(Units, TextsUseTheNumberSettings) {
    OutputUnits u = Outputs(1, 1, 1, 0, 1, 1, 1);
    u.numbers = NumberSettings{",", "."};
    EXPECT_EQ(LengthText(u, 0.3048), "304,8 mm");
    EXPECT_EQ(AngVelText(u, 3141.59), "30.000 RPM");
}

TEST(UnitFamilies, EveryItemConvertsBothWaysAndNamesItsSuffix) {
    const UnitFamily families[] = {
        UnitFamily::Length, UnitFamily::Area,     UnitFamily::Volume, UnitFamily::Temperature,
        UnitFamily::Mass,   UnitFamily::Pressure, UnitFamily::Angle,  UnitFamily::AngularSpeed,
        UnitFamily::Spring, UnitFamily::Force,    UnitFamily::Power};
    for (const UnitFamily family : families) {
        const UnitFamilyInfo& info = UnitFamilyOf(family);
        ASSERT_GE(info.count, 1);
        for (int i = 0; i < info.count; ++i) {
            const UnitChoice& item = info.items[static_cast<std::size_t>(i)];
            for (const double si : {0.37, 412.5}) {
                EXPECT_NEAR(item.toSI(item.fromSI(si)), si, 1e-12 * si) << item.name;
            }
        }
    }
    // A value, a blank and the name: the texts and the axis names agree.
    OutputUnits u;
    u.LengthOutputFormatRG = 2;
    EXPECT_EQ(VolumeText(u, 1e-6), "1 " + VolumeUnitName(u));
    EXPECT_EQ(UnitText(UnitFamily::Force, u, 3), "3 N");
    EXPECT_EQ(UnitName(UnitFamily::Area, u), "cm ^2");
}

TEST(UnitFamilies, AnInputUnitIsDefinedWhenItNamesAnItem) {
    EXPECT_TRUE(InputUnitDefined(InputUnitKind::Mass, 2));
    EXPECT_FALSE(InputUnitDefined(InputUnitKind::Mass, 3));
    EXPECT_FALSE(InputUnitDefined(InputUnitKind::Mass, 99));
    EXPECT_FALSE(InputUnitDefined(InputUnitKind::Length, kNoChoice));
    EXPECT_TRUE(InputUnitDefined(InputUnitKind::Length, 3));
    // Taken in N/m, and never converted.
    EXPECT_TRUE(InputUnitDefined(InputUnitKind::Spring, 99));
    EXPECT_TRUE(InputUnitDefined(InputUnitKind::Power, kNoChoice));
}

TEST(UnitFamilies, EveryItemHasAPlainSymbolOfItsOwn) {
    // Python code names units by these symbols and DataFrame columns end in them: ASCII, no
    // blank, and no two alike in a family (nor alike once lower-cased, as column names are).
    const UnitFamily families[] = {
        UnitFamily::Length, UnitFamily::Area,     UnitFamily::Volume, UnitFamily::Temperature,
        UnitFamily::Mass,   UnitFamily::Pressure, UnitFamily::Angle,  UnitFamily::AngularSpeed,
        UnitFamily::Spring, UnitFamily::Force,    UnitFamily::Power};
    for (const UnitFamily family : families) {
        const UnitFamilyInfo& info = UnitFamilyOf(family);
        std::set<std::string> lowered;
        for (int i = 0; i < info.count; ++i) {
            const char* symbol = info.items[static_cast<std::size_t>(i)].symbol;
            ASSERT_NE(symbol, nullptr) << info.items[static_cast<std::size_t>(i)].name;
            std::string lower;
            for (const char* c = symbol; *c != '\0'; ++c) {
                EXPECT_TRUE(*c > ' ' && *c < 127) << symbol;
                lower += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
            }
            EXPECT_TRUE(lowered.insert(lower).second) << symbol;
        }
    }
    EXPECT_STREQ(UnitFamilyOf(UnitFamily::Temperature).items[1].symbol, "degC");
    EXPECT_STREQ(UnitFamilyOf(UnitFamily::Pressure).items[2].symbol, "Pa");
}

}  // namespace
}  // namespace velmora
