#include "persistence/parameter_keys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace velmora {
namespace {

std::string Name(const ParameterKey& row) {
    return std::string(row.section) + "/" + row.key;
}

TEST(ParameterKeys, FiftySixDistinctKeysEachWithOneControl) {
    const auto keys = ParameterKeys();
    ASSERT_GE(keys.size(), 56u);  // inputs added since follow in sections of their own
    std::set<std::string> names;
    std::set<const void*> controls;
    ControlState state;
    for (const ParameterKey& row : keys) {
        EXPECT_TRUE(names.insert(Name(row)).second) << Name(row);
        const ParameterControl c = row.control(state);
        const void* target = c.text != nullptr     ? static_cast<const void*>(c.text)
                             : c.number != nullptr ? static_cast<const void*>(c.number)
                                                   : static_cast<const void*>(c.flag);
        EXPECT_EQ((c.text != nullptr) + (c.number != nullptr) + (c.flag != nullptr), 1)
            << Name(row);
        EXPECT_EQ(c.text != nullptr, row.kind == ParameterKeyKind::Text) << Name(row);
        EXPECT_EQ(c.flag != nullptr, row.kind == ParameterKeyKind::YesNo) << Name(row);
        EXPECT_TRUE(controls.insert(target).second) << Name(row);
    }
    EXPECT_EQ(Name(keys[0]), "Displacer/Diameter");
    EXPECT_EQ(Name(keys[27]), "Engine/LeakDown");
    EXPECT_EQ(Name(keys[49]), "TabControl/Page");
    EXPECT_EQ(Name(keys[55]), "MemoWidth/Left");
}

TEST(ParameterKeys, SavingOrderSwapsOnlyGraphXAxisAndShowGraph2) {
    const auto keys = ParameterKeys();
    std::vector<std::string> saved;
    for (std::size_t row : ParameterKeySaveOrder()) saved.push_back(Name(keys[row]));
    std::vector<std::string> expected;
    for (const ParameterKey& row : keys) expected.push_back(Name(row));
    std::swap(expected[34], expected[35]);  // Graph: Red, XAxis, Blue
    std::swap(expected[42], expected[43]);  // Show/Graph2 before OutputFormat/Pressure
    EXPECT_EQ(saved, expected);
    EXPECT_EQ(saved[34], "Graph/XAxis");
    EXPECT_EQ(saved[42], "Show/Graph2");
}

// Files written before and after the keys came from the input table hold the same lines in
// the same order.
TEST(ParameterKeys, LoadingOrderOfAllFiftySixKeys) {
    const std::vector<std::string> expected = {"Displacer/Diameter",
                                               "Displacer/DiameterUnits",
                                               "Displacer/Stroke",
                                               "Displacer/StrokeUnits",
                                               "Displacer/Mass",
                                               "Displacer/MassUnits",
                                               "DisplacerRod/Diameter",
                                               "DisplacerRod/DiameterUnits",
                                               "DisplacerSpring/Constant",
                                               "DisplacerSpring/ConstantUnits",
                                               "DisplacerSpring/Center",
                                               "DisplacerSpring/CenterUnits",
                                               "Piston/Diameter",
                                               "Piston/DiameterUnits",
                                               "Piston/Stroke",
                                               "Piston/StrokeUnits",
                                               "DeadSpace/Volume",
                                               "DeadSpace/VolumeUnits",
                                               "DeadSpace/Temp",
                                               "DeadSpace/TempUnits",
                                               "Hot/Temp",
                                               "Hot/TempUnits",
                                               "Cold/Temp",
                                               "Cold/TempUnits",
                                               "Engine/Speed",
                                               "Engine/SpeedUnits",
                                               "Engine/Pressure",
                                               "Engine/LeakDown",
                                               "Engine/PressureUnits",
                                               "ComputeCycle/Count",
                                               "GraphCycle/Count",
                                               "MaxGraphCycle/Count",
                                               "Engine/RequiredPower",
                                               "Graph/Red",
                                               "Graph/Blue",
                                               "Graph/XAxis",
                                               "OutputFormat/Length",
                                               "OutputFormat/Temperature",
                                               "OutputFormat/Mass",
                                               "OutputFormat/AngVel",
                                               "OutputFormat/Spring",
                                               "OutputFormat/Angle",
                                               "OutputFormat/Pressure",
                                               "Show/Graph2",
                                               "Gravity/Enabled",
                                               "Position/Left",
                                               "Position/Top",
                                               "Position/Height",
                                               "Position/Width",
                                               "TabControl/Page",
                                               "Design/PistonDiam",
                                               "Design/PistonStroke",
                                               "Design/DispDiam",
                                               "Design/DispStroke",
                                               "XAxis/Offset",
                                               "MemoWidth/Left"};
    // Inputs added in sections of their own follow the 56 keys, which stay as they are.
    std::vector<std::string> names;
    for (const ParameterKey& row : ParameterKeys().first(expected.size()))
        names.push_back(Name(row));
    EXPECT_EQ(names, expected);
}

// Each key keeps its kind, defaults and list size (recorded from the hand-written table).
TEST(ParameterKeys, KindsAndDefaultsOfTheInputKeys) {
    const auto keys = ParameterKeys();
    std::string signature;
    for (const ParameterKey& row : keys.first(56))
        signature += std::to_string(static_cast<int>(row.kind)) + ":" + row.textDefault + ":" +
                     std::to_string(row.numberDefault) + ":" + std::to_string(row.itemCount) +
                     (row.savedBeforePrevious ? "s" : "") +
                     (row.defaultFromControls != nullptr ? "d" : "") + " ";
    EXPECT_EQ(signature,
              "0::0:0 1::0:4 0::0:0 1::0:4 0::0:0 1::0:3 0::0:0 1::0:4 0:0:0:0 1::0:2 0:0:0:0 1"
              "::0:4 0::0:0 1::0:4 0::0:0 1::0:4 0:0:0:0 1::0:4 0::0:0 1::0:3 0::0:0 1::0:3 0::"
              "0:0 1::0:3 0::0:0 1::0:3 0::0:0 2::1:0 1::0:3 0:3:0:0 0:3:0:0 0:30:0:0 0::0:0 1:"
              ":0:12 1::0:12 1::0:2s 1::1:4 1::0:3 1::1:3 1::2:3 1::1:2 1::2:2 1::2:3 1::0:4s 2"
              "::0:0 3::0:0d 3::0:0d 3::550:0 3::800:0 4::1:0 0::0:0 0::0:0 0::0:0 0::0:0 0:0:0"
              ":0 3::325:0 ");
}

}  // namespace
}  // namespace velmora
