#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "form/input_controls.h"

namespace velmora {
namespace {

// Every row is complete and no two rows claim the same field, key, widget or place.
TEST(DesignInputs, RowsAreCompleteAndDistinct) {
    std::set<std::string> names, fileKeys, widgets;
    std::set<std::pair<int, int>> places;
    std::set<const void*> fields;
    const ParameterSet params;
    for (const DesignInput& input : kInputs) {
        SCOPED_TRACE(input.editName);
        const InputFormColumn& column = FormColumn(input);
        EXPECT_NE(column.control == nullptr, column.text == nullptr);
        EXPECT_EQ(column.control != nullptr, input.unitsKey != nullptr);
        if (input.sweepable || input.studied) EXPECT_NE(column.control, nullptr);
        EXPECT_EQ(input.message != nullptr, column.control != nullptr);
        if (input.halfLabel != nullptr) EXPECT_NE(input.half, nullptr);
        EXPECT_TRUE(names.insert(input.name).second);
        EXPECT_TRUE(fileKeys.insert(InputFileKey(input)).second);
        EXPECT_TRUE(widgets.insert(input.editName).second);
        EXPECT_TRUE(widgets.insert(input.unitsName).second);
        EXPECT_TRUE(places.insert({input.place.column, input.place.row}).second);
        EXPECT_TRUE(fields.insert(&(params.*input.field)).second);
        // A tooltip either gets its range from the row or words what is typical itself.
        const bool worded = std::string(input.tip).find("; typical ") != std::string::npos;
        EXPECT_NE(input.typical.has_value() && !input.typical->quotedInTip, worded);
        if (input.typical) EXPECT_LT(input.typical->low, input.typical->high);
        EXPECT_EQ(input.zeroIsAValue, std::string(input.defaultText) == "0");
    }
    // Each column of the page fills its rows from the top.
    for (int column = 0; column < 2; ++column) {
        int rows = 0;
        for (const auto& place : places) rows += place.first == column;
        for (int row = 0; row < rows; ++row) EXPECT_TRUE(places.count({column, row})) << row;
    }
}

TEST(DesignInputs, DesignInputsAreTheInputsWithUnitChoice) {
    std::size_t withUnits = 0;
    for (const DesignInput& input : kInputs) withUnits += FormColumn(input).control != nullptr;
    ASSERT_EQ(kDesignInputs.size(), withUnits);
    for (const DesignInput& input : kDesignInputs) EXPECT_NE(FormColumn(input).control, nullptr);
    EXPECT_EQ(FormColumn(kInputs.back()).text, &ControlState::EditRequiredEnginePower);
    EXPECT_EQ(FindInput(&ControlState::EditHotTemp), &kInputs[10]);
    EXPECT_EQ(FindInput(nullptr), nullptr);
}

TEST(DesignInputs, TextAndUnitsReachTheControlState) {
    ControlState state;
    for (const DesignInput& input : kInputs) {
        InputText(state, input) = input.editName;
        if (int* units = InputUnits(state, input)) *units = 2;
    }
    EXPECT_EQ(state.EditDeadSpaceVol.text, "EditDeadSpaceVol");
    EXPECT_EQ(state.EditDeadSpaceVol.units, 2);
    EXPECT_EQ(state.EditRequiredEnginePower, "EditRequiredEnginePower");
    EXPECT_EQ(InputUnits(state, kInputs.back()), nullptr);
    const ControlState& constant = state;
    EXPECT_EQ(InputText(constant, kInputs[0]), "EditDispDiameter");
}

// The names the command line lists and the sensitivity study reports, in their order.
TEST(DesignInputs, SweepAndStudySelections) {
    std::vector<std::string> swept, studied;
    for (const DesignInput& input : kInputs) {
        if (input.sweepable) swept.push_back(InputFileKey(input));
        if (input.studied) studied.push_back(input.name);
    }
    EXPECT_EQ(swept,
              (std::vector<std::string>{
                  "Displacer.Diameter", "Displacer.Stroke", "Displacer.Mass",
                  "DisplacerRod.Diameter", "DisplacerSpring.Constant", "DisplacerSpring.Center",
                  "Piston.Diameter", "Piston.Stroke", "DeadSpace.Volume", "DeadSpace.Temp",
                  "Hot.Temp", "Cold.Temp", "Engine.Speed", "Engine.Pressure"}));
    EXPECT_EQ(studied,
              (std::vector<std::string>{
                  "Displacer Stroke", "Displacer Mass", "Displacer Rod Diameter",
                  "Displacer Spring Constant", "Displacer Spring Center", "Piston Diameter",
                  "Piston Stroke", "Dead Space Volume", "Dead Space Temperature", "Hot Temperature",
                  "Cold Temperature", "Engine Speed"}));
}

// A new ControlState holds each input's default text, as a file without its key does.
TEST(DesignInputs, DefaultTextsMatchTheControlState) {
    const ControlState state;
    for (const DesignInput& input : kInputs)
        EXPECT_EQ(InputText(state, input), input.defaultText) << input.editName;
}

}  // namespace
}  // namespace velmora
