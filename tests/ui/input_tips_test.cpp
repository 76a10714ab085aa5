#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "ui/mainwindow/sheet_builders.h"
#include "ui/pages/inputs/typical_ranges.h"

namespace velmora::testing {
namespace {

const DesignInput& Row(const std::string& editName) {
    for (const DesignInput& input : kInputs)
        if (editName == input.editName) return input;
    ADD_FAILURE() << "no input " << editName;
    return kInputs[0];
}

// The tooltips as they were written out in full before the typical range became a field of
// the input row: the table's tooltip must still read exactly so.
TEST(InputTips, TheTablesTooltipReadsAsItWasWrittenOut) {
    const std::vector<std::pair<std::string, std::string>> written = {
        {"EditDispDiameter",
         "Displacer diameter: bore of the displacer cylinder; typical 20 mm (model) to 300 mm "
         "(large engine)"},
        {"EditDispStroke",
         "Displacer full stroke: travel of the displacer between its two stops; typical 5 mm to "
         "100 mm"},
        {"EditDispMass",
         "Displacer mass: mass of the free displacer including its rod; typical 5 g (small engine) "
         "to 2 kg (large engine)"},
        {"EditDispRodDiameter",
         "Displacer rod diameter: the rod area on which the pressure swing drives the displacer; "
         "typical 2 mm to 30 mm"},
        {"EditSpringConstant",
         "Displacer spring constant: stiffness of the optional spring, 0 for none; typical 0 to "
         "2,000 N/m"},
        {"EditSpringCenter",
         "Spring center: displacer position, from mid-stroke, where the spring pushes neither way; "
         "typical 0 to half the displacer stroke"},
        {"EditPistonDiameter",
         "Power piston diameter: bore of the power cylinder; typical 10 mm to 200 mm"},
        {"EditPistonStroke",
         "Power piston full stroke: twice the crank throw; typical 10 mm to 150 mm"},
        {"EditDeadSpaceVol",
         "Dead space volume: gas volume swept by neither displacer nor piston (regenerator, ports, "
         "clearances); typical 0.1 to 1 times the piston's swept volume"},
        {"EditDeadSpaceTemp",
         "Dead space temperature: mean gas temperature in the dead space; typical midway between "
         "hot and cold (filled in on entry when empty)"},
        {"EditHotTemp",
         "Hot end temperature: gas temperature at the heated end; typical 100 C (low difference) "
         "to 700 C (flame heated)"},
        {"EditColdTemp",
         "Cold end temperature: gas temperature at the cooled end; typical 10 C to 80 C"},
        {"EditEngineSpeed",
         "Engine speed: crank speed at which the cycle is simulated; typical 100 to 3,000 RPM"},
        {"EditMeanEnginePressure",
         "Mean engine pressure: average gas pressure in the engine; typical 1 atm (unpressurized) "
         "to 20 atm"},
        {"EditRequiredEnginePower",
         "Required engine power: shaft power the design steps size the engine for; typical 0.1 W "
         "(model) to 1,000 W"},
    };
    ASSERT_EQ(written.size(), kInputs.size());
    for (std::size_t i = 0; i < written.size(); ++i) {
        EXPECT_EQ(kInputs[i].editName, written[i].first);
        EXPECT_EQ(InputTip(kInputs[i]).toStdString(), written[i].second) << written[i].first;
    }
}

// Every tooltip the window showed for every unit item, as the window made it from the second
// table of ranges that the input rows replaced.
TEST(InputTips, TheWindowQuotesTheRangeInEveryUnitOfTheList) {
    const std::vector<std::tuple<std::string, int, std::string>> shown = {
        {"EditDispDiameter", 0,
         "Displacer diameter: bore of the displacer cylinder; typical 0.787 Inches (model) to 11.8 "
         "Inches (large engine)"},
        {"EditDispDiameter", 1,
         "Displacer diameter: bore of the displacer cylinder; typical 20 mm (model) to 300 mm "
         "(large engine)"},
        {"EditDispDiameter", 2,
         "Displacer diameter: bore of the displacer cylinder; typical 2 cm (model) to 30 cm (large "
         "engine)"},
        {"EditDispDiameter", 3,
         "Displacer diameter: bore of the displacer cylinder; typical 0.02 m (model) to 0.3 m "
         "(large engine)"},
        {"EditDispStroke", 0,
         "Displacer full stroke: travel of the displacer between its two stops; typical 0.197 "
         "Inches to 3.94 Inches"},
        {"EditDispStroke", 1,
         "Displacer full stroke: travel of the displacer between its two stops; typical 5 mm to "
         "100 mm"},
        {"EditDispStroke", 2,
         "Displacer full stroke: travel of the displacer between its two stops; typical 0.5 cm to "
         "10 cm"},
        {"EditDispStroke", 3,
         "Displacer full stroke: travel of the displacer between its two stops; typical 0.005 m to "
         "0.1 m"},
        {"EditDispMass", 0,
         "Displacer mass: mass of the free displacer including its rod; typical 0.011 pounds "
         "(small engine) to 4.4 pounds (large engine)"},
        {"EditDispMass", 1,
         "Displacer mass: mass of the free displacer including its rod; typical 5 grams (small "
         "engine) to 2,000 grams (large engine)"},
        {"EditDispMass", 2,
         "Displacer mass: mass of the free displacer including its rod; typical 0.005 kilo-grams "
         "(small engine) to 2 kilo-grams (large engine)"},
        {"EditDispRodDiameter", 0,
         "Displacer rod diameter: the rod area on which the pressure swing drives the displacer; "
         "typical 0.0787 Inches to 1.18 Inches"},
        {"EditDispRodDiameter", 1,
         "Displacer rod diameter: the rod area on which the pressure swing drives the displacer; "
         "typical 2 mm to 30 mm"},
        {"EditDispRodDiameter", 2,
         "Displacer rod diameter: the rod area on which the pressure swing drives the displacer; "
         "typical 0.2 cm to 3 cm"},
        {"EditDispRodDiameter", 3,
         "Displacer rod diameter: the rod area on which the pressure swing drives the displacer; "
         "typical 0.002 m to 0.03 m"},
        {"EditSpringConstant", 0,
         "Displacer spring constant: stiffness of the optional spring, 0 for none; typical 0 N/m "
         "to 2,000 N/m"},
        {"EditSpringConstant", 1,
         "Displacer spring constant: stiffness of the optional spring, 0 for none; typical 0 "
         "grams/inch to 50,800 grams/inch"},
        {"EditSpringCenter", 0,
         "Spring center: displacer position, from mid-stroke, where the spring pushes neither way; "
         "typical 0 to half the displacer stroke"},
        {"EditSpringCenter", 1,
         "Spring center: displacer position, from mid-stroke, where the spring pushes neither way; "
         "typical 0 to half the displacer stroke"},
        {"EditSpringCenter", 2,
         "Spring center: displacer position, from mid-stroke, where the spring pushes neither way; "
         "typical 0 to half the displacer stroke"},
        {"EditSpringCenter", 3,
         "Spring center: displacer position, from mid-stroke, where the spring pushes neither way; "
         "typical 0 to half the displacer stroke"},
        {"EditPistonDiameter", 0,
         "Power piston diameter: bore of the power cylinder; typical 0.394 Inches to 7.87 Inches"},
        {"EditPistonDiameter", 1,
         "Power piston diameter: bore of the power cylinder; typical 10 mm to 200 mm"},
        {"EditPistonDiameter", 2,
         "Power piston diameter: bore of the power cylinder; typical 1 cm to 20 cm"},
        {"EditPistonDiameter", 3,
         "Power piston diameter: bore of the power cylinder; typical 0.01 m to 0.2 m"},
        {"EditPistonStroke", 0,
         "Power piston full stroke: twice the crank throw; typical 0.394 Inches to 5.91 Inches"},
        {"EditPistonStroke", 1,
         "Power piston full stroke: twice the crank throw; typical 10 mm to 150 mm"},
        {"EditPistonStroke", 2,
         "Power piston full stroke: twice the crank throw; typical 1 cm to 15 cm"},
        {"EditPistonStroke", 3,
         "Power piston full stroke: twice the crank throw; typical 0.01 m to 0.15 m"},
        {"EditDeadSpaceVol", 0,
         "Dead space volume: gas volume swept by neither displacer nor piston (regenerator, ports, "
         "clearances); typical 0.1 to 1 times the piston's swept volume"},
        {"EditDeadSpaceVol", 1,
         "Dead space volume: gas volume swept by neither displacer nor piston (regenerator, ports, "
         "clearances); typical 0.1 to 1 times the piston's swept volume"},
        {"EditDeadSpaceVol", 2,
         "Dead space volume: gas volume swept by neither displacer nor piston (regenerator, ports, "
         "clearances); typical 0.1 to 1 times the piston's swept volume"},
        {"EditDeadSpaceVol", 3,
         "Dead space volume: gas volume swept by neither displacer nor piston (regenerator, ports, "
         "clearances); typical 0.1 to 1 times the piston's swept volume"},
        {"EditDeadSpaceTemp", 0,
         "Dead space temperature: mean gas temperature in the dead space; typical midway between "
         "hot and cold (filled in on entry when empty)"},
        {"EditDeadSpaceTemp", 1,
         "Dead space temperature: mean gas temperature in the dead space; typical midway between "
         "hot and cold (filled in on entry when empty)"},
        {"EditDeadSpaceTemp", 2,
         "Dead space temperature: mean gas temperature in the dead space; typical midway between "
         "hot and cold (filled in on entry when empty)"},
        {"EditHotTemp", 0,
         "Hot end temperature: gas temperature at the heated end; typical 212 F (low difference) "
         "to 1,290 F (flame heated)"},
        {"EditHotTemp", 1,
         "Hot end temperature: gas temperature at the heated end; typical 100 C (low difference) "
         "to 700 C (flame heated)"},
        {"EditHotTemp", 2,
         "Hot end temperature: gas temperature at the heated end; typical 373 K (low difference) "
         "to 973 K (flame heated)"},
        {"EditColdTemp", 0,
         "Cold end temperature: gas temperature at the cooled end; typical 50.3 F to 176 F"},
        {"EditColdTemp", 1,
         "Cold end temperature: gas temperature at the cooled end; typical 10.1 C to 80.1 C"},
        {"EditColdTemp", 2,
         "Cold end temperature: gas temperature at the cooled end; typical 283 K to 353 K"},
        {"EditEngineSpeed", 0,
         "Engine speed: crank speed at which the cycle is simulated; typical 100 RPM to 3,000 RPM"},
        {"EditEngineSpeed", 1,
         "Engine speed: crank speed at which the cycle is simulated; typical 1.67 Hz to 50 Hz"},
        {"EditEngineSpeed", 2,
         "Engine speed: crank speed at which the cycle is simulated; typical 10.5 Rad/Sec to 314 "
         "Rad/Sec"},
        {"EditMeanEnginePressure", 0,
         "Mean engine pressure: average gas pressure in the engine; typical 1 Atmos "
         "(unpressurized) to 60 Atmos (pressurized)"},
        {"EditMeanEnginePressure", 1,
         "Mean engine pressure: average gas pressure in the engine; typical 15 lb/in^2 "
         "(unpressurized) to 900 lb/in^2 (pressurized)"},
        {"EditMeanEnginePressure", 2,
         "Mean engine pressure: average gas pressure in the engine; typical 100,000 N/m^2 "
         "(unpressurized) to 6,000,000 N/m^2 (pressurized)"},
        {"EditRequiredEnginePower", 0,
         "Required engine power: shaft power the design steps size the engine for; typical 0.1 W "
         "(model) to 1,000 W"},
    };
    std::size_t seen = 0;
    for (const auto& [name, choice, text] : shown) {
        const DesignInput& input = Row(name);
        const QStringList items = UnitItems(input.kind);
        ASSERT_LT(choice, items.size()) << name;
        EXPECT_EQ(TipInUnit(input, choice, items[choice]).toStdString(), text) << name << choice;
        ++seen;
    }
    std::size_t items = 0;
    for (const DesignInput& input : kInputs) items += UnitItems(input.kind).size();
    EXPECT_EQ(seen, items);
}

// A list without a choice keeps the table's tooltip, except where the number alone is still a
// value (the spring constant is then read in N/m).
TEST(InputTips, NoChoiceKeepsTheTablesTooltip) {
    for (const DesignInput& input : kInputs) {
        if (input.kind == InputUnitKind::Spring) continue;
        EXPECT_EQ(TipInUnit(input, kNoChoice, ""), InputTip(input)) << input.editName;
        EXPECT_EQ(TipInUnit(input, 9, "x"), InputTip(input)) << input.editName;
    }
    EXPECT_EQ(TipInUnit(Row("EditSpringConstant"), kNoChoice, "").toStdString(),
              "Displacer spring constant: stiffness of the optional spring, 0 for none; typical 0 "
              "to 2,000");
}

}  // namespace
}  // namespace velmora::testing
