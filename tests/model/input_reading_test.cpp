#include "form/input_reading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/design_parameters.h"

namespace velmora {
namespace {

using Lines = std::vector<std::string>;

// Units: 0 Inches / pounds / N/m / Inches^3 / F / RPM / Atmos; 1 mm / grams / grams/inch ...
ControlState SmallEngine() {
    ControlState c;
    c.EditDispDiameter = {"4", 0};
    c.EditDispStroke = {"25", 1};
    c.EditDispMass = {"500", 1};
    c.EditDispRodDiameter = {"1", 2};
    c.EditSpringConstant = {"1", 1};
    c.EditSpringCenter = {"0", 1};
    c.EditPistonDiameter = {"0.1", 3};
    c.EditPistonStroke = {"3", 0};
    c.EditDeadSpaceVol = {"1", 2};
    c.EditDeadSpaceTemp = {"0", 1};
    c.EditHotTemp = {"212", 0};
    c.EditColdTemp = {"300", 2};
    c.EditEngineSpeed = {"60", 0};
    c.EditMeanEnginePressure = {"1", 0};
    c.EditRequiredEnginePower = "10";
    return c;
}

ControlState AllEmpty() {
    ControlState c;
    for (const DesignInput& input : kDesignInputs) InputField(c, input) = {"", 0};
    c.EditRequiredEnginePower = "";
    return c;
}

struct Reading {
    ParameterSet params;
    Lines report;
    bool changed = false;
};

void Read(const ControlState& controls, Reading& r, const NumberSettings& numbers = {}) {
    r.changed = false;
    ReadAllInputs(controls, r.params, r.report, numbers, r.changed, {});
}

TEST(ReadInput, NumbersReadAsTheyAreAndEverythingElseAsZeroWithItsLine) {
    Lines report;
    EXPECT_EQ(ReadInput("12", "Piston Stroke not defined!", report, {}), 12.0);
    EXPECT_EQ(ReadInput(".5", "Piston Stroke not defined!", report, {}), 0.5);
    EXPECT_TRUE(report.empty());

    for (const char* text : {"-5", "+5", " 5", " \r\n", "", "abc", "1e999"}) {
        report.clear();
        EXPECT_EQ(ReadInput(text, "Piston Stroke not defined!", report, {}), 0.0) << text;
        EXPECT_EQ(report, Lines{"*** Piston Stroke not defined!"}) << text;
    }

    report.clear();
    EXPECT_EQ(ReadInput("abc", nullptr, report, {}), 0.0);
    EXPECT_TRUE(report.empty());
}

TEST(StoreParameter, MarksOnlyARealChange) {
    double field = 2;
    bool changed = false;
    StoreParameter(field, 2.0, changed);
    EXPECT_FALSE(changed);
    StoreParameter(field, 2.0000000000000004, changed);
    EXPECT_TRUE(changed);
    EXPECT_EQ(field, 2.0000000000000004);
    StoreParameter(field, 2.0000000000000004, changed);
    EXPECT_TRUE(changed);  // never cleared by a store
}

TEST(ReadAllInputs, ConvertsEveryInputToSIWithItsHalves) {
    Reading r;
    Read(SmallEngine(), r);
    const ParameterSet& p = r.params;
    EXPECT_TRUE(r.report.empty());
    EXPECT_TRUE(r.changed);
    EXPECT_DOUBLE_EQ(p.DispDiameter, 0.1016);
    EXPECT_EQ(p.DispRadius, p.DispDiameter / 2);
    EXPECT_DOUBLE_EQ(p.DispStroke, 0.025);
    EXPECT_EQ(p.DispHalfStroke, p.DispStroke / 2);
    EXPECT_DOUBLE_EQ(p.DispMass, 0.5);
    EXPECT_DOUBLE_EQ(p.DispRodDiameter, 0.01);
    EXPECT_EQ(p.DispRodRadius, p.DispRodDiameter / 2);
    EXPECT_EQ(p.SpringConstant, 0.03937);
    EXPECT_EQ(p.SpringCenter, 0.0);
    EXPECT_EQ(p.PistonDiameter, 0.1);
    EXPECT_EQ(p.PistonRadius, 0.05);
    EXPECT_DOUBLE_EQ(p.PistonStroke, 0.0762);
    EXPECT_EQ(p.PistonHalfStroke, p.PistonStroke / 2);
    EXPECT_DOUBLE_EQ(p.DeadSpaceVol, 1e-6);
    EXPECT_EQ(p.DeadSpaceTemp, 273.0);  // a typed 0 in "C"
    EXPECT_EQ(p.HotTemp, 373.0);
    EXPECT_EQ(p.ColdTemp, 300.0);
    EXPECT_DOUBLE_EQ(p.EngineSpeed, 6.28318);
    EXPECT_EQ(p.MeanEnginePressure, 100000.0);
    EXPECT_EQ(p.RequiredEnginePower, 10.0);
}

TEST(ReadAllInputs, AllEmptyGivesFourteenLinesInOrderAndZeros) {
    const Lines expected = {"*** Displacer Diameter not defined!",
                            "*** Displacer Stroke not defined!",
                            "*** Displacer Mass not defined!",
                            "*** Displacer Rod Diameter not defined!",
                            "*** Displacer Spring Constant not defined!",
                            "*** Displacer Spring Center not defined!",
                            "*** Piston Diameter not defined!",
                            "*** Piston Stroke not defined!",
                            "*** Dead Space Volume not defined!",
                            "*** Dead Space Temp not defined!",
                            "*** Hot Temperature not defined!",
                            "*** Cold Temperature not defined!",
                            "*** Engine Speed not defined!",
                            "*** Mean Engine Pressure not defined!"};
    Reading r;
    Read(SmallEngine(), r);
    r.report.clear();

    ControlState empty = AllEmpty();
    // Missing temperatures are 0 K whatever their unit box shows.
    empty.EditDeadSpaceTemp.units = 1;
    empty.EditHotTemp.units = 0;
    Read(empty, r);
    EXPECT_EQ(r.report, expected);
    EXPECT_TRUE(r.changed);
    for (const DesignInput& input : kDesignInputs) {
        EXPECT_EQ(r.params.*input.field, 0.0) << input.label;
        if (input.half) {
            EXPECT_EQ(r.params.*input.half, 0.0) << input.label;
        }
    }
    EXPECT_EQ(r.params.RequiredEnginePower, 0.0);
}

TEST(ReadAllInputs, CallbackFollowsEachInputsOwnFailureLine) {
    ControlState controls = SmallEngine();
    controls.EditDispMass.text = "-1";
    controls.EditHotTemp.text = "hot";
    ParameterSet params;
    Lines report;
    bool changed = false;
    std::vector<std::string> seen;
    ReadAllInputs(controls, params, report, {}, changed,
                  [&](const DesignInput& input, const ParameterSet& p) {
                      if (input.half) {
                          EXPECT_EQ(p.*input.half, p.*input.field / 2);
                      }
                      // Stand-in for the value line the driver writes.
                      report.push_back(input.label);
                      seen.push_back(input.label);
                  });
    ASSERT_EQ(seen.size(), kDesignInputs.size());
    EXPECT_EQ(seen.front(), "    Displacer Diameter: ");
    EXPECT_EQ(seen.back(), "    Mean Engine Pressure: ");
    ASSERT_EQ(report.size(), 16u);
    EXPECT_EQ(report[2], "*** Displacer Mass not defined!");
    EXPECT_EQ(report[3], "    Displacer mass: ");
    EXPECT_EQ(report[11], "*** Hot Temperature not defined!");
    EXPECT_EQ(report[12], "    Hot Temp: ");
}

TEST(ReadAllInputs, ChangeDetectionComparesSIValues) {
    Reading r;
    ControlState controls = SmallEngine();
    Read(controls, r);
    ASSERT_TRUE(r.changed);

    Read(controls, r);
    EXPECT_FALSE(r.changed);

    controls.EditPistonStroke.text = "3.0";  // same number, other notation
    controls.EditHotTemp.text = "212.000e0 ";
    Read(controls, r);
    EXPECT_FALSE(r.changed);

    controls.EditRequiredEnginePower = "500";  // stored without change detection
    Read(controls, r);
    EXPECT_FALSE(r.changed);
    EXPECT_EQ(r.params.RequiredEnginePower, 500.0);

    controls.EditPistonStroke.units = 1;  // 3 mm instead of 3 inches
    Read(controls, r);
    EXPECT_TRUE(r.changed);
    EXPECT_DOUBLE_EQ(r.params.PistonHalfStroke, 0.0015);

    // The simulation's pressure equalization overwrote the field; reading again restores it.
    r.params.MeanEnginePressure = 123456;
    Read(controls, r);
    EXPECT_TRUE(r.changed);
    EXPECT_EQ(r.params.MeanEnginePressure, 100000.0);
}

TEST(ReadAllInputs, ANumberWithoutAUnitIsReportedAsNotDefined) {
    ControlState controls = SmallEngine();
    controls.EditDispStroke.units = kNoChoice;
    controls.EditColdTemp.units = 7;
    controls.EditSpringConstant = {"5", kNoChoice};  // taken as N/m
    controls.EditEngineSpeed.text = "";              // one message, not two
    controls.EditEngineSpeed.units = 3;
    Reading r;
    Read(controls, r);
    EXPECT_EQ(r.report,
              (Lines{"*** Displacer Stroke not defined!", "*** Cold Temperature not defined!",
                     "*** Engine Speed not defined!"}));
    EXPECT_EQ(r.params.DispStroke, 0.0);
    EXPECT_EQ(r.params.DispHalfStroke, 0.0);
    EXPECT_EQ(r.params.ColdTemp, 0.0);
    EXPECT_EQ(r.params.EngineSpeed, 0.0);
    EXPECT_EQ(r.params.SpringConstant, 5.0);
}

TEST(ReadAllInputs, RequiredPowerIsNeverReportedMissing) {
    for (const char* text : {"", "abc", "-5", "0"}) {
        ControlState controls = SmallEngine();
        controls.EditRequiredEnginePower = text;
        Reading r;
        r.params.RequiredEnginePower = 77;
        Read(controls, r);
        EXPECT_TRUE(r.report.empty()) << text;
        EXPECT_EQ(r.params.RequiredEnginePower, 0.0) << text;
    }
}

TEST(ReadAllInputs, AValueThatOverflowsInItsConversionCountsAsNotGiven) {
    ControlState controls = SmallEngine();
    controls.EditHotTemp = {"1e308", 0};   // (x - 32) * 5 overflows
    controls.EditColdTemp = {"1e308", 2};  // fine in K
    Reading r;
    Read(controls, r);
    EXPECT_EQ(r.report, Lines{"*** Hot Temperature not defined!"});
    EXPECT_EQ(r.params.HotTemp, 0.0);
    EXPECT_EQ(r.params.ColdTemp, 1e308);
}

TEST(ReadAllInputs, ReadsTheUsersDecimalSeparator) {
    ControlState controls = SmallEngine();
    controls.EditPistonStroke.text = "2,5";
    controls.EditPistonDiameter.text = "0,1";
    controls.EditDispMass.text = "2.5";     // the full stop reads in every setting
    controls.EditHotTemp.text = "1.000,5";  // a group separator never does
    Reading r;
    Read(controls, r, NumberSettings{",", "."});
    EXPECT_DOUBLE_EQ(r.params.PistonStroke, 2.5 * 0.0254);
    EXPECT_DOUBLE_EQ(r.params.DispMass, 2.5 / 1000);
    EXPECT_EQ(r.params.HotTemp, 0.0);
    EXPECT_EQ(r.report, Lines{"*** Hot Temperature not defined!"});
}

TEST(DesignInputText, ShowsEachKindInItsOutputUnit) {
    OutputUnits u;  // mm, F, grams, Rad/Sec, grams/inch, no angle, N/m^2
    EXPECT_EQ(DesignInputText(InputUnitKind::Length, u, 0.3048), "304.8 mm");
    EXPECT_EQ(DesignInputText(InputUnitKind::Temperature, u, 373), "212 F");
    EXPECT_EQ(DesignInputText(InputUnitKind::Mass, u, 0.5), "500 g");
    EXPECT_EQ(DesignInputText(InputUnitKind::Spring, u, 39.37), "1,000 g/inch");
    EXPECT_EQ(DesignInputText(InputUnitKind::Volume, u, 1e-6), "1,000 mm ^3");
    EXPECT_EQ(DesignInputText(InputUnitKind::AngularSpeed, u, 5), "5 rad/sec");
    EXPECT_EQ(DesignInputText(InputUnitKind::Pressure, u, 100000), "100,000 N/m^2");
    EXPECT_EQ(DesignInputText(InputUnitKind::Power, u, 12.5), "12.5 watts");
}

}  // namespace
}  // namespace velmora
